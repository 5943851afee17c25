#include "IniDocument.h"

#include "FileIo.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using files::parseBoolean;
using files::parseDecimal;
using files::parseHex;

TEST(ValueText, ParsesOnlyWholeValues)
{
    struct Case {
        const char* text;
        std::optional<int> decimal;
        std::optional<int> hex;
    };
    const Case cases[] = {
        {"0", 0, 0},
        {"-1", -1, std::nullopt},
        {"+7", 7, std::nullopt},
        {"10", 10, 16},
        {"ff", std::nullopt, 255},
        {"AB", std::nullopt, 171},
        {"", std::nullopt, std::nullopt},
        {"abc", std::nullopt, 0xABC},
        {"1 2", std::nullopt, std::nullopt},
        {"0x1F", std::nullopt, std::nullopt},
        {"$1F", std::nullopt, std::nullopt},
        {"99999999999", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDecimal(c.text), c.decimal) << '"' << c.text << '"';
        EXPECT_EQ(parseHex(c.text), c.hex) << '"' << c.text << '"';
    }
    EXPECT_EQ(parseBoolean("0"), false);
    EXPECT_EQ(parseBoolean("-1"), true);
    EXPECT_EQ(parseBoolean("1"), true);
    EXPECT_EQ(parseBoolean("5"), true);
    EXPECT_EQ(parseBoolean("True"), std::nullopt);
    EXPECT_EQ(files::hexByteText(5), "05");
    EXPECT_EQ(files::hexByteText(171), "AB");
}

TEST(IniDocument, WritesKeyEqualsValueWithCrlfInOrder)
{
    TIniDocument doc;
    doc.setText("IC", "Device", "MFS380A");
    doc.setHexByte("DevSetup", "Setting0", 0x0A);
    doc.setBoolean("Channels", "CH0", true);
    doc.setBoolean("Channels", "CH1", false);
    doc.setHexByte("DevSetup", "Setting1", 0xFF);
    EXPECT_EQ(doc.serialise(), "[IC]\r\nDevice=MFS380A\r\n\r\n"
                               "[DevSetup]\r\nSetting0=0A\r\nSetting1=FF\r\n\r\n"
                               "[Channels]\r\nCH0=-1\r\nCH1=0\r\n");
}

TEST(IniDocument, ReadsLikeTheProfileFunctions)
{
    TIniDocument doc;
    doc.parse(
        "\xEF\xBB\xBF[ic]\ndevice = MFS380A \r\n; note\r\n[X]\r\nEmpty=\r\nN=12\r\nB=abc\r\n");
    EXPECT_EQ(doc.text("IC", "Device", ""), "MFS380A");
    EXPECT_EQ(doc.value("x", "empty"), std::string());
    EXPECT_EQ(doc.value("X", "Missing"), std::nullopt);
    EXPECT_EQ(doc.integer("X", "N", 0), 12);
    EXPECT_EQ(doc.integer("X", "Missing", 42), 42);
    EXPECT_THROW(doc.integer("X", "B", 0), TIniValueError);
    EXPECT_THROW(doc.boolean("X", "B", false), TIniValueError);
    EXPECT_EQ(doc.hexByte("X", "N", 0), 0x12);
    EXPECT_THROW(doc.hexByte("X", "Empty", 0), TIniValueError);
    doc.setText("X", "Big", "100");
    EXPECT_THROW(doc.hexByte("X", "Big", 0), TIniValueError);
}

TEST(IniDocument, RefusesAValueThatWouldBreakTheLine)
{
    TIniDocument doc;
    EXPECT_THROW(doc.setText("S", "K", "a\r\n[Evil]"), std::invalid_argument);
    EXPECT_FALSE(doc.hasSection("S"));
}

TEST(FileIo, FailedWriteKeepsTheOldFileAndSaysWhy)
{
    TTempFolder tmp;
    const auto file = tmp / "a.ini";
    std::string error;
    ASSERT_TRUE(files::writeWholeFile(file, "old", error)) << error;
    ASSERT_TRUE(files::writeWholeFile(file, "new", error)) << error;
    EXPECT_EQ(TTempFolder::read(file), "new");
    // A folder where the file should be: nothing is replaced.
    std::filesystem::create_directory(tmp / "dir");
    EXPECT_FALSE(files::writeWholeFile(tmp / "dir", "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(tmp / "dir"));
    // No temporary files are left behind.
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tmp.path()))
        ++count;
    EXPECT_EQ(count, 2);
}

TEST(FileIo, RefusesOversizedAndNonRegularFiles)
{
    TTempFolder tmp;
    std::string out;
    std::string error;
    EXPECT_EQ(files::readWholeFile(tmp / "none", out, error), files::TReadStatus::Missing);
    EXPECT_EQ(files::readWholeFile(tmp.path(), out, error), files::TReadStatus::Failed);
    TTempFolder::write(tmp / "big", std::string(100, 'x'));
    EXPECT_EQ(files::readWholeFile(tmp / "big", out, error, 99), files::TReadStatus::Failed);
    EXPECT_EQ(files::readWholeFile(tmp / "big", out, error, 100), files::TReadStatus::Ok);
    EXPECT_EQ(out.size(), 100u);
}
