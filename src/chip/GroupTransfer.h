#pragma once
// What goes over the wire for a settings group: the bytes of its reads turned
// into block values, the buffers of its writes (register address first) with
// the pending one-shot commands merged in, and the channel-enable byte 0xD1.

#include "SettingsGroups.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Pending one-shot chip commands. They are merged into the byte sent and
// never stored in a settings block.
struct TOneShotCommands {
    bool FReseed = false;       // 0xD0 bit 0
    bool FRedoATI = false;      // 0xD0 bit 1
    bool FAckReset = false;     // 0xD0 bit 6
    bool FSoftReset = false;    // 0xD0 bit 7
    bool FHAllForceCal = false; // 0xA0 bit 7

    // After a device write: redo ATI, reseed and soft reset are done; the
    // acknowledge stays pending until the reset is seen.
    void deviceWritten() { FReseed = FRedoATI = FSoftReset = false; }
    // After a Hall write: the force calibration was sent once.
    void hallWritten() { FHAllForceCal = false; }
};

// The SYSTEM_SETTINGS byte sent: the block's byte with the command bits OR-ed in.
std::uint8_t mergeSystemSettings(std::uint8_t blockByte, const TOneShotCommands& cmds);
// The HALL_UI_SETTINGS_0 byte sent.
std::uint8_t mergeHallUi0(std::uint8_t blockByte, const TOneShotCommands& cmds);

// Block values from the bytes of the group's reads (one span per burst of
// groupDesc(g).reads(), in that order). Bytes of registers outside the group
// (the two beyond 0x66, the byte of 0xD1) are dropped. nullopt when a span is
// missing or shorter than its burst.
std::optional<std::vector<std::int32_t>>
valuesFromRead(TSettingsGroup g, std::span<const std::span<const std::uint8_t>> bursts);

// The buffers of the group's writes: register address, then the low byte of
// each current element of that burst, with the commands merged into the bytes
// of 0xD0 and 0xA0. current must hold the group's element count.
using TWriteBuffer = std::vector<std::uint8_t>;
std::vector<TWriteBuffer> groupWriteBuffers(TSettingsGroup g, std::span<const std::int32_t> current,
                                            const TOneShotCommands& cmds = {});

// ACTIVE_CHS (0xD1) from the six channel boxes: bit n set while box n is ticked.
std::uint8_t activeChsMask(const std::array<bool, 6>& channelBoxes);
// The channel boxes after a full read: box n ticked when bit n is set, except
// box 1, which is ticked regardless while SAR UI is enabled and the movement
// override is off.
std::array<bool, 6> channelBoxesFromActiveChs(std::uint8_t activeChs, bool uiSar,
                                              bool movementOverride);
