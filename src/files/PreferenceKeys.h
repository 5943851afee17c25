#pragma once
// Every section, key and read default of the preferences file, in one place.
// Windows read their own sections through TPreferences; none spells a key.

#include <array>
#include <cstdint>

namespace pref {

// Location under the per-user local data folder.
inline constexpr const char* kFolder = "Kelvan/MFS380A";
inline constexpr const char* kFileName = "KelvanMFS380A.ini";

// Window states.
inline constexpr const char* kStateMax = "Max";
inline constexpr const char* kStateNor = "Nor";

namespace section {
inline constexpr const char* kMainForm = "MainForm";
inline constexpr const char* kDebug = "Debug";
inline constexpr const char* kCTTool = "CTTool";
inline constexpr const char* kSettingsForm = "SettingsForm";
inline constexpr const char* kScopeForm = "ScopeForm";
inline constexpr const char* kSendComForm = "SendComForm";
} // namespace section

namespace key {
// Placement, in every window section that has it.
inline constexpr const char* kWidth = "Width";
inline constexpr const char* kHeight = "Height";
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kState = "State";
// "MainForm"
inline constexpr const char* kHints = "Hints";
inline constexpr const char* kTips = "Tips";
inline constexpr const char* kNotifyReset = "NotifyReset";
inline constexpr const char* kUpdates = "Updates";
inline constexpr const char* kUpdates1 = "Updates1";
inline constexpr const char* kResumeStreaming = "ResumeStreaming";
// "Debug": "Adr0" to "Adr21", then the two extra bar boxes.
inline constexpr const char* kAdrPrefix = "Adr";
inline constexpr const char* kBar1 = "Bar1";
inline constexpr const char* kBar2 = "Bar2";
// "CTTool": "Prev0", "Prev1", ...
inline constexpr const char* kPrevPrefix = "Prev";
// "SettingsForm": "Recent0", "Recent1", ...
inline constexpr const char* kRecentPrefix = "Recent";
// "ScopeForm"
inline constexpr std::array<const char*, 10> kScopeColors = {
    "CH0Color", "CH1Color", "CH2Color", "CH3Color", "CH4Color",
    "CH5Color", "QRDCol",   "MDCol",    "HALLCol",  "TempCol"};
inline constexpr const char* kScopeMin = "ScopeMin";
inline constexpr const char* kScopeMax = "ScopeMax";
inline constexpr const char* kYInc = "YInc";
inline constexpr const char* kXRange = "XRange";
inline constexpr const char* kAutoScale = "AutoScale";
// The thirteen trace selector boxes, in the order they are read.
inline constexpr std::array<const char*, 13> kScopeTraces = {
    "CS0", "CS1", "CS2", "CS3", "CS4", "CS5", "LT0", "LT1", "LT2", "Temp", "QRD", "MD", "HALL"};
} // namespace key

// Read defaults (used when a key is missing).
namespace def {
inline constexpr bool kMaximised = false; // "State" = "Nor"
inline constexpr bool kHints = true;
inline constexpr bool kTips = true;
inline constexpr bool kNotifyReset = true;
inline constexpr bool kUpdates = false;
inline constexpr bool kUpdates1 = true;
inline constexpr bool kResumeStreaming = true;
inline constexpr int kDebugAddressCount = 22;
inline constexpr bool kBar1 = false;
inline constexpr bool kBar2 = false;
inline constexpr int kPrevToolsRead = 4; // "Prev0" to "Prev3" are read
// Scope colours, slots 0 to 9 (red in the low byte). Slot 7 reads as 65793
// (not black) when missing.
inline constexpr std::array<std::int32_t, 10> kScopeColors = {
    16711680, 255, 32768, 65280, 8388736, 8421504, 11184640, 65793, 4227327, 8421440};
inline constexpr int kScopeMin = 0;
inline constexpr int kScopeMax = 1500;
inline constexpr int kYInc = 10;
inline constexpr int kXRange = 600;
inline constexpr bool kAutoScale = true;
inline constexpr std::array<bool, 13> kScopeTraces = {
    true, true, false, false, false, false, false, false, false, false, false, false, false};
} // namespace def

} // namespace pref
