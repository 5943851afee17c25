// The update manager against a real HTTP server on 127.0.0.1 and real zip
// archives made by 7za: checks, downloads, unpacking, digests, and the unsafe
// inputs it refuses.
#include "UpdateTestSupport.h"
#include "UpdateTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace updtest;

namespace {

#define NEED_7ZA()                                                                                 \
    if (archiver().isEmpty())                                                                      \
    GTEST_SKIP() << "7za (p7zip-full) is not installed"

// Bytes that do not compress.
QByteArray noise(int size)
{
    QByteArray out(size, Qt::Uninitialized);
    QRandomGenerator generator(size);
    for (char& c : out)
        c = static_cast<char>(generator.bounded(256));
    return out;
}

QStringList own(const QString& version, const QString& link = "/own.zip",
                const QString& digest = "temp")
{
    return {"Kelvan_MFS380A", "Kelvan MFS380A", version, link, "Fixes#10More fixes", digest, ""};
}

QStringList other(const QString& version, const QString& link, const QString& digest = "")
{
    return {"Kelvan_Other", "Other Tool", version, link, "", digest, ""};
}

TEST(UpdaterCheck, RowsFollowTheDecisionInRecordOrder)
{
    UpdaterRig rig;
    rig.serveList({other("V2.0.0.1", "/o.zip"),
                   {"Kelvan_Absent", "Not installed", "V9.0.0.0", "/a.zip", "", "", ""},
                   {"../../Kelvan_Other", "Escaping", "V9.0.0.0", "/e.zip", "", "", ""},
                   own("V1.1.0.60")});
    ASSERT_TRUE(rig.check());
    EXPECT_TRUE(rig.updater->lastCheckSucceeded());
    EXPECT_EQ(rig.server.hits("/list"), 1);
    const auto& items = rig.updater->UpdateItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].FRegName, "Kelvan_MFS380A");
    EXPECT_TRUE(items[0].FMainGui);
    EXPECT_EQ(items[0].FVersion, "V1.1.0.60");
    EXPECT_EQ(items[1].FDisplayName, "Other Tool");
    EXPECT_EQ(items[1].buttonCaption(), "Download");
    EXPECT_EQ(items[1].colour(), updcolour::kWhite);
    EXPECT_TRUE(rig.updater->downloadAllEnabled());
    EXPECT_EQ(rig.shows, 1);
    EXPECT_EQ(rig.updater->description(items[0].FItemIndex), "Fixes\nMore fixes");
    EXPECT_EQ(rig.updater->description(items[1].FItemIndex), "No description available");

    // A manual request while nothing downloads or failed: the rows go and a new check runs.
    EXPECT_EQ(rig.updater->ManualCheckRequest(), TUpdaterClass::TRequest::Started);
    EXPECT_TRUE(rig.updater->UpdateItems().empty());
    EXPECT_EQ(rig.updater->ManualCheckRequest(), TUpdaterClass::TRequest::Ignored);
    QSignalSpy done(rig.updater.get(), &TUpdaterClass::checkFinished);
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ(rig.updater->UpdateItems().size(), 2u);
}

TEST(UpdaterCheck, AutomaticChecksOpenTheWindowByTheOptions)
{
    UpdaterRig rig;
    rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/o.zip")});
    rig.updater->DontShowOnStartup = false;
    rig.updater->OnlyMain = false;
    ASSERT_TRUE(rig.check(false));
    EXPECT_EQ(rig.shows, 1); // an update for another product opens it
    rig.updater->OnlyMain = true;
    ASSERT_TRUE(rig.check(false));
    EXPECT_EQ(rig.shows, 1); // only the program itself would
    EXPECT_TRUE(rig.updater->hasPendingItems()); // "Updates Available" is still shown
    rig.serveList({own("V1.1.0.51")});
    rig.updater->DontShowOnStartup = true;
    ASSERT_TRUE(rig.check(false));
    EXPECT_EQ(rig.shows, 1);
    EXPECT_TRUE(rig.notices.empty());
}

TEST(UpdaterCheck, NothingNewAndUnreachableServers)
{
    UpdaterRig rig;
    rig.serveList({own("V1.1.0.50")});
    ASSERT_TRUE(rig.check());
    ASSERT_EQ(rig.notices.size(), 1u);
    EXPECT_EQ(rig.notices[0].first, TNoticeType::Information);
    EXPECT_EQ(rig.notices[0].second.toStdString(), updtext::kLatest);
    EXPECT_FALSE(rig.updater->Error);

    // A missing list, a redirect away from this machine, a list too large and
    // an address outside the rule all fail the same way.
    rig.server.route("/list", TTestRoute("VSTART").withStatus(404));
    rig.server.route("/moved", TTestRoute().withStatus(302, "http://example.com/list"));
    rig.server.route("/big", TTestRoute(QByteArray(2 << 20, 'x')));
    for (const QUrl& url : {rig.server.url("/list"), rig.server.url("/moved"),
                            rig.server.url("/big"), QUrl("http://example.com/list"),
                            QUrl("file:///etc/passwd")}) {
        rig.notices.clear();
        rig.updater->setWebUrl(url);
        ASSERT_TRUE(rig.check()) << url.toString().toStdString();
        EXPECT_FALSE(rig.updater->lastCheckSucceeded());
        EXPECT_TRUE(rig.updater->Error);
        ASSERT_EQ(rig.notices.size(), 1u);
        EXPECT_EQ(rig.notices[0].first, TNoticeType::Warning);
        EXPECT_EQ(rig.notices[0].second.toStdString(), updtext::kCheckFailed);
    }
    EXPECT_EQ(rig.server.hits("/big"), 1);

    // An installer downloaded earlier, newer than the program, is still offered.
    const QString installer = QDir(rig.localData()).filePath("Updates/Kelvan_MFS380A/m.run");
    writeFile(installer, "#!/bin/sh\n");
    writeFile(QDir(rig.localData()).filePath("Updates/updates.ini"),
              "[Version]\nKelvan_MFS380A=V1.1.0.70\n[Path]\nKelvan_MFS380A=" + installer.toUtf8());
    rig.updater->setWebUrl(rig.server.url("/list"));
    ASSERT_TRUE(rig.check());
    ASSERT_EQ(rig.updater->UpdateItems().size(), 1u);
    const TUpdateItem& row = rig.updater->UpdateItems()[0];
    EXPECT_EQ(row.buttonCaption(), "Install");
    EXPECT_EQ(row.FLink, installer);
    EXPECT_EQ(row.FVersion, "V1.1.0.70");
    EXPECT_EQ(row.colour(), updcolour::kReady);
    EXPECT_FALSE(rig.updater->downloadAllEnabled());
}

TEST(UpdaterDownload, ContentLengthDownloadUnpacksAndVerifies)
{
    NEED_7ZA();
    UpdaterRig rig;
    const QByteArray installer = QByteArray("#!/bin/sh\necho installing\n").repeated(4000);
    const QByteArray zip = makeZip({{"setup.run", installer}, {"notes.txt", "read me"}});
    rig.server.route("/o.zip", TTestRoute(zip));
    rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/o.zip", md5(installer))});
    ASSERT_TRUE(rig.check());
    ASSERT_EQ(rig.updater->UpdateItems().size(), 1u);

    // A file left from earlier goes; a link in the folder is removed, not followed.
    const QString folder = QDir(rig.localData()).filePath("Updates/Kelvan_Other");
    const QString outside = rig.dir.filePath("keep.txt");
    writeFile(outside, "keep");
    writeFile(QDir(folder).filePath("old.run"), "old");
    ASSERT_TRUE(QFile::link(outside, QDir(folder).filePath("link.run")));

    QSignalSpy states(rig.updater.get(), &TUpdaterClass::stateChanged);
    rig.updater->StartDownload(0);
    EXPECT_EQ(rig.updater->UpdateItems()[0].buttonCaption(), "Cancel");
    EXPECT_TRUE(rig.updater->CheckIsItemsBusy());
    EXPECT_FALSE(rig.updater->downloadAllEnabled());
    QSignalSpy done(rig.updater.get(), &TUpdaterClass::downloadFinished);
    ASSERT_TRUE(done.wait(30000));
    EXPECT_TRUE(done[0][1].toBool()) << done[0][2].toString().toStdString();

    const TUpdateItem& row = rig.updater->UpdateItems()[0];
    const QString path = QDir(folder).filePath("setup.run");
    EXPECT_EQ(row.buttonCaption(), "Install");
    EXPECT_EQ(row.colour(), updcolour::kReady);
    EXPECT_EQ(row.FLink, path);
    EXPECT_EQ(readFile(path), installer);
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath("TempFile.zip")));
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath("old.run")));
    EXPECT_FALSE(QFileInfo(QDir(folder).filePath("link.run")).isSymLink());
    EXPECT_EQ(readFile(outside), "keep");
    ASSERT_FALSE(rig.progress.empty());
    EXPECT_EQ(rig.progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(rig.progress.begin(), rig.progress.end()));
    EXPECT_TRUE(rig.notices.empty());
    EXPECT_GT(states.count(), 1);

    // updates.ini remembers it: the next check offers it for installing.
    const QByteArray ini = readFile(QDir(rig.localData()).filePath("Updates/updates.ini"));
    EXPECT_TRUE(ini.contains("Kelvan_Other=V2.0.0.1")) << ini.constData();
    ASSERT_TRUE(rig.check());
    EXPECT_EQ(rig.updater->UpdateItems()[0].buttonCaption(), "Install");
    EXPECT_EQ(rig.server.hits("/o.zip"), 1);
}

TEST(UpdaterDownload, ChunkedTransfersShowNoProgressUntilTheEnd)
{
    NEED_7ZA();
    UpdaterRig rig;
    const QByteArray zip = makeZip({{"tool.AppImage", QByteArray(50000, 'a')}});
    rig.server.route("/o.zip", TTestRoute(zip).sentChunked());
    rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/o.zip", "temp")});
    ASSERT_TRUE(rig.check());
    ASSERT_TRUE(rig.download(0));
    const TUpdateItem& row = rig.updater->UpdateItems()[0];
    EXPECT_EQ(row.buttonCaption(), "Install") << rig.notices.size();
    EXPECT_TRUE(row.FLink.endsWith("tool.AppImage"));
    EXPECT_EQ(row.Received, zip.size());
    for (int p : rig.progress)
        EXPECT_EQ(p, 0);
}

TEST(UpdaterDownload, CancelAndStall)
{
    NEED_7ZA();
    TUpdaterOptions options;
    options.Download.limits.stallTimeoutMs = 400;
    UpdaterRig rig("[Kelvan_Other]\nVersion=V2.0.0.0\n", options);
    const QByteArray zip = makeZip({{"setup.run", noise(200000)}});
    rig.server.route("/o.zip", TTestRoute(zip).stallingAfter(1000));
    rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/o.zip")});
    ASSERT_TRUE(rig.check());

    // A server that stops sending fails the download after the stall bound.
    ASSERT_TRUE(rig.download(0));
    const TUpdateItem& row = rig.updater->UpdateItems()[0];
    EXPECT_TRUE(row.ItemError);
    EXPECT_TRUE(row.ProgressError);
    EXPECT_EQ(row.buttonCaption(), "Download");
    EXPECT_EQ(row.colour(), updcolour::kFailed);
    ASSERT_EQ(rig.notices.size(), 1u);
    EXPECT_EQ(rig.notices[0].first, TNoticeType::Error);
    EXPECT_EQ(rig.notices[0].second.toStdString(), updtext::kLocateFailed);
    // While a row failed, a manual request only shows the window.
    EXPECT_EQ(rig.updater->ManualCheckRequest(), TUpdaterClass::TRequest::ShownOnly);

    // Cancel: back to "Download", no message, the connection is closed.
    rig.notices.clear();
    QSignalSpy progress(rig.updater.get(), &TUpdaterClass::itemChanged);
    QSignalSpy done(rig.updater.get(), &TUpdaterClass::downloadFinished);
    rig.updater->StartDownload(0);
    EXPECT_FALSE(rig.updater->UpdateItems()[0].ItemError);
    ASSERT_TRUE(progress.wait(10000));
    rig.updater->CancelDownload(0);
    EXPECT_EQ(rig.updater->UpdateItems()[0].buttonCaption(), "Download");
    EXPECT_EQ(rig.updater->UpdateItems()[0].Progress, 0);
    ASSERT_TRUE(!done.isEmpty() || done.wait(10000));
    EXPECT_FALSE(done[0][1].toBool());
    EXPECT_FALSE(rig.updater->UpdateItems()[0].ItemError);
    EXPECT_TRUE(rig.notices.empty());
    EXPECT_FALSE(rig.updater->CheckIsItemsBusy());
    EXPECT_TRUE(waitUntil([&] { return rig.server.abandoned() >= 2; }, 5000));
}

TEST(UpdaterDownload, DigestMismatchDeletesTheInstaller)
{
    NEED_7ZA();
    UpdaterRig rig;
    const QByteArray installer = "#!/bin/sh\n";
    rig.server.route("/o.zip", TTestRoute(makeZip({{"setup.run", installer}})));
    // A digest in lower case is not the upper-case digest the program computes.
    rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/o.zip", md5(installer).toLower())});
    ASSERT_TRUE(rig.check());
    ASSERT_TRUE(rig.download(0));
    const TUpdateItem& row = rig.updater->UpdateItems()[0];
    EXPECT_TRUE(row.ItemError);
    EXPECT_FALSE(row.MD5Error); // set only while the message shows
    EXPECT_EQ(row.colour(), updcolour::kFailed);
    ASSERT_EQ(rig.notices.size(), 1u);
    EXPECT_EQ(rig.notices[0].second, "\"setup.run\" MD5 Checksum failed!");
    EXPECT_FALSE(QFile::exists(QDir(rig.localData()).filePath("Updates/Kelvan_Other/setup.run")));
    EXPECT_FALSE(QFile::exists(QDir(rig.localData()).filePath("Updates/updates.ini")));
    // The row may be downloaded again.
    EXPECT_TRUE(rig.updater->downloadAllEnabled());
}

TEST(UpdaterDownload, ArchivesThatCannotBeInstalledFail)
{
    NEED_7ZA();
    UpdaterRig rig("[Kelvan_Other]\nVersion=V2.0.0.0\n[Kelvan_Third]\nVersion=V1.0.0.0\n");
    const QByteArray good = "#!/bin/sh\n";
    // Names patched after 7za made the archive, so they try to leave the folder.
    const QByteArray escaping =
        renameInZip(makeZip({{"xx/yy/evil.run", good}, {"setup.run", good}}), "xx/yy/", "../../");
    const QByteArray absolute =
        renameInZip(makeZip({{"xab/evil.run", good}, {"setup.run", good}}), "xab/", "/ab/");
    const QByteArray linked =
        makeZip({{"setup.run", good}}, {{"evil.run", rig.dir.filePath("target")}});
    const QByteArray noInstaller = makeZip({{"readme.txt", "nothing to run"}});
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"escaping", escaping}, {"absolute", absolute}, {"linked", linked},
        {"no installer", noInstaller}, {"not an archive", "plain text"}};
    for (const auto& [name, zip] : cases) {
        SCOPED_TRACE(name);
        rig.server.route("/o.zip", TTestRoute(zip));
        rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/o.zip")});
        rig.notices.clear();
        ASSERT_TRUE(rig.check());
        ASSERT_TRUE(rig.download(0));
        EXPECT_TRUE(rig.updater->UpdateItems()[0].ItemError);
        ASSERT_EQ(rig.notices.size(), 1u);
        EXPECT_EQ(rig.notices[0].second.toStdString(), updtext::kLocateFailed);
        EXPECT_FALSE(QFile::exists(QDir(rig.localData()).filePath("evil.run")));
        EXPECT_FALSE(QFile::exists(rig.dir.filePath("evil.run")));
        EXPECT_FALSE(QFile::exists("/ab/evil.run"));
        EXPECT_FALSE(QFileInfo::exists(rig.dir.filePath("target")));
    }

    // No archiver: the same message.
    TUpdaterOptions options;
    options.Download.archiver.program = rig.dir.filePath("no-such-7za");
    UpdaterRig bare("[Kelvan_Other]\nVersion=V2.0.0.0\n", options);
    bare.server.route("/o.zip", TTestRoute(noInstaller));
    bare.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/o.zip")});
    ASSERT_TRUE(bare.check());
    ASSERT_TRUE(bare.download(0));
    ASSERT_EQ(bare.notices.size(), 1u);
    EXPECT_EQ(bare.notices[0].second.toStdString(), updtext::kLocateFailed);
}

TEST(UpdaterDownload, OversizedAndRefusedDownloads)
{
    TUpdaterOptions options;
    options.Download.limits.maxBytes = 10000;
    UpdaterRig rig("[Kelvan_Other]\nVersion=V2.0.0.0\n[Kelvan_Third]\nVersion=V1.0.0.0\n",
                   options);
    // Announced too large: refused at once, before the body. Sent too large
    // without a length (chunked): refused when the bound is passed.
    rig.server.route("/big.zip", TTestRoute(QByteArray(100, 'x')).declaring(1LL << 40));
    rig.server.route("/chunked.zip", TTestRoute(QByteArray(20000, 'x')).sentChunked());
    rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "/big.zip"),
                   {"Kelvan_Third", "Third", "V1.0.0.1", "/chunked.zip", "", "", ""}});
    ASSERT_TRUE(rig.check());
    ASSERT_EQ(rig.updater->UpdateItems().size(), 2u);
    ASSERT_TRUE(rig.download(0));
    ASSERT_TRUE(rig.download(1));
    EXPECT_TRUE(rig.updater->UpdateItems()[0].ItemError);
    EXPECT_TRUE(rig.updater->UpdateItems()[1].ItemError);

    // A link to another machine over plain HTTP is never requested.
    rig.serveList({own("V1.1.0.50"), other("V2.0.0.1", "http://example.com/o.zip")});
    ASSERT_TRUE(rig.check());
    ASSERT_TRUE(rig.download(0));
    EXPECT_TRUE(rig.updater->UpdateItems()[0].ItemError);
    EXPECT_EQ(rig.notices.back().second.toStdString(), updtext::kLocateFailed);
}

} // namespace
