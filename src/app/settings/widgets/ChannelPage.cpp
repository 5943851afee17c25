#include "ChannelPage.h"

#include "CustomerPanel.h"
#include "CustomerPanelView.h"
#include "Session.h"
#include "SettingsPages.h"

#include <QVBoxLayout>

TChannelPage::TChannelPage(TSettingsForm& form, int page) : TFieldPage(form, page)
{
    FCustomer = new TCustomerPanelView(settingsPage(page).Channel, this);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, FCustomer);
    connect(FCustomer, &TCustomerPanelView::edited, this, &TChannelPage::customerEdited);
    setEngineering(false);
}

void TChannelPage::setEngineering(bool on)
{
    TFieldPage::setEngineering(on);
    panel()->setVisible(on);
    FCustomer->setVisible(!on);
}

void TChannelPage::showSettings()
{
    TFieldPage::showSettings();
    const auto& panels = session().Settings().panels();
    FCustomer->showPanel(panels[static_cast<std::size_t>(FCustomer->channel())]);
}

void TChannelPage::customerEdited()
{
    TSession& s = session();
    if (s.state().FLoadingSettings)
        return;
    TSettingsModel& m = s.Settings();
    FCustomer->readPanel(m.panels()[static_cast<std::size_t>(FCustomer->channel())]);
    LinkToEng(m);
    LinkEngToCh(m);
    s.CheckChanges();
}
