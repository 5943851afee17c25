#pragma once
// The main window's side of the scope window: creates the window (top-level,
// hidden), lets the live display feed it one sample per frame, stops its
// update timer when streaming stops, pauses or the tool goes, re-evaluates its
// active traces when channel boxes or baseline view change, and answers what
// the scope asks of the main window (streaming, baseline view, channel boxes,
// the message list).

#include "ScopeModel.h"
#include "ScopeForm.h"

#include <QObject>
#include <memory>

class TDisplayModel;
class TSession;
struct Pictures;

class TScopeLink : public QObject, public scope::IScopeHost, public IScopeMessages {
    Q_OBJECT
public:
    TScopeLink(TSession& session, TDisplayModel& display, const Pictures& pictures);
    // Ends the feed and destroys the window, which writes its settings.
    ~TScopeLink() override;

    TScopeForm* form() const { return FForm.get(); }
    // The window system's handle of the scope window (for the F3 key).
    bool isScopeWindow(const QObject* watched) const;

    bool isStreaming() const override;
    bool deltaOnly() const override;
    bool channelEnabled(int channel) const override;
    void addScopeError(const QString& text) override;

private:
    TSession& FSession;
    TDisplayModel& FDisplay;
    std::unique_ptr<TScopeForm> FForm;
};
