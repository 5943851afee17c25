#include "SettingsPage.h"

#include "CustomerPanel.h"
#include "Session.h"
#include "SettingsForm.h"

TSettingsPage::TSettingsPage(TSettingsForm& form, int page) : FForm(form), FPage(page)
{
    setObjectName(QStringLiteral("SettingsPage%1").arg(page));
}

TSession& TSettingsPage::session() const
{
    return FForm.session();
}

void TSettingsPage::settingsChanged()
{
    FDirty = true;
    if (isVisible())
        refresh();
}

void TSettingsPage::setEngineering(bool) {}

void TSettingsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FDirty)
        refresh();
}

void TSettingsPage::refresh()
{
    FDirty = false;
    FRefreshing = true;
    showSettings();
    FRefreshing = false;
}

void TSettingsPage::detectChange(TSettingsGroup g)
{
    TSession& s = session();
    if (s.state().FLoadingSettings)
        return;
    s.Settings().detectChange(g);
    // The simplified channel panels always show what the engineering
    // controls hold, so that an edit on a panel never writes back older values.
    if (g == TSettingsGroup::PxsSetup)
        LinkEngToCh(s.Settings());
    s.CheckChanges();
}

void TSettingsPage::detectSetupChange()
{
    TSession& s = session();
    if (s.state().FLoadingSettings)
        return;
    s.Setup().detectSetupChecksChange();
    s.CheckChanges();
}

void TSettingsPage::detectStreamingChange()
{
    TSession& s = session();
    if (s.state().FLoadingSettings)
        return;
    s.Setup().detectStreamingChange();
    s.CheckChanges();
}
