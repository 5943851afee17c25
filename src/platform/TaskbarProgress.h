#pragma once
// Progress on the program's taskbar button or dock icon.
//
// On Linux it is the launcher-entry signal of docks and task managers
// (D-Bus, com.canonical.Unity.LauncherEntry "Update" with "progress",
// "progress-visible" and "urgent"); where there is no session bus, or the
// program was built without Qt DBus, nothing is shown.

#include <memory>

// The states of a taskbar button's progress (the values Windows uses).
enum class TTaskbarState { NoProgress = 0, Indeterminate = 1, Normal = 2, Error = 4, Paused = 8 };

class TTaskbarProgress {
public:
    virtual ~TTaskbarProgress() = default;
    // percent 0..100.
    virtual void setProgress(TTaskbarState state, int percent) = 0;
};

// Shows nothing.
class TNoTaskbarProgress final : public TTaskbarProgress {
public:
    void setProgress(TTaskbarState, int) override {}
};

// The launcher entry on the session bus when there is one, else nothing.
std::unique_ptr<TTaskbarProgress> makeTaskbarProgress();
