#include "SendCommandsLink.h"

#include "CommandLogs.h"
#include "EngineeringPage.h"
#include "SettingsForm.h"

void linkSendCommandsButton(TSettingsForm& settings, TCommandLogs& logs)
{
    for (TEngineeringPage* page : settings.findChildren<TEngineeringPage*>()) {
        page->setSendCommandsAvailable(true);
        QObject::connect(page, &TEngineeringPage::showSendCommandsRequested, &logs,
                         &TCommandLogs::showSendCommands);
    }
}
