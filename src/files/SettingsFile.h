#pragma once
// The device settings file: one complete chip configuration (every settings
// group), the channel boxes, the streaming boxes and two display options, as
// an INI file a Windows build reads and writes the same way.
//
// Saving (the settings window's "Save Settings", after the save dialog):
//   saveSettingsFile(path, model, setup, channelBoxes, error)
//   true  -> TRecentSettings::add(path); when it returns an index, store it
//            with TPreferences::writeRecentEntry (failure ignored) and select
//            it when the selector has no selection; filemsg::kSettingsSaved
//   false -> filemsg::kSettingsSaveError
//
// Applying (LoadSettings):
//   1. read = readSettingsFile(path)
//      WrongDevice -> kInvalidSettingsFile (error) and the dialog
//                     kInvalidSettingsDialog; stop, nothing changed.
//      Unreadable  -> kSettingsLoadError; stop, nothing changed.
//   2. StopStreaming (stop when it fails); set FLoadingSettings.
//   3. plan = applySettingsFile(read, model, setup, channelBoxes)
//   4. clear FLoadingSettings; UI_SAR := plan.uiSar when it is set.
//   5. run plan.writes in order (the channel mask as a channel-box click
//      does, each group with its group write).
//   6. LinkEngToCh; RestartStreaming; then for a complete load
//      kSettingsLoaded, model.ResetDefault(), CheckChanges, set
//      FSettingsATIMessage and wait 500 ms; otherwise kSettingsLoadError and
//      CheckChanges (no ResetDefault: the values read stay pending).

#include "SettingsGroups.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class TSettingsModel;
class TSetupModel;

using TChannelBoxes = std::array<bool, 6>; // CH0Check..CH5Check

inline constexpr const char* kSettingsDefaultName = "MFS380A"; // save dialog, extension "ini"
inline constexpr const char* kSettingsDevice = "MFS380A";      // "IC"/"Device"

// What a settings file holds, as far as it could be read. Everything is read
// in file order; an unparsable value ends the reading, and only the items
// read completely before it are present.
struct TSettingsFileContent {
    // Register values of each group (the group's element count is used).
    std::array<std::optional<std::array<std::int32_t, kMaxGroupElements>>, kGroupCount> groups;
    std::optional<bool> deltaOnly;                // "Other"/"DeltaOnly": "Baseline View"
    std::optional<int> comms;                     // "Other"/"Comms": communication choice 0..2
    std::optional<TChannelBoxes> channels;        // "Channels"/"CH0".."CH5"
    std::optional<std::array<bool, 3>> streaming; // "Streaming"/"CS", "LT", "PT"
};

struct TSettingsFileRead {
    enum class TStatus {
        Ok,          // every item read
        WrongDevice, // "IC"/"Device" is not exactly "MFS380A": nothing read
        Unreadable,  // the file cannot be opened or read, or is not text: nothing read
        BadValue,    // a value did not parse: the items before it were read
    };
    TStatus status = TStatus::Unreadable;
    TSettingsFileContent content;
    std::string detail; // why, for everything but Ok
};

// One step of writing an applied file to the chip.
struct TSettingsWrite {
    enum class TKind { ChannelMask, Group };
    TKind kind = TKind::Group;
    TSettingsGroup group = TSettingsGroup::Device; // for Group

    bool operator==(const TSettingsWrite&) const = default;
};

struct TSettingsLoadPlan {
    bool complete = false; // the whole file was applied
    // A complete load: "SAR UI Enable" is chosen (UI_SAR; DoChStream is set).
    // Empty otherwise: UI_SAR stays as it is.
    std::optional<bool> uiSar;
    std::vector<TSettingsWrite> writes;
};

// The file's bytes for the model as it stands: current blocks of every group
// but the report-rate and timing group, which saves its previous block (the
// values last read, loaded or applied).
std::string settingsFileText(const TSettingsModel& model, const TSetupModel& setup,
                             const TChannelBoxes& channelBoxes);

// Writes settingsFileText to file; the file is replaced only once everything
// is written. False with error set on failure.
bool saveSettingsFile(const std::filesystem::path& file, const TSettingsModel& model,
                      const TSetupModel& setup, const TChannelBoxes& channelBoxes,
                      std::string& error);

TSettingsFileRead readSettingsFile(const std::filesystem::path& file);
// The same for a file's text (used by tests and shipped-file checks).
TSettingsFileRead parseSettingsFile(const std::string& text);

// Hands what was read to the models.
//
// A complete file: each group's previous block and, through Set, its current
// block and fields take the file's values; the boxes and choices follow; the
// stream address table is rebuilt (with 0xD1 streamed while SAR UI is on) and
// the streaming selection taken as applied. The writes send the current
// blocks as the file gave them; the caller snapshots every group afterwards
// (ResetDefault). The plan writes the channel mask, the device group, the Senvara setup, the
// SAR UI group when SAR UI is enabled (else the prox UI group), the Hall,
// report-rate, hysteresis and temperature groups.
//
// A file that stopped at a bad value: the groups read before it are Set into
// the current blocks but their previous blocks are kept, so they show as
// changes not yet applied (Apply writes them, Undo drops them) instead of
// being taken for what the chip holds; boxes read before it follow. Nothing
// is written but the channel mask, when the channel boxes were read.
//
// A "Comms" or "DeltaOnly" change shows as a change of the setup page, taken
// into effect by Apply. Nothing happens for WrongDevice or Unreadable.
TSettingsLoadPlan applySettingsFile(const TSettingsFileRead& read, TSettingsModel& model,
                                    TSetupModel& setup, TChannelBoxes& channelBoxes);
