#include "SettingsWindowLink.h"

#include "SensorPanel.h"
#include "SettingsForm.h"
#include "SettingsPages.h"

#include <QAbstractButton>
#include <QAction>

void linkSettingsWindow(TSettingsForm& form, const TSettingsWindowEntries& entries)
{
    TSettingsForm* f = &form;
    QObject::connect(entries.settingsButton, &QAbstractButton::clicked, f,
                     &TSettingsForm::showWindow);
    QObject::connect(entries.settingsMenu, &QAction::triggered, f, &TSettingsForm::showWindow);
    const struct {
        TSensorPanel* Panel;
        int Page;
    } headers[] = {{entries.hall, settingspage::kHall},
                   {entries.sar, settingspage::kSarUI},
                   {entries.hysteresis, settingspage::kHysteresis},
                   {entries.temperature, settingspage::kTemperature}};
    for (const auto& h : headers) {
        const int page = h.Page;
        QObject::connect(h.Panel, &TSensorPanel::headerClicked, f,
                         [f, page] { f->showPage(page); });
    }
}
