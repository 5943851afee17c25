// The version list, the records built from it and the deciding, as pure
// functions; the installed and downloaded versions from real files.
#include "InstalledPrograms.h"
#include "LocalUpdates.h"
#include "VersionCompare.h"
#include "VersionList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList regNames(const TVersionList& list)
{
    QStringList out;
    for (const auto& r : list.Records)
        out << r.RegName;
    return out;
}

TEST(VersionList, TextBetweenTheFirstMarkersWithoutLineFeeds)
{
    const QByteArray body = "<html>VSTART2~7~\nKelvan_Other~Other Tool~V2.0.0.1~https://x/o.zip~"
                            "Line one#10Line two~ABC\r~~\nKelvan_MFS380A~Kelvan MFS380A~V1.1.0.60~"
                            "https://x/m.zip~~temp~~VEND<p>VEND</p>";
    const auto items = splitVersionList(body);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 2 + 14 + 1); // 16 separators, the empty item at the end counts
    EXPECT_EQ((*items)[0], "2");
    EXPECT_EQ((*items)[7], "ABC\r"); // nothing but line feeds is removed

    const TVersionList list = parseVersionList(body);
    ASSERT_TRUE(list.Success);
    // The program's own record first, then the others in list order.
    ASSERT_EQ(regNames(list), QStringList({"Kelvan_MFS380A", "Kelvan_Other"}));
    EXPECT_EQ(list.Records[0].WebVersion, "V1.1.0.60");
    EXPECT_EQ(list.Records[0].Exstra2, "temp");
    EXPECT_EQ(list.Records[1].AppName, "Other Tool");
    EXPECT_EQ(list.Records[1].WebLink, "https://x/o.zip");
    EXPECT_EQ(list.Records[1].Exstra1, "Line one#10Line two");
}

TEST(VersionList, MalformedListsGiveTheProgramsOwnRecordAlone)
{
    for (const QByteArray& body :
         {QByteArray("no markers"), QByteArray("VSTART1~7~Kelvan_MFS380A~a~b~c~d~e~f"),
          QByteArray("VEND VSTART1~7~Kelvan_MFS380A~a~b~c~d~e~f~VEND"),
          QByteArray("VSTARTx~7~Kelvan_MFS380A~a~b~c~d~e~fVEND"),
          QByteArray("VSTART1~6~Kelvan_MFS380A~a~b~c~d~eVEND"),
          QByteArray("VSTART0~7~Kelvan_MFS380A~a~b~c~d~e~fVEND"), QByteArray("VSTARTVEND")}) {
        const TVersionList list = parseVersionList(body);
        EXPECT_FALSE(list.Success) << body.constData();
        ASSERT_EQ(list.Records.size(), 1u);
        EXPECT_EQ(list.Records[0].RegName, "Kelvan_MFS380A");
        EXPECT_EQ(list.Records[0].AppName, "Kelvan MFS380A");
        EXPECT_TRUE(list.Records[0].WebVersion.isEmpty());
    }
}

TEST(VersionList, WithoutTheProgramsOwnKeyNothingIsOffered)
{
    const TVersionList list =
        parseVersionList("VSTART1~7~Kelvan_Other~Other~V9.0.0.0~https://x~~~VEND");
    EXPECT_TRUE(list.Success);
    EXPECT_TRUE(list.Records.empty());
}

TEST(VersionList, BlocksAreBoundedByNAndByTheList)
{
    // N = 2: the own block and one more; the third block is not read. Longer
    // blocks (M = 8) keep their extra items out of the record.
    const QByteArray body = "VSTART2~8~A_1~a~V1.0.0.1~l~~~~extra~kelvan_mfs380a~own~V1.0.0.2~l~~~~"
                            "x~B_2~b~V1.0.0.3~l~~~~xVEND";
    TVersionList list = parseVersionList(body);
    EXPECT_EQ(regNames(list), QStringList({"kelvan_mfs380a", "A_1"}));
    EXPECT_EQ(list.Records[1].Exstra3, "");

    // A huge N allocates nothing; a block cut short at the end reads empty items.
    list = parseVersionList("VSTART2000000000~7~Kelvan_MFS380A~own~V1.0.0.2~l~~~~B~b~V1VEND");
    ASSERT_EQ(regNames(list), QStringList({"Kelvan_MFS380A", "B"}));
    EXPECT_EQ(list.Records[1].WebVersion, "V1");
    EXPECT_EQ(list.Records[1].WebLink, "");
}

TEST(VersionList, ProductKeysThatAreNotPlainNamesAreIgnored)
{
    const QByteArray body = "VSTART6~7~Kelvan_MFS380A~own~V1~l~~~~../../.ssh~a~V1~l~~~~"
                            "/tmp/x~b~V1~l~~~~..~c~V1~l~~~~Good-Name.2~d~V1~l~~~~good-name.2~e~V1~"
                            "l~~~VEND";
    EXPECT_EQ(regNames(parseVersionList(body)), QStringList({"Kelvan_MFS380A", "Good-Name.2"}));
    EXPECT_TRUE(isPlainRegName("Kelvan_Flashkit"));
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "C:x", "a b", "ä"})
        EXPECT_FALSE(isPlainRegName(QString::fromUtf8(bad))) << bad;
}

TEST(VersionCompare, VersionTexts)
{
    EXPECT_EQ(parseVersionText("V1.1.0.50"), (TVersionParts{1, 1, 0, 50}));
    // A text starting with a digit loses it as the leading character.
    EXPECT_EQ(parseVersionText("12.1.0.50"), (TVersionParts{2, 1, 0, 50}));
    for (const char* bad : {"1.1.0.50", "V1.2.3", "V1.2.3.4.5", "Vx.1.2.3", "V1..2.3", "V",
                            "V1.2.3.99999999999", "V1.2.3.4 beta"})
        EXPECT_FALSE(parseVersionText(bad)) << bad;
    EXPECT_TRUE(isNewerVersion({1, 2, 0, 0}, {1, 1, 9, 9}));
    EXPECT_FALSE(isNewerVersion({1, 1, 0, 50}, {1, 1, 0, 50}));
}

TUpdateRecord rec(const char* c, const char* w, const char* l)
{
    TUpdateRecord r;
    r.CurrentVersion = c;
    r.WebVersion = w;
    r.LocalVersion = l;
    return r;
}

TEST(VersionCompare, DecideTable)
{
    struct Row {
        const char *c, *w, *l;
        bool required, installOnly, notAvailable;
    };
    const Row rows[] = {
        {"V1.0.0.0", "V1.0.0.0", "", false, false, true},            // equal web: not offered
        {"V1.0.0.0", "V1.0.0.1", "", true, false, false},            // download
        {"V1.0.0.0", "V1.0.0.1", "V1.0.0.1", true, true, false},     // already downloaded
        {"V1.0.0.0", "V1.0.0.1", "v1.0.0.1", true, false, false},    // equal only as numbers
        {"V1.0.0.0", "V1.0.0.1", "V1.0.0.2", true, true, false},     // web list lagging
        {"V1.0.0.0", "V1.0.0.2", "V1.0.0.1", true, false, false},    // older download
        {"V1.0.0.5", "V1.0.0.5", "V1.0.0.9", false, false, true},    // web not newer
        {"V1.0.0.0", "", "V1.0.0.1", true, true, false},             // server unreachable
        {"V1.0.0.1", "", "V1.0.0.1", false, false, true},
        {"V1.0.0.0", "", "", false, false, true},
        {"", "V9.0.0.0", "", false, false, true},                    // not installed
    };
    std::vector<TUpdateRecord> records;
    for (const Row& r : rows)
        records.push_back(rec(r.c, r.w, r.l));
    CompareVersions(records);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].UpdateRequired, rows[i].required) << i;
        EXPECT_EQ(records[i].InstallOnly, rows[i].installOnly) << i;
        EXPECT_EQ(records[i].NotAvailable, rows[i].notAvailable) << i;
    }
}

TEST(VersionCompare, ABadVersionStopsTheDecidingForThatRecordAndTheRest)
{
    std::vector<TUpdateRecord> records = {rec("V1.0.0.0", "V1.0.0.1", ""),
                                          rec("V1.0.0.0", "1.0.0.2", ""),
                                          rec("V1.0.0.0", "V1.0.0.3", "")};
    records[2].NotAvailable = false;
    CompareVersions(records);
    EXPECT_TRUE(records[0].offered());
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_FALSE(records[i].UpdateRequired);
        EXPECT_FALSE(records[i].NotAvailable);
        EXPECT_FALSE(records[i].offered());
    }
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(LocalUpdates, InstalledAndDownloadedVersions)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("installed.ini"), "[Kelvan_Other]\nVersion=V2.0.0.1 build 7\n"
                                             "[Kelvan_Empty]\nVersion=\n");
    const TIniInstalledPrograms installed({dir.filePath("installed.ini")});
    std::vector<TUpdateRecord> records(4);
    records[0].RegName = "Kelvan_MFS380A";
    records[1].RegName = "Kelvan_Other";
    records[2].RegName = "Kelvan_Empty";
    records[3].RegName = "Kelvan_Missing";
    fillInstalledVersions(records, installed, "V1.1.0.50");
    EXPECT_EQ(records[0].CurrentVersion, "V1.1.0.50"); // the program's own version
    EXPECT_EQ(records[1].CurrentVersion, "V2.0.0.1");  // cut at the first space
    EXPECT_TRUE(records[2].NotAvailable);
    EXPECT_TRUE(records[3].NotAvailable);

    const TUpdateFolders folders(dir.filePath("Kelvan"));
    // No updates folder: nothing downloaded, and nothing is written.
    EXPECT_TRUE(writeDownloaded(folders, "Kelvan_Other", "V2.0.0.2", "/x"));
    EXPECT_FALSE(QFile::exists(folders.iniPath()));

    ASSERT_TRUE(QDir().mkpath(folders.downloadFolder("Kelvan_Other")));
    const QString installer = QDir(folders.downloadFolder("Kelvan_Other")).filePath("o.run");
    writeFile(installer, "#!/bin/sh\n");
    ASSERT_TRUE(writeDownloaded(folders, "Kelvan_Other", "V2.0.0.2", installer));
    ASSERT_TRUE(writeDownloaded(folders, "Kelvan_MFS380A", "V1.1.0.60", "/gone/m.run"));
    readDownloadedVersions(records, folders);
    EXPECT_EQ(records[1].LocalVersion, "V2.0.0.2");
    EXPECT_EQ(records[1].LocalLink, installer);
    // An installer that is no longer there counts as nothing downloaded.
    EXPECT_TRUE(records[0].LocalVersion.isEmpty());
    EXPECT_TRUE(records[0].LocalLink.isEmpty());
}

} // namespace
