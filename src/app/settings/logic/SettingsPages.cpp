#include "SettingsPages.h"

#include "SettingsModel.h"
#include "SetupModel.h"

#include <algorithm>

namespace {

using G = TSettingsGroup;
using R = TRebaseline;
constexpr std::nullopt_t kNone = std::nullopt;

// Pages 4 and 5 edit the Senvara sensor group and re-baseline it, as every
// other register page re-baselines the group it edits.
const std::array<TSettingsPageInfo, kSettingsPageCount> kPages = {{
    {0, "SetupNavButton", "Setup", "Setup", false, kNone, true, R::Setup, false, false, -1},
    {1, "ProxSettings0Button", "Senvara UI Settings", "Prox UI Settings", false, G::PxsUI, true,
     R::Group, true, true, -1},
    {2, "ProxSettings1Button", "SAR UI Settings", "SAR UI Settings", false, G::SarUI, true,
     R::Group, true, true, -1},
    {3, "ProxSettings2Button", "Hall Settings", "Hall Settings", false, G::Hall, true, R::Group,
     false, true, -1},
    {4, "ProxSettings3Button", "Senvara Sensor Global", "Senvara Sensor Global", false, G::PxsSetup,
     true, R::Group, false, true, -1},
    {5, "PXSSetNavButton1", "Senvara Sensor CH1", "Senvara Sensor Settings CH1", false, G::PxsSetup,
     true, R::Group, false, true, 1},
    {6, "MetalUINavButton", "Hysteresis UI Settings", "Hysterisis UI Settings", false, G::Thr, true,
     R::Group, false, true, -1},
    // The timings page also re-baselines the device group whose fields it does
    // not hold: its group is the report rates and timings group.
    {7, "TimingsNavButton", "Report Rates & Timings", "Report Rates & Timings", false, G::Tim, true,
     R::Group, true, true, -1},
    {8, "UISettingsNavButton", "Device & PMU Settings", "Device & PMU Settings", false, G::Device,
     true, R::Group, false, true, -1},
    {9, "EngineeringNavButton", "Engineering", "Engineering", true, kNone, false, R::None, false,
     false, -1},
    {10, "DemosNavButton", "Debug", "Debug", true, kNone, false, R::None, false, false, -1},
    {11, "PXSSetNavButton0", "Senvara Sensor CH0", "Senvara Sensor Settings CH0", false,
     G::PxsSetup, true, R::Group, false, true, 0},
    {12, "DataLogNavButton", "Data Logging", "Data Logging", false, kNone, false, R::None, false,
     false, -1},
    {13, "PXSSetNavButton2", "Senvara Sensor CH2", "Senvara Sensor Settings CH2", false,
     G::PxsSetup, false, R::None, false, true, 2},
    {14, "TemperatureNavButton", "Temperature UI Settings", "Temperature UI Settings", false,
     G::Temp, false, R::None, false, true, -1},
    {15, "OTPSetupNavButton", "OTP Setup", "OTP Setup", false, kNone, false, R::None, false, false,
     -1},
    {16, "CapCalculationNavButton", "Capacitance Calculation", "Capacitance Calculation", false,
     kNone, false, R::None, false, false, -1},
}};

constexpr std::array<int, 18> kNavOrder = {0, 8,  4, 11,          5,  13, 1, 2,  6,
                                           3, 14, 7, kNavDivider, 10, 12, 9, 16, 15};

} // namespace

std::span<const TSettingsPageInfo> settingsPages()
{
    return kPages;
}

const TSettingsPageInfo& settingsPage(int page)
{
    return kPages[static_cast<std::size_t>(std::clamp(page, 0, kSettingsPageCount - 1))];
}

std::span<const int> navigationOrder()
{
    return kNavOrder;
}

int pageOfNavButton(std::string_view navName)
{
    for (const TSettingsPageInfo& p : kPages) {
        if (p.NavName == navName)
            return p.Page;
    }
    return settingspage::kSetup;
}

int channelPage(int channel)
{
    constexpr int pages[3] = {settingspage::kChannel0, settingspage::kChannel1,
                              settingspage::kChannel2};
    return pages[std::clamp(channel, 0, 2)];
}

void rebaselineOnActivation(int page, TSettingsModel& settings, TSetupModel& setup)
{
    const TSettingsPageInfo& info = settingsPage(page);
    switch (info.Rebaseline) {
    case TRebaseline::None:
        break;
    case TRebaseline::Setup:
        if (!setup.streamSetupChanged())
            setup.snapshotStreaming();
        if (!setup.setupChecksChanged())
            setup.snapshotSetupChecks();
        break;
    case TRebaseline::Group:
        if (info.Group && !settings.isChanged(*info.Group))
            settings.rebaseline(*info.Group);
        break;
    }
}
