#include "TaskbarController.h"

int meanRoundedToEven(int sum, int count)
{
    if (count <= 0)
        return 0;
    const int q = sum / count;
    const int twice = 2 * (sum % count);
    if (twice > count || (twice == count && q % 2 != 0))
        return q + 1;
    return q;
}

TTaskbarStep taskbarStep(const TTaskbarInput& in)
{
    TTaskbarStep step;
    step.taskBarState = in.taskBarState;
    bool error = false, downloading = false, ready = false;
    int sum = 0, count = 0;
    for (const TTaskbarRow& r : in.rows) {
        if (r.failed) {
            error = true;
            downloading = false;
            ready = false;
        } else if (r.downloading) {
            downloading = true;
            sum += r.position;
            ++count;
        } else if (r.ready) {
            ready = true;
        }
    }
    auto set = [&step](TTaskbarState state, int percent) {
        step.action = TTaskbarStep::TAction::Set;
        step.state = state;
        step.percent = percent;
        step.taskBarState = state;
    };
    if (in.rows.empty()) {
        if (in.updaterError)
            set(TTaskbarState::Error, 100);
        return step;
    }
    if (downloading) {
        set(TTaskbarState::Normal, meanRoundedToEven(sum, count));
    } else if (error) {
        set(TTaskbarState::Error, 100);
    } else if (ready) {
        if (in.automaticCheck && (in.dontShow || (in.onlyMain && !in.hasMainRow)))
            return step;
        step.openWindow = !in.windowVisible;
        if (in.taskBarState == TTaskbarState::Indeterminate) {
            set(TTaskbarState::Normal, 100);
            step.taskBarState = TTaskbarState::Indeterminate;
            if (in.windowVisible && !in.windowShowing) { // minimised
                step.action = TTaskbarStep::TAction::Clear;
                step.taskBarState = TTaskbarState::NoProgress;
            }
        } else {
            set(TTaskbarState::Indeterminate, 0);
            step.startTimer = true;
        }
    } else if (in.windowShowing && in.webGuiUpdate) {
        set(TTaskbarState::Paused, 100);
    } else {
        set(TTaskbarState::NoProgress, 0);
    }
    return step;
}

TTaskbarController::TTaskbarController(TTaskbarProgress& sink, std::function<TTaskbarInput()> input,
                                       QObject* parent)
    : QObject(parent), FSink(sink), FInput(std::move(input))
{
    FDownloadCompleteTimer.setSingleShot(true);
    FDownloadCompleteTimer.setInterval(3000);
    connect(&FDownloadCompleteTimer, &QTimer::timeout, this, &TTaskbarController::refresh);
}

void TTaskbarController::refresh()
{
    TTaskbarInput in = FInput();
    in.taskBarState = FTaskBarState;
    const TTaskbarStep step = taskbarStep(in);
    if (step.openWindow)
        emit openWindowRequested();
    switch (step.action) {
    case TTaskbarStep::TAction::Nothing: return;
    case TTaskbarStep::TAction::Clear: clear(); return;
    case TTaskbarStep::TAction::Set:
        FSink.setProgress(step.state, step.percent);
        FTaskBarState = step.taskBarState;
        break;
    }
    if (step.startTimer)
        FDownloadCompleteTimer.start();
}

void TTaskbarController::clear()
{
    FDownloadCompleteTimer.stop();
    FSink.setProgress(TTaskbarState::NoProgress, 0);
    FTaskBarState = TTaskbarState::NoProgress;
}
