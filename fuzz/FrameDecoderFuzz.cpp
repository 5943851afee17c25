// The frame decoder with the stream address table it decodes by: any choice
// of streamed blocks and debug addresses, any frame bytes. The decoder reads
// only the frame it was given and refuses frames too short for the table.
//
// Input: a flags byte (PT, CS, LTA, ACTIVE_CHS, extra bars 6 and 7, SAR UI),
// 22 address bytes (0 for an empty row), then the frame bytes, split into
// several frames at every 0xFF 0xFE pair.
#include "FrameDecoder.h"
#include "StreamTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 + kExtraAddresses)
        return 0;
    TStreamSelection sel;
    const std::uint8_t flags = data[0];
    sel.PT = flags & 1;
    sel.CS = flags & 2;
    sel.LTA = flags & 4;
    sel.DoChStream = flags & 8;
    sel.CH6Check = flags & 16;
    sel.CH7Check = flags & 32;
    const bool uiSar = flags & 64;
    for (int i = 0; i < kExtraAddresses; ++i) {
        if (data[1 + i] != 0)
            sel.Addresses[static_cast<std::size_t>(i)] = data[1 + i];
    }
    data += 1 + kExtraAddresses;
    size -= 1 + kExtraAddresses;

    auto table = std::make_unique<TStreamTable>();
    buildStreamTable(sel, *table);
    const TStreamLayout& layout = table->Layout;
    if (layout.StreamLength < 0 || static_cast<std::size_t>(layout.StreamLength) > kStreamTableSize)
        std::abort();
    if (buildStreamLayout(sel).StreamLength != layout.StreamLength)
        std::abort();

    TLiveChannelState state{};
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        const bool cut = i + 1 < size && data[i] == 0xFF && data[i + 1] == 0xFE;
        if (!cut && i != size)
            continue;
        // Each frame in a buffer of its own, so that a read past its end is seen.
        std::vector<std::uint8_t> frame(data + start, data + i);
        const bool decoded = decodeFrame(std::span<const std::uint8_t>(frame), layout, uiSar, state);
        if (decoded && frame.size() < static_cast<std::size_t>(layout.frameSize()))
            std::abort();
        trackAtiBusy(state);
        (void)frameToolId(frame);
        start = i + 2;
        ++i;
    }
    (void)debugByteText(static_cast<std::uint8_t>(state.FSysFlags));
    return 0;
}
