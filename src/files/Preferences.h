#pragma once
// The per-user preferences file: one INI file shared by all windows, one
// section per window. Every access opens the file, reads or writes the keys
// it needs and closes it again; nothing is cached, so windows that write their
// own sections at different times never overwrite each other's keys.
//
// Reading stops at the first value that does not parse: the fields read before
// it keep their new values, the rest keep what the caller put in, and the call
// returns false (the caller adds loadErrorText() to the message list). Write
// failures return false; callers ignore them.

#include "PreferenceKeys.h"
#include "WindowPlacement.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TIniDocument;

// Section "MainForm" and section "Debug".
struct TMainFormPrefs {
    TWindowPlacement placement; // in: the window's current placement
    bool placementRead = false; // out: placement holds saved values to apply
    bool hints = pref::def::kHints;
    bool tips = pref::def::kTips;
    bool notifyReset = pref::def::kNotifyReset;
    bool updates = pref::def::kUpdates;   // updater's "don't show on start-up"
    bool updates1 = pref::def::kUpdates1; // updater's "only the main program"
    bool resumeStreaming = pref::def::kResumeStreaming; // "Resume streaming after reconnect"
    // Debug stream address boxes: hexadecimal text, empty when unset.
    std::array<std::string, pref::def::kDebugAddressCount> debugAddresses;
    bool bar1 = pref::def::kBar1; // CH6Check
    bool bar2 = pref::def::kBar2; // CH7Check
};

// Section "ScopeForm".
struct TScopeFormPrefs {
    std::array<std::int32_t, 10> colors = pref::def::kScopeColors; // red in the low byte
    int scopeMin = pref::def::kScopeMin;
    int scopeMax = pref::def::kScopeMax;
    int yInc = pref::def::kYInc;
    int xRange = pref::def::kXRange;
    bool autoScale = pref::def::kAutoScale;
    // CS0..CS5, LT0..LT2, Temp, QRD, MD, HALL
    std::array<bool, 13> traces = pref::def::kScopeTraces;
    TWindowPlacement placement; // in: the window's current placement
    bool placementRead = false;
};

class TPreferences {
public:
    // The file in the per-user local data folder:
    // <XDG data home>/Kelvan/MFS380A/KelvanMFS380A.ini on Linux.
    static std::filesystem::path standardPath();
    // "Error loading saved settings!"
    static const char* loadErrorText();

    explicit TPreferences(std::filesystem::path file = standardPath());

    const std::filesystem::path& path() const { return FPath; }
    bool exists() const;
    // Why the last call that returned false failed (for logs and tests).
    const std::string& lastError() const { return FLastError; }

    // First activation of the main window: creates the folders when missing
    // and, when there is no file yet, a file holding only "MainForm"/"Width".
    enum class TStart { Existing, FirstStart, Failed };
    TStart prepare(int mainWindowWidth);

    bool readMainForm(TMainFormPrefs& prefs) const;
    bool writeMainForm(const TMainFormPrefs& prefs);

    bool readScopeForm(TScopeFormPrefs& prefs) const;
    bool writeScopeForm(const TScopeFormPrefs& prefs);

    // Placement keys of any window section ("SettingsForm", "SendComForm", ...).
    // placement is the window's current placement on the way in; it changes
    // only when all keys parse.
    bool readPlacement(const char* section, TWindowPlacement& placement) const;
    bool writePlacement(const char* section, const TWindowPlacement& placement);

    // "SettingsForm"/"Recent0", "Recent1", ...: full paths of the recent
    // settings files, read until the first missing or empty key.
    bool readRecent(std::vector<std::string>& paths) const;
    // Stores one entry (used when a saved file is appended to the list).
    bool writeRecentEntry(std::size_t index, const std::string& path);
    // Rewrites the whole list from "Recent0" on and deletes the keys past its
    // end. Removing an entry is done this way: the entries after it move down
    // one index, so none of them is lost behind a gap at the next start.
    bool writeRecent(const std::vector<std::string>& paths);
    bool clearRecent();

    // "CTTool"/"Prev0".."Prev3": serial numbers of tools used before, most
    // preferred first; read until the first missing or empty key.
    bool readPrevTools(std::vector<std::string>& serials) const;
    // Rewrites the list from "Prev0" on and deletes the keys past its end.
    bool writePrevTools(const std::vector<std::string>& serials);

    // "Reset application saved settings": the file is deleted at exit, so the
    // next start is a first start.
    void markForReset() { FResetAtExit = true; }
    bool markedForReset() const { return FResetAtExit; }
    // Deletes the file when it was marked; true when nothing was left to do.
    bool resetIfMarked();

private:
    bool load(TIniDocument& doc, bool& missing) const;
    bool store(const TIniDocument& doc);
    template <class Edit> bool edit(Edit&& change);

    std::filesystem::path FPath;
    mutable std::string FLastError;
    bool FResetAtExit = false;
};
