// The SAR UI demo window's own commands.
#include "FieldTable.h"
#include "Session.h"

void TSession::DemoFormClosed()
{
    S.FDemo = false;
}

void TSession::LoadSarSettingsClick()
{
    LoadDemoSettings(0);
    RedoATIButtonClick();
}

bool TSession::DemoModeClick(int index)
{
    if (index < 0 || index > 1)
        return false;
    FSettings.setFieldValue(TFieldId::CommsMode, index);
    // The settings window's change check, then its Apply.
    if (!S.FLoadingSettings)
        FSettings.detectChange(fieldDesc(TFieldId::CommsMode).Group);
    CheckChanges();
    return ApplyButtonClick();
}
