#include "SetupModel.h"

#include "HexText.h"

#include <cmath>

TSetupModel::TSetupModel()
{
    snapshotSetupChecks();
    snapshotStreaming();
    SetupStreaming();
}

TSetupStates TSetupModel::GetSetupCheckStates()
{
    auto rounded = [](double v) {
        if (!std::isfinite(v) || std::fabs(v) > 2e9)
            return std::int32_t{-1};
        return static_cast<std::int32_t>(std::lround(v));
    };
    const auto address = parseHexText(I2CAddressText);
    FCurSetupCheckStates = {
        VoltageIndex,
        BaselineView ? 1 : 0,
        CommsIndex,
        rounded(GraphMin),
        rounded(GraphMax),
        rounded(GraphInc),
        PollingSpeed,
        PullupIndex,
        CommsSpeedIndex,
        address && *address <= 0x7FFFFFFFu ? static_cast<std::int32_t>(*address) : -1,
    };
    return FCurSetupCheckStates;
}

bool TSetupModel::SetSetupCheckStates(std::span<const std::int32_t> values)
{
    if (values.size() < kSetupStates)
        return false;
    VoltageIndex = values[0];
    BaselineView = values[1] != 0;
    CommsIndex = values[2];
    GraphMin = values[3];
    GraphMax = values[4];
    GraphInc = values[5];
    PollingSpeed = values[6];
    PullupIndex = values[7];
    CommsSpeedIndex = values[8];
    I2CAddressText = values[9] >= 0 ? hexByteText(static_cast<std::uint32_t>(values[9])) : "";
    return true;
}

std::uint16_t TSetupModel::GetStreamingSetup()
{
    FCurSetup = static_cast<std::uint16_t>((PTCheck ? kStreamPT : 0) | (CSCheck ? kStreamCS : 0) |
                                           (LTACheck ? kStreamLTA : 0));
    return FCurSetup;
}

void TSetupModel::SetStreamingSetup(std::uint16_t bits)
{
    PTCheck = (bits & kStreamPT) != 0;
    CSCheck = (bits & kStreamCS) != 0;
    LTACheck = (bits & kStreamLTA) != 0;
}

bool TSetupModel::detectSetupChecksChange()
{
    GetSetupCheckStates();
    FSetupChecksChanged = FCurSetupCheckStates != FPrevSetupCheckStates;
    return FSetupChecksChanged;
}

bool TSetupModel::detectStreamingChange()
{
    GetStreamingSetup();
    FStreamSetupChanged = FCurSetup != FPrevSetup;
    return FStreamSetupChanged;
}

void TSetupModel::snapshotSetupChecks()
{
    GetSetupCheckStates();
    FPrevSetupCheckStates = FCurSetupCheckStates;
    FSetupChecksChanged = false;
}

void TSetupModel::snapshotStreaming()
{
    GetStreamingSetup();
    FPrevSetup = FCurSetup;
    FStreamSetupChanged = false;
}

void TSetupModel::undoSetupChecks()
{
    SetSetupCheckStates(FPrevSetupCheckStates);
    FCurSetupCheckStates = FPrevSetupCheckStates;
    FSetupChecksChanged = false;
}

void TSetupModel::undoStreaming()
{
    SetStreamingSetup(FPrevSetup);
    FCurSetup = FPrevSetup;
    FStreamSetupChanged = false;
}

TStreamSelection TSetupModel::streamSelection(std::vector<int>* rejectedRows) const
{
    TStreamSelection sel;
    sel.PT = PTCheck;
    sel.CS = CSCheck;
    sel.LTA = LTACheck;
    sel.DoChStream = DoChStream;
    sel.CH6Check = CH6Check;
    sel.CH7Check = CH7Check;
    for (int j = 0; j < kExtraAddresses; ++j) {
        const std::string& text = AdrsEditArray[static_cast<std::size_t>(j)];
        if (text.empty())
            continue;
        const auto a = parseHexByte(text);
        if (a && *a != 0)
            sel.Addresses[static_cast<std::size_t>(j)] = a;
        else if (rejectedRows)
            rejectedRows->push_back(j);
    }
    return sel;
}

std::vector<int> TSetupModel::SetupStreaming()
{
    std::vector<int> rejected;
    buildStreamTable(streamSelection(&rejected), FTable);
    return rejected;
}
