#include "GroupTransfer.h"

#include "MemoryMap.h"

std::uint8_t mergeSystemSettings(std::uint8_t blockByte, const TOneShotCommands& cmds)
{
    std::uint8_t b = blockByte;
    if (cmds.FReseed)
        b |= reg::CmdReseed;
    if (cmds.FRedoATI)
        b |= reg::CmdRedoAti;
    if (cmds.FAckReset)
        b |= reg::CmdAckReset;
    if (cmds.FSoftReset)
        b |= reg::CmdSoftReset;
    return b;
}

std::uint8_t mergeHallUi0(std::uint8_t blockByte, const TOneShotCommands& cmds)
{
    return cmds.FHAllForceCal ? static_cast<std::uint8_t>(blockByte | reg::CmdHallForceCal)
                              : blockByte;
}

std::optional<std::vector<std::int32_t>>
valuesFromRead(TSettingsGroup g, std::span<const std::span<const std::uint8_t>> bursts)
{
    const TGroupDesc& gd = groupDesc(g);
    if (bursts.size() < gd.ReadCount)
        return std::nullopt;
    std::vector<std::int32_t> values(gd.ElementCount, 0);
    for (std::size_t b = 0; b < gd.ReadCount; ++b) {
        const TBurst& burst = gd.Reads[b];
        if (bursts[b].size() < burst.Count)
            return std::nullopt;
        for (std::size_t i = 0; i < burst.Count; ++i) {
            const int e = gd.elementOf(static_cast<std::uint8_t>(burst.Address + i));
            if (e >= 0)
                values[static_cast<std::size_t>(e)] = bursts[b][i];
        }
    }
    return values;
}

std::vector<TWriteBuffer> groupWriteBuffers(TSettingsGroup g, std::span<const std::int32_t> current,
                                            const TOneShotCommands& cmds)
{
    const TGroupDesc& gd = groupDesc(g);
    std::vector<TWriteBuffer> out;
    if (current.size() < gd.ElementCount)
        return out;
    for (const TBurst& burst : gd.writes()) {
        TWriteBuffer buf;
        buf.reserve(burst.Count + 1u);
        buf.push_back(burst.Address);
        for (std::size_t i = 0; i < burst.Count; ++i) {
            const auto address = static_cast<std::uint8_t>(burst.Address + i);
            auto byte = static_cast<std::uint8_t>(
                current[static_cast<std::size_t>(gd.elementOf(address))] & 0xFF);
            if (address == reg::SystemSettings)
                byte = mergeSystemSettings(byte, cmds);
            else if (address == reg::HallUiSettings)
                byte = mergeHallUi0(byte, cmds);
            buf.push_back(byte);
        }
        out.push_back(std::move(buf));
    }
    return out;
}

std::uint8_t activeChsMask(const std::array<bool, 6>& channelBoxes)
{
    std::uint8_t mask = 0;
    for (std::size_t n = 0; n < channelBoxes.size(); ++n) {
        if (channelBoxes[n])
            mask |= static_cast<std::uint8_t>(1u << n);
    }
    return mask;
}

std::array<bool, 6> channelBoxesFromActiveChs(std::uint8_t activeChs, bool uiSar,
                                              bool movementOverride)
{
    std::array<bool, 6> boxes{};
    for (std::size_t n = 0; n < boxes.size(); ++n)
        boxes[n] = (activeChs >> n) & 1u;
    if (uiSar && !movementOverride)
        boxes[1] = true;
    return boxes;
}
