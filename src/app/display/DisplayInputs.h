#pragma once
// The controls and settings the live display reads besides the frame: the
// channel check boxes, baseline view, which blocks are streamed, SAR UI, the
// movement override, metal detect, engineering mode and the quick-release
// reset time.

#include "StreamTable.h"

#include <array>
#include <cstdint>
#include <string_view>

struct TDisplayInputs {
    std::array<bool, 6> ChannelChecked{true, true, true, true, true, true}; // CH0Check..CH5Check
    bool CH6Check = false;                                                  // engineering bar 6
    bool CH7Check = false;                                                  // engineering bar 7
    bool DeltaOnly = false; // "Baseline View" (FDeltaOnly)
    // Streamed blocks (from the stream layout).
    bool CSActive = true;
    bool LTAActive = true;
    bool PTActive = true;
    std::array<bool, kExtraAddresses> AdrActive{}; // debug rows 0..19, bar rows 20, 21
    bool UiSar = false;                            // UI_SAR: SAR UI enabled on the chip
    bool MovementOverride = false;                 // the settings window's movement override box
    bool MetalDetectEn = false;                    // FMetalDetectEn
    bool EngineeringMode = false; // the settings window's engineering page button is visible
    std::uint32_t QuickReleaseResetMs = 2000; // QRDTimer interval

    void takeLayout(const TStreamLayout& layout)
    {
        CSActive = layout.CSActive;
        LTAActive = layout.LTAActive;
        PTActive = layout.PTActive;
        AdrActive = layout.AdrActiveArray;
    }
    bool anyChannelChecked() const
    {
        for (bool b : ChannelChecked)
            if (b)
                return true;
        return false;
    }
};

// The quick-release reset time box as an interval: its decimal number of
// milliseconds; 2000 when it is empty or not a number of 0..3600000.
std::uint32_t quickReleaseResetTime(std::string_view boxText);
