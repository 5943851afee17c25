#pragma once
// The rows of the "Show Send Commands" table: one per register write, with
// its number ("#", from 1), "Address", "Length" and the data bytes "Data1",
// "Data2", ... All texts as the table shows them.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TSentCommandTable {
public:
    // "#", "Address", "Length", then this many data columns at least.
    static constexpr int kFixedColumns = 3;
    static constexpr int kDataColumns = 10;

    // One register write. AddrLeng 1: an 8-bit register address, else 16-bit.
    // Data is the write buffer: the address byte(s) first, then the data
    // bytes. Length is the number of data bytes (its low 8 bits count); bytes
    // beyond the end of Data are not shown. Returns the new row.
    const std::vector<std::string>& AddCommand(int AddrLeng, std::uint16_t Addr,
                                               std::span<const std::uint8_t> Data, int Length);
    // Empties the table; the next write is number 1 again.
    void Clear();

    int ListCount() const { return static_cast<int>(FRows.size()); }
    const std::vector<std::string>& row(int index) const
    {
        return FRows.at(static_cast<std::size_t>(index));
    }
    // Columns needed so far: the fixed ones and at least kDataColumns data
    // columns, more when a write carried more data bytes.
    int columnCount() const { return kFixedColumns + FDataColumns; }
    static std::string columnTitle(int column);

private:
    std::vector<std::vector<std::string>> FRows;
    int FDataColumns = kDataColumns;
};
