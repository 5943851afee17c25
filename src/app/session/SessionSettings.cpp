// The settings window's operations that move settings between the model and
// the chip: Apply, Undo, update all from the chip, the change indication.
#include "CustomerPanel.h"
#include "HexText.h"
#include "KelvanHidTool.h"
#include "Session.h"
#include "SessionTexts.h"

namespace {

constexpr const char* kCouldNotUpdate = "Could not update settings";
constexpr const char* kOneSelection = "At least 1 selection must be active in Streaming Setup!";
constexpr const char* kAxisError = "Min value must be smaller than Max value!";
constexpr const char* kAddressError = "I2C Address must be a hexadecimal number from 01 to 7F!";
constexpr const char* kApplyOnClose =
    "Changes have not been applied, do you want to apply these changes?";

bool anyFlag(const TSettingsModel& m, const TSetupModel& s)
{
    return m.anyChanged() || s.setupChecksChanged() || s.streamSetupChanged();
}

}  // namespace

void TSession::CheckChanges()
{
    const bool changed = anyFlag(FSettings, FSetup);
    if (changed != W.FChanged) {
        W.FChanged = changed;
        W.statusNotice = changed ? QStringLiteral("Changes not yet applied...") : QString();
    }
    emit settingsChanged();
}

void TSession::ResetDefault()
{
    FSettings.ResetDefault();
    FSetup.snapshotSetupChecks();
    FSetup.snapshotStreaming();
    W.atiNoticeVisible = false;
    W.statusError.clear();
    emit settingsChanged();
}

bool TSession::UpdateAllSettingsClick()
{
    W.statusError.clear();
    W.statusNotice.clear();
    if (!ReadFromDevice(false)) {
        W.statusError = QString::fromLatin1(sessionmsg::kErrorReadingAll);
        emit settingsChanged();
        return false;
    }
    W.atiNoticeVisible = false;
    ResetDefault();
    CheckChanges();
    W.statusNotice = QString::fromLatin1(sessionmsg::kAllSettingsUpdated);
    emit settingsChanged();
    return true;
}

void TSession::CancelButtonClick()
{
    W.statusNotice.clear();
    const bool loading = S.FLoadingSettings;
    S.FLoadingSettings = true;
    for (const TSettingsGroup g : kAllGroups) {
        if (FSettings.isChanged(g))
            FSettings.undo(g);
    }
    if (FSetup.streamSetupChanged())
        FSetup.undoStreaming();
    if (FSetup.setupChecksChanged()) {
        FSetup.undoSetupChecks();
        W.axisMessage.clear();
    }
    S.FLoadingSettings = loading;
    W.statusError.clear();
    CheckChanges();
}

void TSession::Delta(bool on)
{
    S.FDeltaOnly = on;
    if (on) {
        const TStreamLayout& layout = FSetup.streamLayout();
        if (!layout.CSActive) {
            KvnAddItem(QString::fromLatin1(sessionmsg::kCountsDisabled), TMessageType::Error);
            KvnAddItem(QString::fromLatin1(sessionmsg::kNoDeltas), TMessageType::Error);
        }
        if (!layout.LTAActive) {
            KvnAddItem(QString::fromLatin1(sessionmsg::kLtaDisabled), TMessageType::Error);
            KvnAddItem(QString::fromLatin1(sessionmsg::kNoDeltas), TMessageType::Error);
        }
    }
    emit baselineViewChanged(on);
}

bool TSession::ApplySetupStates()
{
    const TSetupStates prev = FSetup.prevSetupCheckStates();
    const TSetupStates cur = FSetup.GetSetupCheckStates();
    auto changed = [&](std::size_t i) { return prev[i] != cur[i]; };

    // An address that is no 7-bit I2C address changes nothing at all.
    if (changed(9) && (cur[9] < 0x01 || cur[9] > 0x7F)) {
        KvnAddItem(QString::fromLatin1(kAddressError), TMessageType::Error);
        W.statusError = QString::fromLatin1(kCouldNotUpdate);
        emit settingsChanged();
        return false;
    }

    if (changed(0)) {
        if (!S.FCTSetup && HandleRes(FDevice->SetupCT()))
            S.FCTSetup = true;
        TExchangeResult res;
        if (FSetup.VoltageIndex == 1) {
            double selected = 0;
            res = FHidTool->SetDUTVoltage(selected, 1.8);
            FDevice->SetAdjustableDUTVoltage(1.8);
            FDevice->SetDUTVoltage(vAdjustable);
        } else {
            res = FHidTool->SetDUTVoltage(dv3_3V);
            FDevice->SetDUTVoltage(v3_3V);
        }
        if (HandleRes(res))
            KvnAddItem(QStringLiteral("Voltage changed successfully"), TMessageType::Info);
    }
    if (changed(1))
        Delta(FSetup.BaselineView);
    if (changed(2) || changed(6) || changed(7) || changed(8)) {
        FDevice->SetI2CPullUpResistors(FSetup.PullupIndex == 0 ? prConnected : prNotConnected);
        FDevice->SetCommsSpeed(static_cast<TCommsSpeed>(std::clamp(FSetup.CommsSpeedIndex, 0, 2)));
        if (!S.FCTSetup && HandleRes(FDevice->SetupCT()))
            S.FCTSetup = true;
        bool ok = true;
        TExchangeResult res = 0;
        if (FSetup.CommsIndex == 2) {
            FHidTool->WaitForRdy(false);
            ok = SetEventMode(true, true);
        } else {
            FHidTool->WaitForRdy(true);
            FDevice->SetI2CPolling(ipNoPolling);
            FDevice->SetI2CType(FSetup.CommsIndex == 0 ? RDY_ActiveLow : RDY_ActiveHigh);
            res = FHidTool->ConfigI2C(FDevice->I2CType(), FDevice->I2CPullUpResistors(),
                                      FDevice->I2CAddressValue(), FDevice->I2CReadyPin(),
                                      FDevice->I2CStopCommand(), FDevice->I2CPolling());
            ok = SetEventMode(true, false);
        }
        S.FEventModeRdy = FDevice->I2CType();
        S.FEventModePolling = FDevice->I2CPolling();
        if (ok && !S.FLoadingSettings) {
            if (res != 0)
                HandleRes(res);
            else
                KvnAddItem(QStringLiteral("Comms Type changed"), TMessageType::Info);
        }
    }
    if (changed(3) || changed(4) || changed(5)) {
        if (FSetup.GraphMax <= FSetup.GraphMin) {
            W.axisMessage = QString::fromLatin1(kAxisError);
            W.statusError = QString::fromLatin1(kCouldNotUpdate);
            emit settingsChanged();
            return false;
        }
        W.axisMessage.clear();
        emit barAxisChanged(FSetup.GraphMin, FSetup.GraphMax, FSetup.GraphInc);
    }
    if (changed(9)) {
        FDevice->SetI2CAddress(FSetup.I2CAddressText);
        HandleRes(FHidTool->ConfigI2C(FDevice->I2CType(), FDevice->I2CPullUpResistors(),
                                      FDevice->I2CAddressValue(), FDevice->I2CReadyPin(),
                                      FDevice->I2CStopCommand(), FDevice->I2CPolling()));
        KvnAddItem(QString::fromLatin1(sessionmsg::kDeviceAddress) +
                       QString::fromStdString(FDevice->I2CAddress()) + QStringLiteral("H"),
                   TMessageType::Info);
    }
    return true;
}

bool TSession::ApplyButtonClick()
{
    W.statusNotice.clear();
    W.FMovOverride = FSettings.movementOverride();

    if (FSetup.detectStreamingChange()) {
        if (!FSetup.CSCheck && !FSetup.LTACheck && !FSetup.PTCheck) {
            FPrompts.message(QString::fromLatin1(kOneSelection), TDialogIcon::Error,
                             TDialogButtons::Ok);
            FSetup.CSCheck = true;
            FSetup.detectStreamingChange();
            CheckChanges();
            return false;
        }
        StopStreaming();
        FSetup.SetupStreaming();
        KvnAddItem(QString::fromLatin1(sessionmsg::kStreamingSetupConfigured), TMessageType::Info);
        if (S.FDeltaOnly)
            Delta(true);
        FSetup.snapshotStreaming();
        CheckChanges();
        RestartStreaming();
    }

    if (FSetup.detectSetupChecksChange()) {
        if (!ApplySetupStates())
            return false;
        W.statusError.clear();  // an earlier refusal is over
        FSetup.snapshotSetupChecks();
        CheckChanges();
    }

    for (const TSettingsGroup g : kApplyOrder) {
        if (!FSettings.detectChange(g))
            continue;
        const bool deviceGroup = g == TSettingsGroup::Device;
        const bool wantEventMode = FSettings.eventModeChosen();
        if (deviceGroup && wantEventMode && !S.FEventMode)
            S.FEventMode = true;
        if (!WriteGroup(g)) {
            W.statusError = QString::fromLatin1(kCouldNotUpdate);
            CheckChanges();
            return false;
        }
        if (deviceGroup && !wantEventMode && S.FEventMode)
            S.FEventMode = false;
        W.statusError.clear();
        FSettings.snapshot(g);
        CheckChanges();
        if (g == TSettingsGroup::PxsSetup) {
            S.UI_SAR = FSettings.sarUiEnabled();
            W.movementOverrideEnabled = S.UI_SAR;
            SARStreaming(S.UI_SAR);
        }
    }
    CheckChanges();
    return true;
}

bool TSession::ReadGroupClick(TSettingsGroup g)
{
    if (!ReadGroup(g)) {
        W.statusNotice.clear();
        W.statusError = QString::fromLatin1(kCouldNotUpdate);
        emit settingsChanged();
        return false;
    }
    W.statusError.clear();
    FSettings.snapshot(g);
    CheckChanges();
    return true;
}

void TSession::SettingsFormClosing()
{
    if (!W.FChanged)
        return;
    if (FPrompts.message(QString::fromLatin1(kApplyOnClose), TDialogIcon::Confirmation,
                         TDialogButtons::YesNo) == TDialogResult::Yes)
        ApplyButtonClick();
}
