#pragma once
// What the live display shows, as plain data: picture marks, bar heights and
// colours, label texts and panel states. Colours are RGB with red in the high
// byte (0xFF3333 is red).

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

inline constexpr int kDisplayChannels = 6;   // CH0..CH5
inline constexpr int kEngineeringBars = 2;   // bars 6 and 7
inline constexpr int kDisplayDebugRows = 20; // one-byte debug read-outs

// Picture marks: which picture a state picture shows (FResources and friends).
enum class TMark : std::uint8_t {
    None = 0,        // neutral (grey) picture
    Prox = 1,        // prox (blue) picture
    Touch = 2,       // touch (red) picture
    QuickRelease = 3 // channel 1 only: touch picture set by the quick-release logic
};

namespace dispcolour {
// Channel bar colours by state, then the darker long-term-average colour.
inline constexpr std::uint32_t Touch = 0xFF3333, TouchLta = 0x9E201D;
inline constexpr std::uint32_t Prox = 0x006BD7, ProxLta = 0x004080;
inline constexpr std::uint32_t None = 0x00C161, NoneLta = 0x008040;
inline constexpr std::uint32_t LowPower = 0x00BFBF, LowPowerLta = 0x008080;
inline constexpr std::uint32_t Inactive = 0xC7C7C7, InactiveLta = 0x707070;
// Power mode label backgrounds.
inline constexpr std::uint32_t NormalPowerMode = 0x00C161;
inline constexpr std::uint32_t LowPowerMode = 0x00BFBF;
inline constexpr std::uint32_t UltraLowPowerMode = 0xC0C0C0;
inline constexpr std::uint32_t HaltMode = 0x808080;
// Temperature bar.
inline constexpr std::uint32_t Temperature = 0x008040;
// Series colours of the bar graph (the LTA series takes the count series'
// colour in baseline view).
inline constexpr std::uint32_t CountSeries = 0x00C161;
inline constexpr std::uint32_t LtaSeries = 0x004080;
} // namespace dispcolour

struct TBarValue {
    std::int32_t Height = 0;
    std::uint32_t Colour = dispcolour::None;
    bool operator==(const TBarValue&) const = default;
};

// The two bar series of the bar graph; bar n stands at X = n.
struct TBarGraphData {
    int CountBars = 0; // 0 (empty), 6, or 8 with the engineering bars
    std::array<TBarValue, kDisplayChannels + kEngineeringBars> Counts{};
    int LtaBars = 0; // 0 while averages are not streamed, else 6
    std::array<TBarValue, kDisplayChannels> Ltas{};
    bool operator==(const TBarGraphData&) const = default;
};

struct TPowerModeView {
    const char* Text = "Normal Power";
    std::uint32_t Colour = dispcolour::NormalPowerMode;
};

// "HALL Flags": the "N" and "S" pictures, HallValLabel and HallBar.
struct THallView {
    TMark N = TMark::None;
    TMark S = TMark::None;
    std::int32_t Value = 0; // shown and charted: negative while the pole bit is clear
    std::uint32_t Colour = dispcolour::None;
};

// "SAR Flags" pictures.
enum class TSarPicture { FilterHalt = 0, Movement = 1, QuickRelease = 2, SarActive = 3 };
inline constexpr int kSarPictures = 4;

// "Hysteresis": picture, MetalPTLabel, MetalTypeLabel, MetalValLabel, MetalBar.
struct TMetalView {
    TMark Mark = TMark::None;
    const char* StateText = "N/A"; // "Touch", "Prox", "N/A"
    const char* TypeText = "";     // "A", "B", "N/A", or empty while disabled
    std::string ValueText;         // empty while disabled
    std::int32_t BarValue = 0;
    std::uint32_t Colour = dispcolour::None;
};

// "Temperature": TempBar (one bar of the value, a value mark) and its axis.
struct TTemperatureView {
    std::int32_t Value = 0;
    std::int32_t AxisMax = 100; // FTemperatureValueMax
    bool operator==(const TTemperatureView&) const = default;
};

// QRDGraph: a bar at the held maximum and a marker at the current value.
struct TQuickReleaseView {
    bool BarShown = false;
    std::int32_t HeldMax = 0; // FQRDMax
    std::uint32_t BarColour = dispcolour::Prox;
    bool MarkerShown = false;
    std::int32_t Value = 0;
    std::int32_t AxisMax = 30;
    std::string LabelText; // QRDLabel
    bool operator==(const TQuickReleaseView&) const = default;
};

// Everything the main window's live display shows.
struct TDisplayView {
    std::array<TMark, kDisplayChannels> ChannelMarks{};   // FResources[0..5]
    std::array<TMark, 3> ScopeMarks{};                    // the scope's small pictures 0..2
    std::array<std::string, kDisplayChannels> CountTexts; // CS0Lbl..CS5Lbl
    std::array<std::string, kDisplayChannels> LtaTexts;   // LTA0Lbl..LTA5Lbl
    std::array<std::string, kDisplayChannels> DeltaTexts; // DT0Lbl..DT5Lbl
    std::array<std::string, kEngineeringBars> EngTexts;   // CS6Lbl, CS7Lbl
    std::array<std::int32_t, kEngineeringBars> EngBarValues{};
    // "System Flags": "Reset : ", "Low Power : ", "In ATI : ", "NP Seg Active: "
    // followed by "Yes" or "No".
    std::array<const char*, 4> SystemFlagTexts{"Reset : No", "Low Power : No", "In ATI : No",
                                               "NP Seg Active: No"};
    TPowerModeView PowerMode;
    THallView Hall;
    std::array<TMark, kSarPictures> SarMarks{};
    TMetalView Metal;
    TTemperatureView Temperature;
    TQuickReleaseView QuickRelease;
    TBarGraphData Bars;
    // The settings window's debug result labels (engineering mode).
    std::array<std::string, kDisplayDebugRows> DebugTexts;
};

// What changed since the view last drew. Widgets redraw only these.
struct TDisplayChanges {
    std::bitset<kDisplayChannels> ChannelPictures;
    std::bitset<3> ScopePictures;
    std::bitset<kDisplayChannels> CountLabels, LtaLabels, DeltaLabels;
    std::bitset<kEngineeringBars> EngLabels;
    bool SystemFlags = false;
    bool PowerMode = false;
    std::bitset<2> HallPictures; // 0 "N", 1 "S"
    bool HallValue = false;      // HallValLabel and HallBar
    std::bitset<kSarPictures> SarPictures;
    bool MetalPicture = false;
    bool MetalReadout = false; // texts, bar value and colour
    bool Temperature = false;
    bool QuickRelease = false;
    bool BarGraph = false;

    bool any() const
    {
        return ChannelPictures.any() || ScopePictures.any() || CountLabels.any() ||
               LtaLabels.any() || DeltaLabels.any() || EngLabels.any() || SystemFlags ||
               PowerMode || HallPictures.any() || HallValue || SarPictures.any() || MetalPicture ||
               MetalReadout || Temperature || QuickRelease || BarGraph;
    }
    static TDisplayChanges all()
    {
        TDisplayChanges c;
        c.ChannelPictures.set();
        c.ScopePictures.set();
        c.CountLabels.set();
        c.LtaLabels.set();
        c.DeltaLabels.set();
        c.EngLabels.set();
        c.SystemFlags = c.PowerMode = c.HallValue = c.MetalPicture = c.MetalReadout = true;
        c.HallPictures.set();
        c.SarPictures.set();
        c.Temperature = c.QuickRelease = c.BarGraph = true;
        return c;
    }
};
