#pragma once
// Decides when the live display shows stale values: from the start of the
// program until the first frame, and from Stop, Power Off or the tool's
// removal until the next frame. Going stale also puts the event indicators
// out: no frame will darken them any more.

#include <QObject>

class TLiveDisplayPresenter;
class TSession;

class TStaleDisplay : public QObject {
    Q_OBJECT
public:
    TStaleDisplay(TSession& session, TLiveDisplayPresenter& presenter, QObject* parent = nullptr);

    bool stale() const { return FStale; }

private:
    void sessionChanged();
    void setStale(bool stale);

    TSession& FSession;
    TLiveDisplayPresenter& FPresenter;
    bool FStale = false;
};
