#pragma once
// The firmware verdict of one configuration tool: its model by product id,
// the stable and preferred releases, and whether its firmware is outdated,
// up to date or worth updating. Pure functions.

#include "MinVer.h"

#include <QString>
#include <cstdint>

// The tool models the setup window knows.
struct TKnownModel {
    std::uint16_t productId;
    const char* name;            // also the text a local .dfu file name carries
    std::uint32_t localFirmware; // full version of the firmware shipped with this program
};
// The model of a product id; nullptr for every other tool ("Unsupported device").
const TKnownModel* knownModel(std::uint16_t productId);

enum class TFirmStatus { UpToDate, UpdateRecommended, Outdated, Unsupported, Error };

// "Firmware is up to date", "Firmware update is recommended",
// "Firmware is outdated!", "Unsupported device", "ERROR".
QString firmStatusText(TFirmStatus status);

// Colours of the status label and its panel, 0xRRGGBB.
struct TStatusLook {
    std::uint32_t text;
    std::uint32_t panel;
};
TStatusLook firmStatusLook(TFirmStatus status);

// A version as at least four upper-case hexadecimal digits with a point after
// the first two: 0x0106 -> "01.06".
QString versionText(std::uint32_t version);
// Release byte: 10 "Alpha", 11 "Beta", 12 "Customer", any other "Custom".
QString releaseText(std::uint8_t release);
// A full version VVVVBBRR as "V01.06 Build 20 Release 0B".
QString fullVersionText(std::uint32_t full);

// What the tool reports.
struct TToolFirmware {
    std::uint16_t productId = 0;
    std::uint32_t version = 0;
    std::uint8_t build = 0;
    std::uint8_t release = 0;
};

struct TFirmwareVerdict {
    TFirmStatus status = TFirmStatus::UpToDate;
    bool known = false;          // one of the models above
    bool FLocalPref = false;     // the local firmware is at least as new as the stable one
    bool FSameVersion = false;   // the stable firmware equals the local firmware
    bool upToDate = true;        // the "up to date" verdict against the target release
    bool updateEnabled = false;  // the Update button
    QString StabFirmLabel;       // the stable release ("" for unknown models and errors)
    QString PrefFirmLabel;       // the preferred release
};

// Judges one tool's firmware against the minimums of the update program.
TFirmwareVerdict judgeFirmware(const TToolFirmware& tool, const TMinVer& minimums,
                               bool updaterInstalled);
