// The rows of the "Show Send Commands" table.
#include "SentCommandTable.h"

#include <gtest/gtest.h>

namespace {

using Row = std::vector<std::string>;

TEST(SentCommandTable, OneByteWriteAndNumberingAfterClear)
{
    TSentCommandTable t;
    const std::uint8_t write[] = {0xD1, 0x5A};
    EXPECT_EQ(t.AddCommand(1, 0xD1, write, 1), (Row{"1", "0xD1", "1", "0x5A"}));
    const std::uint8_t two[] = {0x40, 0x01, 0xFF};
    EXPECT_EQ(t.AddCommand(1, 0x40, two, 2), (Row{"2", "0x40", "2", "0x01", "0xFF"}));
    EXPECT_EQ(t.ListCount(), 2);

    t.Clear();
    EXPECT_EQ(t.ListCount(), 0);
    EXPECT_EQ(t.AddCommand(1, 0xD1, write, 1).front(), "1");
}

TEST(SentCommandTable, AddressWidthLengthAndShortBuffers)
{
    TSentCommandTable t;
    // A 16-bit register address: four digits, data after both address bytes.
    const std::uint8_t wide[] = {0x12, 0x34, 0x07};
    EXPECT_EQ(t.AddCommand(2, 0x1234, wide, 1), (Row{"1", "0x1234", "1", "0x07"}));
    // Only the low 8 bits of the length count.
    const std::uint8_t one[] = {0x10, 0xAB};
    EXPECT_EQ(t.AddCommand(1, 0x10, one, 0x101)[2], "1");
    // A length beyond the buffer shows the bytes there are, nothing more.
    EXPECT_EQ(t.AddCommand(1, 0x10, one, 5), (Row{"3", "0x10", "5", "0xAB"}));
    EXPECT_EQ(t.AddCommand(1, 0x10, {}, 1), (Row{"4", "0x10", "1"}));
}

TEST(SentCommandTable, ColumnsGrowForLongWritesAndShrinkAtClear)
{
    TSentCommandTable t;
    EXPECT_EQ(t.columnCount(), 13);
    EXPECT_EQ(TSentCommandTable::columnTitle(0), "#");
    EXPECT_EQ(TSentCommandTable::columnTitle(1), "Address");
    EXPECT_EQ(TSentCommandTable::columnTitle(2), "Length");
    EXPECT_EQ(TSentCommandTable::columnTitle(3), "Data1");
    EXPECT_EQ(TSentCommandTable::columnTitle(12), "Data10");
    std::vector<std::uint8_t> sixteen(17, 0x11);
    sixteen[0] = 0x70;
    const Row& r = t.AddCommand(1, 0x70, sixteen, 16);
    EXPECT_EQ(r.size(), 19u); // no data byte is lost
    EXPECT_EQ(t.columnCount(), 19);
    EXPECT_EQ(TSentCommandTable::columnTitle(18), "Data16");
    t.Clear();
    EXPECT_EQ(t.columnCount(), 13);
}

} // namespace
