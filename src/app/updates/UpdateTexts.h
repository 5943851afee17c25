#pragma once
// The updater's texts, as the user sees them.

namespace updtext {
inline constexpr const char* kLatest =
    "You are running the latest version(s) of Kelvan software available on the internet.";
inline constexpr const char* kCheckFailed =
    "Oops! Something went wrong while trying to check for updates on the internet...";
inline constexpr const char* kLocateFailed = "Error locating update, please try again later.";
inline constexpr const char* kMD5Failed = " MD5 Checksum failed!";
inline constexpr const char* kOpenFailed = "Error opening the update file!";
inline constexpr const char* kRunning = "Running update...";
inline constexpr const char* kStillDownloading =
    "Some items are still busy downloading, please wait before updating this applcation.";
inline constexpr const char* kBusyAtExit =
    "An update is busy downloading, please cancel the download before exiting the program or "
    "wait for it to finish.";
inline constexpr const char* kNoDescription = "No description available";

inline constexpr const char* kDownload = "Download";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kInstall = "Install";
inline constexpr const char* kCompleted = "Completed";
} // namespace updtext

// Row colours (red in the low byte).
namespace updcolour {
inline constexpr int kWhite = 16777215;   // download needed
inline constexpr int kReady = 12910532;   // install-ready, light green
inline constexpr int kFailed = 8224255;   // failed, light red
inline constexpr int kCompleted = 14869218; // installer started, light grey
inline constexpr int kSilver = 12632256;  // text and separators of a completed row
} // namespace updcolour
