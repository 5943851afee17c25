#pragma once
// The decoded values of the latest streamed frame. Blocks that a frame does not
// carry keep their values (the session zeroes counts, averages and deltas at
// Start, so a block never streamed shows 0).

#include <array>
#include <cstdint>

struct TLiveChannelState {
    std::uint8_t FSysFlags = 0;  // 0x10
    std::uint8_t FSysEvents = 0; // 0x11

    // 0x13, SAR and UI flags
    bool FSarTState = false;    // bit 0
    bool FSarMov = false;       // bit 1, movement
    bool FSarQR = false;        // bit 2, quick release
    bool FSarPState = false;    // bit 4
    bool FSarCh1TState = false; // bit 5
    bool FSarCh1DState = false; // bit 6
    bool FMetalType = false;    // bit 7: "A" when set, "B" when clear
    bool FMetalProx = false;    // bit 5
    bool FMetalTouch = false;   // bit 6

    // 0x12, prox and touch flags
    bool FSarCh0PState = false; // bit 0
    bool FSarCh1PState = false; // bit 2
    bool FSarCh0TState = false; // bit 4
    bool FSarCh0DState = false; // bit 5

    std::uint16_t FQRDValue = 0;     // 0xF2, 0xF3
    std::uint16_t FMetalUIValue = 0; // 0x14, 0x15, hysteresis value
    std::uint8_t FSarChStr = 0;      // 0xD1 while SAR UI is enabled and it is streamed, else 0

    // 0x16, Hall flags; 0x17, 0x18 value
    bool FHallNS = false;        // bit 0, pole: set = north, value shown positive
    bool FHallPState = false;    // bit 1
    bool FHallTState = false;    // bit 2
    std::int32_t FHallValue = 0; // unsigned 16-bit value 0..65535

    std::uint8_t FTemperatureFlags = 0;  // 0x19
    std::uint16_t FTemperatureValue = 0; // 0x1A, 0x1B
    bool FETempTrip = false;             // 0x19 bit 7

    std::array<std::int32_t, 6> FCurrentChs{}; // counts; kept while not streamed
    std::array<std::int32_t, 6> FLTAChs{};     // CH0..2 averages, CH3..5 their count
    std::array<std::int32_t, 6> FDeltaChs{};   // count - average while both streamed, else 0
    std::int32_t FLPcsCH = 0;                  // CH0 count, 0 while counts are not streamed
    std::int32_t FLPltaCH = 0;                 // CH0 average, 0 while averages are not streamed

    std::uint16_t FProx = 0;  // 0x12 bits 3:0 while prox and touch are on, else 0
    std::uint16_t FTouch = 0; // 0x12 bits 7:4 while prox and touch are on, else 0
    std::array<bool, 4> FProxBools{};
    std::array<bool, 4> FTouchBools{};

    // 0x10
    bool FATIBusy = false;       // bit 2; kept by trackAtiBusy, not by decodeFrame
    bool FWasATIBusy = false;    // set on the falling edge of bit 2; the session clears it
    std::uint8_t FPowerMode = 0; // bits 4:3: normal, low, ultra low power, halt
    bool FLP = false;            // FPowerMode != 0
    bool FEGlobal = false;       // bit 1
    bool FSegNPActive = false;   // bit 0
    bool FShowReset = false;     // bit 7

    // 0x11, event flags bits 0..7
    bool FEPxs = false;
    bool FESAR = false;
    bool FEHall = false;
    bool FEMetal = false;
    bool FETemp = false;
    bool FESys = false;
    bool FEPmu = false;
    bool FESarActive = false;

    // Streamed debug rows 0..19 (kept while a row is not streamed).
    std::array<std::uint8_t, 20> DebugBytes{};
    // The two 16-bit extra bars (rows 20, 21); 0 while not streamed.
    std::uint16_t Bar1Val = 0;
    std::uint16_t Bar2Val = 0;
};
