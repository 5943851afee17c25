#include "ScopeLink.h"

#include "DisplayModel.h"
#include "Session.h"

#include <QWindow>

TScopeLink::TScopeLink(TSession& session, TDisplayModel& display, const Pictures& pictures)
    : FSession(session), FDisplay(display)
{
    FForm = std::make_unique<TScopeForm>(*this, *this, session.Preferences(), pictures);
    FDisplay.setScopeFeed(FForm.get());

    TScopeForm* form = FForm.get();
    connect(&session, &TSession::barTimerChanged, form, [form](bool running) {
        if (!running)
            form->stopUpdateTimer();
    });
    connect(&session, &TSession::baselineViewChanged, form, &TScopeForm::baselineViewChanged);
    // A channel box gates its count and LTA traces: the scope's active traces
    // follow it at once, not only at the scope's next box click.
    connect(&session, &TSession::channelBoxesChanged, form, &TScopeForm::CheckActiveChannels);
}

TScopeLink::~TScopeLink()
{
    FDisplay.setScopeFeed(nullptr);
    FForm.reset();
}

bool TScopeLink::isScopeWindow(const QObject* watched) const
{
    return watched && watched == FForm->windowHandle();
}

bool TScopeLink::isStreaming() const
{
    return FSession.state().FIsStreaming;
}

bool TScopeLink::deltaOnly() const
{
    return FSession.state().FDeltaOnly;
}

bool TScopeLink::channelEnabled(int channel) const
{
    const auto& boxes = FSession.channelBoxes();
    return channel >= 0 && channel < static_cast<int>(boxes.size()) &&
           boxes[static_cast<std::size_t>(channel)];
}

void TScopeLink::addScopeError(const QString& text)
{
    FSession.KvnAddItem(text, TMessageType::Error);
}
