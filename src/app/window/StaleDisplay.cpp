#include "StaleDisplay.h"

#include "LiveDisplayPresenter.h"
#include "Session.h"

TStaleDisplay::TStaleDisplay(TSession& session, TLiveDisplayPresenter& presenter, QObject* parent)
    : QObject(parent), FSession(session), FPresenter(presenter)
{
    connect(&session, &TSession::frameHandled, this, [this] { setStale(false); });
    connect(&session, &TSession::buttonsChanged, this, &TStaleDisplay::sessionChanged);
    setStale(true);
}

void TStaleDisplay::sessionChanged()
{
    const TSessionState& s = FSession.state();
    // A paused stream keeps its picture as the user froze it.
    if (!s.FIsStreaming && !s.FIsPaused)
        setStale(true);
}

void TStaleDisplay::setStale(bool stale)
{
    if (stale == FStale)
        return;
    FStale = stale;
    FPresenter.setStale(stale);
    if (stale) {
        FSession.Events().clear();
        FPresenter.presentEvents(FSession.Events());
    }
}
