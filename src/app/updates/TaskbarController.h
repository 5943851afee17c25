#pragma once
// What the taskbar button shows while updates download, and the refresh that
// decides it after every change of the update rows.

#include "TaskbarProgress.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

struct TTaskbarRow {
    bool failed = false;
    bool downloading = false;
    bool ready = false; // install-ready
    int position = 0;   // progress bar, 0..100
};

struct TTaskbarInput {
    std::vector<TTaskbarRow> rows;
    bool updaterError = false;  // the last manual check failed
    bool automaticCheck = false;
    bool dontShow = false;      // "Don't show updates on startup"
    bool onlyMain = false;      // "Only show if an update is available for the MFS380A."
    bool hasMainRow = false;
    bool windowVisible = false; // the updater window is not hidden (it may be minimised)
    bool windowShowing = false; // the updater window is visible and not minimised
    bool webGuiUpdate = false;
    TTaskbarState taskBarState = TTaskbarState::NoProgress; // last state set
};

struct TTaskbarStep {
    enum class TAction { Nothing, Set, Clear } action = TAction::Nothing;
    TTaskbarState state = TTaskbarState::NoProgress;
    int percent = 0;
    TTaskbarState taskBarState = TTaskbarState::NoProgress; // remembered afterwards
    bool openWindow = false;
    bool startTimer = false;
};

// One refresh:
//  - rows are walked in order: a failed row sets "error" and clears
//    "downloading" and "ready" found so far; else a downloading row sets
//    "downloading" and adds its position; else an install-ready row sets "ready";
//  - no rows: the error state at 100 % after a failed manual check, else nothing;
//  - downloading: normal at the mean position (halves rounded to even);
//  - error: the error state at 100 %;
//  - ready (unless an automatic check whose window stays closed): open the
//    window; the first time indeterminate plus the 3 s timer, after it normal
//    at 100 % (cleared when the window is not showing);
//  - nothing pending: paused at 100 % while the window shows after a manual
//    request, else no progress.
TTaskbarStep taskbarStep(const TTaskbarInput& in);

// The mean of the positions, halves rounded to the even neighbour.
int meanRoundedToEven(int sum, int count);

class TTaskbarController : public QObject {
    Q_OBJECT
public:
    // input: the state of the rows and the window now.
    TTaskbarController(TTaskbarProgress& sink, std::function<TTaskbarInput()> input,
                       QObject* parent = nullptr);

    // After every change of the rows (UpdatesItemsProgess).
    void refresh();
    // Removes the progress (ClearTaskbar).
    void clear();
    TTaskbarState taskBarState() const { return FTaskBarState; }
    QTimer& downloadCompleteTimer() { return FDownloadCompleteTimer; }

signals:
    // An installer is ready and the window is to be shown.
    void openWindowRequested();

private:
    TTaskbarProgress& FSink;
    std::function<TTaskbarInput()> FInput;
    TTaskbarState FTaskBarState = TTaskbarState::NoProgress;
    QTimer FDownloadCompleteTimer;
};
