#pragma once
// Message-list items and dialog texts of the session, exactly as shown.

namespace sessionmsg {
inline constexpr const char* kPowerOff = "Device power is off!";
inline constexpr const char* kDisconnected = "Streaming device disconnected!";
inline constexpr const char* kReconnectedResumed =
    "Configuration tool reconnected: streaming resumed";
inline constexpr const char* kNoDevices = "No device(s) connected";
inline constexpr const char* kFirmwareUpdated = "Firmware update completed";
inline constexpr const char* kUpdatingFirmware = "Updating Firmware...";
inline constexpr const char* kUnableToStart = "Unable to start device streaming!";
inline constexpr const char* kDeviceAddress = "Device Address : ";
inline constexpr const char* kStreamingStarted = "Device streaming started";
inline constexpr const char* kStreamingPaused = "Device streaming paused";
inline constexpr const char* kStreamingResumed = "Device streaming resumed";
inline constexpr const char* kPoweredOff = "Device powered off";
inline constexpr const char* kPoweredOn = "Device powered on";
inline constexpr const char* kInductiveMode = "Inductive Mode";
inline constexpr const char* kPirTouchMode = "PIR and Touch Mode";
inline constexpr const char* kDualPirMode = "Dual PIR Mode";
inline constexpr const char* kDemoFileMissing =
    "Unable to locate the settings file!\n\nPlease try reinstalling this application.";
inline constexpr const char* kResetOccurred = "MFS380A reset occured!";
inline constexpr const char* kErrorReadingAll = "Error reading all settings!";
inline constexpr const char* kSettingsReset = "Settings reset to default";
inline constexpr const char* kNoAddress = "No address specified!";
inline constexpr const char* kNoAddressOrData = "No address or data specified!";
inline constexpr const char* kLoadTxtError = "Error loading input file 'load.txt'.";
inline constexpr const char* kEngineeringEnabled = "Engineering Enabled";
inline constexpr const char* kEngineeringDisabled = "Engineering Disabled";
inline constexpr const char* kResetOnNextStart = "Saved settings will reset on next start-up";
inline constexpr const char* kStreamingSetupConfigured = "Streaming setup configured";
inline constexpr const char* kCountsDisabled = "Count Samples are disabled";
inline constexpr const char* kLtaDisabled = "Long Term Averages are disabled";
inline constexpr const char* kNoDeltas = "Unable to calculate deltas!";
inline constexpr const char* kAllSettingsUpdated = "All settings updated from device";
inline constexpr const char* kAtiNotice =
    "An Auto ATI event has occurred and these settings might not be accurate anymore.";
}  // namespace sessionmsg
