#pragma once
// Dialog texts of the configuration-tool setup window, exactly as shown.

namespace ctsetupmsg {
inline constexpr const char* kCaption = "Configuration Tool Setup";
inline constexpr const char* kReinstall =
    "Error checking the Configuration Tool firmware!\n\nPlease reinstall this application to "
    "resolve the problem";
inline constexpr const char* kCloseWhileUpdating =
    "A Firmware update is busy, please wait until the process has completed.\n\nIf something "
    "when wrong during the update click 'Cancel' to close this window.";
inline constexpr const char* kUpdateBusy =
    "A Firmware update is busy, please wait untill the process has completed.";
inline constexpr const char* kConfirmUpdate =
    "This will update the Configuration tool to the latest firmware available.\nAre you sure "
    "you want to continue?";
inline constexpr const char* kConfirmCustomUpdate =
    "Are you sure you want to continue and update the Configuration tool with the following "
    "firmware file? :\n\n";
// Not started: the update program is missing, or did not start.
inline constexpr const char* kUpdaterMissing = "The firmware update program was not found:\n";
inline constexpr const char* kUpdaterNotStarted = "Unable to start the firmware update program: ";
// Hints of the main window's tool label.
inline constexpr const char* kHintError = "Error";
inline constexpr const char* kHintUnsupported = "Unsupported device";
inline constexpr const char* kHintRecommended = "firmware update recommended";
inline constexpr const char* kHintRequired = "Firmware update required";
} // namespace ctsetupmsg
