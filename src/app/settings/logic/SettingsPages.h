#pragma once
// The settings window's pages: number, navigation button, header title, the
// register group a page edits and what the window does with it on
// re-activation and from the page's "Read All" button. Plain C++.

#include "SettingsGroups.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

inline constexpr int kSettingsPageCount = 17;

// Page numbers (the window's ActivePage).
namespace settingspage {
inline constexpr int kSetup = 0;
inline constexpr int kProxUI = 1;
inline constexpr int kSarUI = 2;
inline constexpr int kHall = 3;
inline constexpr int kGlobal = 4;
inline constexpr int kChannel1 = 5;
inline constexpr int kHysteresis = 6;
inline constexpr int kTimings = 7;
inline constexpr int kDevice = 8;
inline constexpr int kEngineering = 9;
inline constexpr int kDebug = 10;
inline constexpr int kChannel0 = 11;
inline constexpr int kDataLogging = 12;
inline constexpr int kChannel2 = 13;
inline constexpr int kTemperature = 14;
inline constexpr int kOtpSetup = 15;
inline constexpr int kCapacitance = 16;
} // namespace settingspage

// What the window does with a group on re-activation while the page shows.
enum class TRebaseline {
    None,
    Setup, // the streaming selection and the setup states (page 0)
    Group, // the page's Group
};

struct TSettingsPageInfo {
    int Page;
    std::string_view NavName;     // "SetupNavButton"
    std::string_view NavCaption;  // the button as shown: "Report Rates & Timings"
    std::string_view HeaderTitle; // the title above the page
    bool EngineeringOnly;         // its button shows in engineering mode only
    // The register group the page edits (pages built from the field table).
    std::optional<TSettingsGroup> Group;
    // Re-activation: the navigation button of this page is clicked again.
    bool ReclickOnActivate;
    TRebaseline Rebaseline;
    // The page carries a "Read All" button for its group.
    bool ReadAllButton;
    // The page is built from the field table (pages 1 to 8, 11, 13, 14).
    bool FieldPage;
    // A Senvara channel page: its channel (0..2), else -1.
    int Channel;
};

// Every page, indexed by page number.
std::span<const TSettingsPageInfo> settingsPages();
const TSettingsPageInfo& settingsPage(int page);

// The navigation column from top to bottom; kNavDivider marks the divider.
inline constexpr int kNavDivider = -1;
std::span<const int> navigationOrder();

// NavButtonClick: the page of a navigation button's name; any other name is page 0.
int pageOfNavButton(std::string_view navName);

// The settings page of a channel page's channel (CH0 11, CH1 5, CH2 13).
int channelPage(int channel);

class TSettingsModel;
class TSetupModel;

// Re-activation of the window while page shows: the group the page edits
// takes its current block as its previous one (page 0: the streaming
// selection and the setup states). A group with pending changes is left
// alone, so that changes kept when the window was closed stay pending and
// are still written by the next Apply.
void rebaselineOnActivation(int page, TSettingsModel& settings, TSetupModel& setup);
