// The streaming report handler of the device list: whatever input reports a
// tool (or another HID device) sends while streaming, in raw mode or not
// streaming at all, the handler reads only what it was given, assembles
// frames within its buffer, and hands on frames it may hand on.
//
// Input: a set-up byte (bit 0 long streaming, bit 1 raw mode, bit 2 not
// streaming, bit 3 a template length apart from the frame length), two bytes
// of frame length, then reports: a length byte and that many bytes, each
// delivered as one input report of the streaming tool (or, with the length's
// top bit set, of a device that is no tool).
#include "ToolRig.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Fuzz {
    ToolRig rig;
    std::shared_ptr<scripted::ScriptedDevice> other;
    std::uint64_t sink = 0;  // keeps the reads of the handed-on bytes

    Fuzz()
    {
        other = rig.backend.plug(0x046D, 0xC52B, "Not a tool", "");
        rig.dispatcher.runAll();
        rig.tool.OnStreaming = [this](std::uint16_t size, std::uint8_t, const std::uint8_t* data) {
            if (data == nullptr && size != 0)
                std::abort();
            for (std::uint16_t i = 0; i < size; ++i)
                sink += data[i];
        };
        rig.tool.OnStreamingError = [this](std::uint16_t code) { sink += code; };
        rig.tool.OnStreamingDataMissed = [this](std::uint8_t id) { sink += id; };
        rig.list.OnDeviceData = [this](std::uint16_t size, std::uint8_t, const std::uint8_t* data) {
            for (std::uint16_t i = 0; i < size; ++i)
                sink += data[i];
        };
    }

    HidDevice* device(bool tool)
    {
        for (const TDevEntry& e : rig.list.HidDevices()) {
            hid::Attributes a;
            if (e.Object && e.Object->attributes(a) &&
                TKelvanDevList::IsConfigurationTool(a.vendorId, a.productId) == tool)
                return e.Object.get();
        }
        return nullptr;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Fuzz f;
    if (size < 3)
        return 0;
    const std::uint8_t setup = data[0];
    const auto length = static_cast<std::uint16_t>((data[1] << 8 | data[2]) % 1200);
    data += 3;
    size -= 3;

    f.rig.clock.sleeps.clear();
    f.rig.list.SetRawStream(setup & 2);
    if (!(setup & 4)) {
        const TKvnByteArray table{};
        if (setup & 1) {
            if (setup & 8)
                f.rig.tool.SetLongStreamingLength(length, static_cast<std::uint16_t>(length / 2 + 4));
            else
                f.rig.tool.SetLongStreamingLength(length);
            f.rig.tool.StartLongStreaming(table);
        } else {
            f.rig.tool.StartStreaming(static_cast<std::uint8_t>(length), table);
        }
    }
    HidDevice* tool = f.device(true);
    HidDevice* other = f.device(false);
    std::vector<std::uint8_t> report;
    while (size > 0) {
        const std::size_t n = std::min<std::size_t>(data[0] & 0x7F, size - 1);
        HidDevice* from = (data[0] & 0x80) ? other : tool;
        // A report of its own, so that a read past its end is seen.
        report.assign(data + 1, data + 1 + n);
        if (from != nullptr)
            f.rig.list.DeviceData(*from, report.empty() ? nullptr : report.data(),
                                  static_cast<std::uint16_t>(report.size()));
        data += n + 1;
        size -= n + 1;
    }
    if (f.rig.list.IsStreaming())
        f.rig.tool.StopStreaming();
    f.rig.list.SetRawStream(false);
    // Whatever the reports did, the next stream starts clean: the replies
    // queued for the tool's reader are handled, the written reports dropped.
    f.rig.list.PollReaders();
    f.rig.dispatcher.runAll();
    f.rig.device->clearWritten();
    return 0;
}
