#include "SentCommandTable.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string hex(unsigned value, int digits)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

} // namespace

const std::vector<std::string>& TSentCommandTable::AddCommand(int AddrLeng, std::uint16_t Addr,
                                                              std::span<const std::uint8_t> Data,
                                                              int Length)
{
    const bool shortAddress = AddrLeng == 1;
    const int length = Length & 0xFF;
    const std::size_t skip = shortAddress ? 1 : 2;
    const std::size_t available = Data.size() > skip ? Data.size() - skip : 0;
    const std::size_t shown = std::min<std::size_t>(static_cast<std::size_t>(length), available);

    std::vector<std::string> cells;
    cells.reserve(kFixedColumns + shown);
    cells.push_back(std::to_string(FRows.size() + 1));
    cells.push_back(shortAddress ? hex(Addr & 0xFFu, 2) : hex(Addr, 4));
    cells.push_back(std::to_string(length));
    for (std::size_t i = 0; i < shown; ++i)
        cells.push_back(hex(Data[skip + i], 2));
    FDataColumns = std::max(FDataColumns, static_cast<int>(shown));
    FRows.push_back(std::move(cells));
    return FRows.back();
}

void TSentCommandTable::Clear()
{
    FRows.clear();
    FDataColumns = kDataColumns;
}

std::string TSentCommandTable::columnTitle(int column)
{
    switch (column) {
    case 0:
        return "#";
    case 1:
        return "Address";
    case 2:
        return "Length";
    default:
        return "Data" + std::to_string(column - kFixedColumns + 1);
    }
}
