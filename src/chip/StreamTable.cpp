#include "StreamTable.h"

#include "MemoryMap.h"

namespace {

// Walks the blocks in frame order. mark(position, address) is called for the
// first table entry of every block.
template <typename Mark> TStreamLayout layOut(const TStreamSelection& sel, Mark&& mark)
{
    constexpr int h = kFrameHeader;
    TStreamLayout l;

    // Registers 0x10..0x1B are always streamed.
    mark(0, reg::SysFlags);
    l.SysFlagsActive = true;
    l.SysFlagsStartIndex = h;
    l.PTStartIndex = h + (reg::ProxTouchFlags - reg::SysFlags);
    l.SarStartIndex = h + (reg::SarUiFlags - reg::SysFlags);
    l.MetalStartIndex = h + (reg::HysteresisOutput - reg::SysFlags);
    l.HallStartIndex = h + (reg::HallFlags - reg::SysFlags);
    l.TempStartIndex = h + (reg::TempFlags - reg::SysFlags);
    l.PTActive = sel.PT;
    int p = reg::StatusBlockBytes;

    if (sel.CS) {
        mark(p, reg::Counts);
        l.CSStartIndex = p + h;
        l.CSActive = true;
        p += reg::CountsBytes;
    }
    if (sel.LTA) {
        mark(p, reg::Lta);
        l.LTAStartIndex = p + h;
        l.LTAActive = true;
        p += reg::LtaBytes;
    }
    if (sel.DoChStream) {
        mark(p, reg::ActiveChs);
        l.ChStartIndex = p + h;
        l.ChActive = true;
        p += 1;
    }
    mark(p, reg::QuickRelease);
    l.QRDStartIndex = p + h;
    p += 2;

    for (int j = 0; j < kExtraAddresses; ++j) {
        const auto& a = sel.Addresses[static_cast<std::size_t>(j)];
        bool wanted = a.has_value() && *a != 0; // 0 would continue the previous run
        int width = 1;
        if (j == kExtraBar1 || j == kExtraBar2) {
            wanted = wanted && (j == kExtraBar1 ? sel.CH6Check : sel.CH7Check);
            width = 2;
        }
        if (!wanted)
            continue;
        mark(p, *a);
        l.AdrStartIndexArray[static_cast<std::size_t>(j)] = p + h;
        l.AdrActiveArray[static_cast<std::size_t>(j)] = true;
        p += width;
    }
    l.StreamLength = p;
    return l;
}

} // namespace

TStreamLayout buildStreamLayout(const TStreamSelection& sel)
{
    return layOut(sel, [](int, std::uint8_t) {});
}

void buildStreamTable(const TStreamSelection& sel, TStreamTable& table)
{
    table.Bytes.fill(0);
    table.Layout = layOut(sel, [&table](int position, std::uint8_t address) {
        table.Bytes[static_cast<std::size_t>(position)] = address;
    });
}
