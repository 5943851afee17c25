// Page 0 "Setup" and page 12 "Data Logging". Until they are built, their
// slots hold placeholders.
#include "PageSlots.h"
#include "SettingsForm.h"

void addSetupPages(TSettingsForm& form)
{
    // form.setPage(settingspage::kSetup, new TSetupPage(form));
    // form.setPage(settingspage::kDataLogging, new TDataLogPage(form));
    (void)form;
}
