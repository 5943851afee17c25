#include "DemoLink.h"

#include "DemoForm.h"
#include "FieldTable.h"
#include "Session.h"

TDemoLink::TDemoLink(TSession& session, QObject* parent)
    : QObject(parent), FSession(session), FForm(std::make_unique<TDemoForm>())
{
    TDemoForm* f = FForm.get();
    connect(&session, &TSession::demoShowRequested, this, &TDemoLink::show);
    connect(&session, &TSession::demoUpdated, this, &TDemoLink::frame);
    connect(&session, &TSession::demoCloseRequested, f, [f] {
        if (f->isVisible())
            f->close();
    });
    connect(&session, &TSession::settingsChanged, f,
            [this] { FForm->showMode(FSession.Settings().fieldValue(TFieldId::CommsMode)); });
    connect(f, &TDemoForm::closed, &session, &TSession::DemoFormClosed);
    connect(f, &TDemoForm::loadSettingsClicked, &session, &TSession::LoadSarSettingsClick);
    connect(f, &TDemoForm::modeChosen, &session, &TSession::DemoModeClick);
    f->showMode(session.Settings().fieldValue(TFieldId::CommsMode));
}

TDemoLink::~TDemoLink() = default;

void TDemoLink::show()
{
    if (!FForm->isVisible())
        FForm->forgetStates(); // the first frame draws every picture
    if (FForm->isMinimized())
        FForm->showNormal();
    FForm->show();
    FForm->raise();
}

void TDemoLink::frame(int eventCounter)
{
    FForm->setEventCounter(eventCounter);
    const auto states = demoStates(FSession.Live());
    for (int i = 0; i < kDemoIndicators; ++i)
        FForm->set(static_cast<TDemoIndicator>(i), states[static_cast<std::size_t>(i)]);
}
