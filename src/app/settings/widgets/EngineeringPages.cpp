// Pages 9 "Engineering", 10 "Debug", 15 "OTP Setup" and 16 "Capacitance
// Calculation". Until they are built, their slots hold placeholders.
#include "PageSlots.h"
#include "SettingsForm.h"

void addEngineeringPages(TSettingsForm& form)
{
    // form.setPage(settingspage::kEngineering, new TEngineeringPage(form));
    // form.setPage(settingspage::kDebug, new TDebugPage(form));
    // form.setPage(settingspage::kOtpSetup, new TOtpPage(form));
    // form.setPage(settingspage::kCapacitance, new TCapacitancePage(form));
    (void)form;
}
