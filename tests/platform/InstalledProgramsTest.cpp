// The installed-programs lookup and the program launcher, on real files.

#include "InstalledPrograms.h"
#include "ProgramLauncher.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(InstalledPrograms, FirstFileWithTheSectionAnswers)
{
    QTemporaryDir dir;
    const QString user = dir.filePath("user.ini");
    const QString system = dir.filePath("system.ini");
    writeFile(user, "[Kelvan_MFS380A]\nVersion=V1.1.0.60\n");
    writeFile(system, "[kelvan_flashkit]\r\nInstall_Dir=/opt/kelvan flash\r\nVersion=V2.0.0.1 beta\r\n"
                      "[Kelvan_MFS380A]\nVersion=V1.0.0.1\n");
    const TIniInstalledPrograms lookup({dir.filePath("missing.ini"), user, system});

    const auto own = lookup.find("Kelvan_MFS380A");
    ASSERT_TRUE(own);
    EXPECT_EQ(own->version, "V1.1.0.60");
    EXPECT_TRUE(own->installDir.isEmpty());

    const auto flashkit = lookup.find("Kelvan_Flashkit"); // keys without regard to case
    ASSERT_TRUE(flashkit);
    EXPECT_EQ(flashkit->installDir, "/opt/kelvan flash");
    EXPECT_EQ(flashkit->version, "V2.0.0.1 beta");

    EXPECT_FALSE(lookup.find("Kelvan_Other"));
}

TEST(InstalledPrograms, BinaryFilesAreSkipped)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.ini");
    const QString good = dir.filePath("good.ini");
    static const char kBinary[] = "[Kelvan_Flashkit]\nInstall_Dir=/x\0y\n";
    writeFile(bad, QByteArray(kBinary, sizeof kBinary - 1));
    writeFile(good, "[Kelvan_Flashkit]\nInstall_Dir=/good\n");
    const auto entry = TIniInstalledPrograms({bad, good}).find("Kelvan_Flashkit");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->installDir, "/good");
}

TEST(InstalledPrograms, DefaultFilesFollowTheXdgFolders)
{
    qputenv("XDG_CONFIG_HOME", "/home/u/cfg");
    qputenv("XDG_CONFIG_DIRS", "/etc/a::/etc/b");
    EXPECT_EQ(TIniInstalledPrograms::defaultFiles(),
              QStringList({"/home/u/cfg/Kelvan/installed.ini", "/etc/a/Kelvan/installed.ini",
                           "/etc/b/Kelvan/installed.ini"}));
    qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(TIniInstalledPrograms::defaultFiles().last(), "/etc/xdg/Kelvan/installed.ini");
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(ProgramLauncher, ArgumentsArriveAsTheyAreWithoutAShell)
{
    QTemporaryDir dir;
    const QString script = dir.filePath("stand in");
    const QString record = dir.filePath("args.txt");
    writeFile(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                          record.toUtf8() + ".part\"\nmv \"" + record.toUtf8() + ".part\" \"" +
                          record.toUtf8() + "\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QStringList args = {"/tmp/my \"quoted\" file's.dfu", "Y", "$(touch /tmp/no)", "a;b"};
    QString error;
    ASSERT_TRUE(startProgram(script, args, {}, &error)) << error.toStdString();
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(record) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), args.join('\n') + '\n');
}

TEST(ProgramLauncher, MissingProgramIsAnError)
{
    QString error;
    EXPECT_FALSE(startProgram("/nonexistent/Kelvan Flashkit", {"Override"}, {}, &error));
    EXPECT_TRUE(error.contains("Kelvan Flashkit"));
}

} // namespace
