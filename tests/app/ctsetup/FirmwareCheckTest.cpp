// The firmware check without a tool: minver.ini, the update program's place,
// the verdict of one tool and the local .dfu search.
#include "FirmwareMinimums.h"
#include "FirmwareUpdate.h"
#include "FirmwareVerdict.h"
#include "InstalledPrograms.h"
#include "MinVer.h"
#include "PrevSerials.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TFirmwareVerdict judge(std::uint16_t pid, std::uint32_t version, std::uint8_t build,
                       std::uint8_t release, const TMinVer& m)
{
    return judgeFirmware({pid, version, build, release}, m, true);
}

TEST(MinVer, KeysReadInOrderUntilABadValue)
{
    const auto all = parseMinVer("[ct]\r\nhb100=1\r\nRD300=0127\r\nHB110N=0106140b\r\n"
                                 "RD300N=FFFFFFFF\r\n");
    EXPECT_TRUE(all.badKey.empty());
    EXPECT_EQ(all.values.HB100, 1);
    EXPECT_EQ(all.values.RD300, 0x127);
    EXPECT_EQ(all.values.HB110N, 0x0106140B);
    EXPECT_EQ(all.values.RD300N, -1); // signed: counts as "no full minimum"
    EXPECT_EQ(all.values.HB110, 0);   // missing keys read as "0"

    // HB110 is not hexadecimal: the keys before it keep their values, the rest stay 0.
    const auto bad = parseMinVer("[CT]\nRD300=0127\nHB110=01G6\nHB110N=0106140B\n");
    EXPECT_EQ(bad.badKey, "HB110");
    EXPECT_EQ(bad.values.RD300, 0x127);
    EXPECT_EQ(bad.values.HB110, 0);
    EXPECT_EQ(bad.values.HB110N, 0);

    // Empty values and nine digits are not values; other sections do not count.
    EXPECT_EQ(parseMinVer("[CT]\nHB100=\n").badKey, "HB100");
    EXPECT_EQ(parseMinVer("[CT]\nHB100=1\nRD300=123456789\n").badKey, "RD300");
    EXPECT_EQ(parseMinVer("[XT]\nHB110N=0106140B\n").values, TMinVer{});
    EXPECT_EQ(parseMinVer("").values, TMinVer{});
    const char binary[] = "\xff\xfe[CT]\0HB110N=\x80\x81\n\n[";
    EXPECT_EQ(parseMinVer(std::string_view(binary, sizeof binary - 1)).values.RD300, 0);
}

TEST(FirmwareMinimums, UpdateProgramAndMinVerBesideIt)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("Kelvan Flashkit");
    QDir().mkpath(folder);
    const QString installed = dir.filePath("installed.ini");
    writeFile(installed, "[Kelvan_Flashkit]\nInstall_Dir=" + folder.toUtf8() + "\n");
    const TIniInstalledPrograms programs({installed});

    // No executable: not installed, nothing read.
    writeFile(folder + "/minver.ini", "[CT]\nHB110N=0106140B\n");
    TFirmwareMinimums m = ReadFirmwareMinimums(programs);
    EXPECT_FALSE(m.FUpdaterInstalled);
    EXPECT_EQ(m.FUpdaterPath, folder);
    EXPECT_EQ(m.MinVer, TMinVer{});

    // A file that is not executable is no program either.
    const QString program = folder + "/" + updaterExecutableName();
    writeFile(program, "#!/bin/sh\n");
    EXPECT_FALSE(ReadFirmwareMinimums(programs).FUpdaterInstalled);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m = ReadFirmwareMinimums(programs);
    EXPECT_TRUE(m.FUpdaterInstalled);
    EXPECT_EQ(m.MinVer.HB110N, 0x0106140B);
    EXPECT_TRUE(m.minVerProblem.isEmpty());

    // A bad value: the problem is named, the minimums before it kept.
    writeFile(folder + "/minver.ini", "[CT]\nRD300=0127\nHB110=xyz\n");
    m = ReadFirmwareMinimums(programs);
    EXPECT_EQ(m.MinVer.RD300, 0x127);
    EXPECT_TRUE(m.minVerProblem.contains("HB110"));

    // Missing, unreadable (a folder) or oversized: every minimum 0, still installed.
    QFile::remove(folder + "/minver.ini");
    m = ReadFirmwareMinimums(programs);
    EXPECT_TRUE(m.FUpdaterInstalled);
    EXPECT_EQ(m.MinVer, TMinVer{});
    EXPECT_FALSE(m.minVerProblem.isEmpty());
    QDir().mkpath(folder + "/minver.ini");
    EXPECT_EQ(ReadFirmwareMinimums(programs).MinVer, TMinVer{});
    QDir(folder + "/minver.ini").removeRecursively();
    writeFile(folder + "/minver.ini", "[CT]\nHB110N=0106140B\n" + QByteArray(70000, ';'));
    EXPECT_EQ(ReadFirmwareMinimums(programs).MinVer, TMinVer{});

    // No entry at all.
    EXPECT_FALSE(ReadFirmwareMinimums(TIniInstalledPrograms({dir.filePath("none.ini")}))
                     .FUpdaterInstalled);
}

TEST(FirmwareVerdict, Texts)
{
    EXPECT_EQ(versionText(0x0106), "01.06");
    EXPECT_EQ(versionText(0), "00.00");
    EXPECT_EQ(versionText(0x10203), "10.203");
    EXPECT_EQ(fullVersionText(0x0106140B), "V01.06 Build 20 Release 0B");
    EXPECT_EQ(releaseText(10), "Alpha");
    EXPECT_EQ(releaseText(11), "Beta");
    EXPECT_EQ(releaseText(12), "Customer");
    EXPECT_EQ(releaseText(13), "Custom");
    EXPECT_EQ(releaseText(0), "Custom");
}

TEST(FirmwareVerdict, HB110AgainstFullAndBareMinimums)
{
    TMinVer m;
    m.HB110N = 0x0106140B;
    // Below the version of the full minimum: outdated, but Update offered.
    TFirmwareVerdict v = judge(0x108, 0x0105, 30, 0x0B, m);
    EXPECT_EQ(v.status, TFirmStatus::Outdated);
    EXPECT_EQ(firmStatusText(v.status), "Firmware is outdated!");
    EXPECT_TRUE(v.updateEnabled);

    // Same version, older release: the local firmware equals the stable one.
    v = judge(0x108, 0x0106, 20, 0x0A, m);
    EXPECT_EQ(v.status, TFirmStatus::UpdateRecommended);
    EXPECT_TRUE(v.FLocalPref);
    EXPECT_TRUE(v.FSameVersion);
    EXPECT_EQ(v.StabFirmLabel, "V01.06 Build 20 Release 0B");
    EXPECT_EQ(v.PrefFirmLabel, "V01.06 Build 20 Release 0B");
    EXPECT_EQ(judge(0x108, 0x0106, 20, 0x0B, m).status, TFirmStatus::UpToDate);
    EXPECT_EQ(judge(0x108, 0x0106, 19, 0xFF, m).status, TFirmStatus::UpdateRecommended);
    EXPECT_EQ(judge(0x108, 0x0107, 0, 0, m).status, TFirmStatus::UpToDate);

    // A stable release newer than the local one is preferred.
    m.HB110N = 0x0107010B;
    v = judge(0x108, 0x0107, 0, 0x0B, m);
    EXPECT_FALSE(v.FLocalPref);
    EXPECT_EQ(v.PrefFirmLabel, "V01.07 Build 1 Release 0B");
    EXPECT_EQ(v.status, TFirmStatus::UpdateRecommended);

    // No full minimum (0 or negative): the bare version decides.
    m.HB110N = -1;
    m.HB110 = 0x0106;
    v = judge(0x108, 0x0105, 99, 0x0B, m);
    EXPECT_EQ(v.status, TFirmStatus::Outdated);
    EXPECT_EQ(v.StabFirmLabel, "01.06");
    EXPECT_EQ(judge(0x108, 0x0106, 0, 0, m).status, TFirmStatus::UpToDate);
}

TEST(FirmwareVerdict, OtherModels)
{
    TMinVer m;
    // HB110A with no minimum: 00.00, never outdated.
    TFirmwareVerdict v = judge(0x107, 0x0001, 0, 0, m);
    EXPECT_EQ(v.StabFirmLabel, "00.00");
    EXPECT_EQ(v.status, TFirmStatus::UpToDate);
    m.HB110A = 0x0100020C;
    EXPECT_EQ(judge(0x107, 0x00FF, 9, 0x0C, m).status, TFirmStatus::Outdated);
    EXPECT_EQ(judge(0x107, 0x0100, 2, 0x0B, m).status, TFirmStatus::UpdateRecommended);

    // RD300 with its full minimum below the local firmware: judged against the local one.
    m.RD300N = 0x0126010B;
    v = judge(0x103, 0x0126, 5, 0x0B, m);
    EXPECT_TRUE(v.FLocalPref);
    EXPECT_FALSE(v.FSameVersion);
    EXPECT_EQ(v.PrefFirmLabel, "V01.27 Build 4 Release 0B");
    EXPECT_EQ(v.status, TFirmStatus::UpdateRecommended);
    EXPECT_EQ(judge(0x103, 0x0125, 5, 0x0B, m).status, TFirmStatus::Outdated);

    // Unknown product ids, a missing update program.
    v = judge(0x104, 0x0106, 20, 0x0B, m);
    EXPECT_EQ(v.status, TFirmStatus::Unsupported);
    EXPECT_FALSE(v.updateEnabled);
    EXPECT_TRUE(v.PrefFirmLabel.isEmpty());
    v = judgeFirmware({0x108, 0x0106, 20, 0x0B}, m, false);
    EXPECT_EQ(firmStatusText(v.status), "ERROR");
    EXPECT_FALSE(v.updateEnabled);

    // No minver.ini: every known tool up to date.
    for (const std::uint16_t pid : {0x103, 0x107, 0x108})
        EXPECT_EQ(judge(pid, 0x0001, 0, 0, TMinVer{}).status, TFirmStatus::UpToDate) << pid;
}

TEST(FirmwareUpdate, LocalFileSearchDoesNotMixNestedModelNames)
{
    EXPECT_TRUE(dfuFileMatches("HB110_v1.06.dfu", "HB110"));
    EXPECT_FALSE(dfuFileMatches("HB110A_v1.00.dfu", "HB110"));
    EXPECT_TRUE(dfuFileMatches("HB110A_v1.00 for HB110.dfu", "HB110"));
    EXPECT_TRUE(dfuFileMatches("HB110A_v1.00.dfu", "HB110A"));
    EXPECT_FALSE(dfuFileMatches("rd300.dfu", "RD300"));
    EXPECT_FALSE(dfuFileMatches("HB110.dfu", ""));

    QTemporaryDir dir;
    for (const char* name : {"A_HB110A.dfu", "B_HB110.DFU", "C_HB110.dfu", "RD300.txt"})
        writeFile(dir.filePath(name), "x");
    EXPECT_EQ(findLocalFirmware(dir.path(), 0x108), "B_HB110.DFU");
    EXPECT_EQ(findLocalFirmware(dir.path(), 0x107), "A_HB110A.dfu");
    EXPECT_FALSE(findLocalFirmware(dir.path(), 0x103));
    EXPECT_FALSE(findLocalFirmware(dir.path(), 0x104));

    EXPECT_EQ(stableUpdateArguments(), QStringList{"Override"});
    EXPECT_EQ(fileUpdateArguments("a b.dfu"), QStringList({"a b.dfu", "Y"}));
}

TEST(PrevSerials, PickedToolGoesFirst)
{
    EXPECT_EQ(promoteSerial({}, "S1", 4), std::vector<std::string>{"S1"});
    EXPECT_EQ(promoteSerial({"S1", "S2", "S3"}, "S3", 4),
              (std::vector<std::string>{"S3", "S1", "S2"}));
    EXPECT_EQ(promoteSerial({"S1", "S2", "S3", "S4"}, "S5", 4),
              (std::vector<std::string>{"S5", "S1", "S2", "S3"}));
}

} // namespace
