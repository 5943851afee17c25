#pragma once
// The setup page without widgets: the tool and display set-up (ten setup
// states), the streaming selection, the 22 streamed extra addresses and the
// stream address table built from them (SetupStreaming).

#include "StreamTable.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Streaming selection bits (FCurSetup).
inline constexpr std::uint16_t kStreamPT = 1u << 1;  // "Prox && Touch"
inline constexpr std::uint16_t kStreamCS = 1u << 2;  // "Count Samples"
inline constexpr std::uint16_t kStreamLTA = 1u << 3; // "Long Term Averages (LTA)"

inline constexpr std::size_t kSetupStates = 10;
using TSetupStates = std::array<std::int32_t, kSetupStates>;

class TSetupModel {
public:
    TSetupModel(); // form defaults; the stream table is built once

    // Page 0 control values (form defaults).
    int VoltageIndex = 0;              // "3.3 V", "1.8 V"
    bool BaselineView = false;         // hidden "Baseline View" (DeltaCheck)
    int CommsIndex = 0;                // "RDY Active Low", "RDY Active High", "Polling"
    double GraphMin = 0;               // "Y Axis Minimum"
    double GraphMax = 4200;            // "Y Axis Maximum"
    double GraphInc = 10;              // "Y Axis Increment"
    int PollingSpeed = 60;             // "Polling Speed (ms)"
    int PullupIndex = 1;               // "Enabled", "Disabled"
    int CommsSpeedIndex = 0;           // "Fast", "Medium", "Slow"
    std::string I2CAddressText = "44"; // "I2C Address (Hex):"
    bool CSCheck = true;               // "Count Samples"
    bool LTACheck = true;              // "Long Term Averages (LTA)"
    bool PTCheck = true;               // "Prox && Touch"

    // Address texts of the 20 debug rows (AdrsEditArray 0..19) and of the main
    // window's two extra bars (20, 21), with the bars' check boxes.
    std::array<std::string, kExtraAddresses> AdrsEditArray;
    bool CH6Check = false;
    bool CH7Check = false;
    // Set by the session while SAR UI is enabled (SARStreaming).
    bool DoChStream = false;

    // Setup states: voltage, baseline view, comms type, y min, y max, y increment
    // (each rounded), polling speed, pull-ups, comms speed, I2C address (the
    // text read as hexadecimal; -1 while it is not a hexadecimal number).
    TSetupStates GetSetupCheckStates();
    // Sets the controls from ten states; the I2C address becomes two
    // upper-case hexadecimal digits. False (nothing changed) for fewer than ten.
    bool SetSetupCheckStates(std::span<const std::int32_t> values);
    const TSetupStates& curSetupCheckStates() const { return FCurSetupCheckStates; }
    const TSetupStates& prevSetupCheckStates() const { return FPrevSetupCheckStates; }

    // Streaming selection from the three check boxes, and back.
    std::uint16_t GetStreamingSetup();
    void SetStreamingSetup(std::uint16_t bits);
    std::uint16_t curSetup() const { return FCurSetup; }
    std::uint16_t prevSetup() const { return FPrevSetup; }

    // Change detection: Get, then the flag is set exactly when current and
    // previous differ. Returns the flag.
    bool detectSetupChecksChange();
    bool detectStreamingChange();
    bool setupChecksChanged() const { return FSetupChecksChanged; }
    bool streamSetupChanged() const { return FStreamSetupChanged; }
    // Snapshots (Get, current -> previous, clear the flag).
    void snapshotSetupChecks();
    void snapshotStreaming();
    // Undo: controls from the previous copy, flag cleared.
    void undoSetupChecks();
    void undoStreaming();

    // Rebuilds the stream address table from the check boxes, the address
    // texts, the bar check boxes and DoChStream. Returns the rows (0..21)
    // whose text is not empty but is not a streamable address (not one
    // hexadecimal number of 0x01..0xFF); they take no frame position.
    std::vector<int> SetupStreaming();
    // The selection SetupStreaming reads, with the address texts parsed.
    TStreamSelection streamSelection(std::vector<int>* rejectedRows = nullptr) const;

    const TStreamBytes& StreamBytes() const { return FTable.Bytes; }
    int StreamLength() const { return FTable.Layout.StreamLength; }
    const TStreamLayout& streamLayout() const { return FTable.Layout; }

private:
    TSetupStates FCurSetupCheckStates{};
    TSetupStates FPrevSetupCheckStates{};
    std::uint16_t FCurSetup = 0;
    std::uint16_t FPrevSetup = 0;
    bool FSetupChecksChanged = false;
    bool FStreamSetupChanged = false;
    TStreamTable FTable;
};
