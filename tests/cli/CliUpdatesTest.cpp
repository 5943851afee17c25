// mfs380a-cli check-updates and download-update against a local HTTP server.
#include "CliRun.h"
#include "UpdateTestSupport.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

using namespace updtest;

namespace {

using CliRun = TCliRun;

struct CliRig {
    CliRig()
    {
        writeFile(dir.filePath("config/Kelvan/installed.ini"),
                  "[Kelvan_Other]\nVersion=V2.0.0.0 (x64)\n");
    }
    // The test's server answers while the program runs.
    CliRun run(const QStringList& args)
    {
        QProcessEnvironment env = cliEnvironment(dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_CONFIG_DIRS", dir.filePath("none"));
        return runCli(args, env);
    }
    QString list() const { return server.url("/list").toString(); }

    QTemporaryDir dir;
    TTestHttpServer server;
};

QStringList own(const char* version)
{
    return {"Kelvan_MFS380A", "Kelvan MFS380A", version, "/own.zip", "", "temp", ""};
}

TEST(CliUpdates, CheckListsOfferedRows)
{
    CliRig rig;
    rig.server.route("/list", TTestRoute(versionList(
                                  {own("V1.1.0.60"),
                                   {"Kelvan_Other", "Other Tool", "V2.0.0.1", "/o.zip", "", "", ""}})));
    CliRun r = rig.run({"check-updates", "--url", rig.list()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Kelvan_MFS380A\tKelvan MFS380A\tV1.1.0.60\tdownload\n"
                     "Kelvan_Other\tOther Tool\tV2.0.0.1\tdownload\n");

    rig.server.route("/list", TTestRoute(versionList({own("V1.1.0.50")})));
    r = rig.run({"check-updates", "--url", rig.list()});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "up to date\n");

    rig.server.route("/list", TTestRoute("garbage"));
    r = rig.run({"check-updates", "--url", rig.list()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Oops! Something went wrong")) << r.err.toStdString();

    r = rig.run({"check-updates", "--url", "http://example.com/list"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("HTTPS")) << r.err.toStdString();
}

TEST(CliUpdates, DownloadPrintsTheInstallerOrTheWindowsMessage)
{
    if (archiver().isEmpty())
        GTEST_SKIP() << "7za (p7zip-full) is not installed";
    CliRig rig;
    const QByteArray installer = QByteArray("#!/bin/sh\nexit 0\n").repeated(5000);
    rig.server.route("/o.zip", TTestRoute(makeZip({{"other-setup.run", installer}})));
    rig.server.route("/list", TTestRoute(versionList(
                                  {own("V1.1.0.50"), {"Kelvan_Other", "Other Tool", "V2.0.0.1",
                                                      "/o.zip", "", md5(installer), ""}})));
    CliRun r = rig.run({"download-update", "Kelvan_Other", "--url", rig.list()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString path = QDir(rig.dir.filePath("data")).filePath(
        "Kelvan/Updates/Kelvan_Other/other-setup.run");
    EXPECT_EQ(r.out, path + "\n");
    EXPECT_EQ(readFile(path), installer);
    EXPECT_TRUE(r.err.contains("Kelvan_Other: 100%")) << r.err.toStdString();

    // Now downloaded: offered for installing, and not fetched again.
    r = rig.run({"check-updates", "--url", rig.list()});
    EXPECT_EQ(r.out, "Kelvan_Other\tOther Tool\tV2.0.0.1\tinstall\n");
    r = rig.run({"download-update", "Kelvan_Other", "--url", rig.list()});
    EXPECT_EQ(r.out, path + "\n");
    EXPECT_EQ(rig.server.hits("/o.zip"), 1);

    // A digest that does not match: the window's message, exit 1.
    rig.server.route("/list", TTestRoute(versionList(
                                  {own("V1.1.0.50"), {"Kelvan_Other", "Other Tool", "V2.0.0.2",
                                                      "/o.zip", "", "0123", ""}})));
    r = rig.run({"download-update", "Kelvan_Other", "--url", rig.list()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("\"other-setup.run\" MD5 Checksum failed!")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    r = rig.run({"download-update", "Kelvan_Nothing", "--url", rig.list()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("no update is offered for Kelvan_Nothing"));
    EXPECT_EQ(rig.run({"download-update"}).exitCode, 2);
}

} // namespace
