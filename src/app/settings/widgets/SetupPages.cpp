// Page 0 "Setup" and page 12 "Data Logging".
#include "DataLogPage.h"
#include "PageSlots.h"
#include "SettingsForm.h"
#include "SettingsPages.h"
#include "SetupPage.h"

void addSetupPages(TSettingsForm& form)
{
    form.setPage(settingspage::kSetup, new TSetupPage(form));
    form.setPage(settingspage::kDataLogging, new TDataLogPage(form));
}
