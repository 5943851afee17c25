#pragma once
// Message-list items and dialog texts of the file operations, exactly as the
// program shows them. \n is a line break.

namespace filemsg {

// Device settings file.
inline constexpr const char* kSettingsSaved = "Settings saved successfully"; // information
inline constexpr const char* kSettingsSaveError = "Error saving settings!";
inline constexpr const char* kSettingsLoaded = "Settings loaded successfully"; // information
inline constexpr const char* kSettingsLoadError = "Error loading settings!";
inline constexpr const char* kInvalidSettingsFile = "Invalid settings file selected!";
inline constexpr const char* kInvalidSettingsDialog =
    "The selected settings file is invalid or meant for a different device.";

// Header export.
inline constexpr const char* kHeaderExported = "H file exported successfully"; // information
inline constexpr const char* kHeaderExportError = "Error while trying to export H file!";
inline constexpr const char* kHeaderPendingChanges =
    "There are changes not yet applied.\n\nDo you want to apply these changes before exporting "
    "the H file?";

// Data log.
inline constexpr const char* kLogStarted = "Data log started"; // information
inline constexpr const char* kLogStopped = "Data log stopped"; // information
inline constexpr const char* kLogStartError = "Unabled to start data log!";
inline constexpr const char* kLogStartDialog =
    "Unable to save log file!\nFile might be in use by another program.";
// A line could not be written while logging (disk full, file gone): the log
// stops and says so instead of going on silently.
inline constexpr const char* kLogWriteError = "Data log stopped: unable to write to the log file!";
inline constexpr const char* kLogNoOption = "Please select at least one logging option.";
inline constexpr const char* kLogEnableStreaming =
    "Some of the data you want to log is not currently enabled.\nDo you want to enable these "
    "streaming options?";

// Preferences file.
inline constexpr const char* kPreferencesLoadError = "Error loading saved settings!";

} // namespace filemsg
