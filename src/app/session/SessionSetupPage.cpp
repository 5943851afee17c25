// The settings window's "Setup" page (recent settings files, Apply Settings,
// Save Settings, Clear List) and "Data Logging" page (Start Log / Stop Log).
#include "FileMessages.h"
#include "Session.h"

namespace {

constexpr const char* kLoadingNotice = "Loading settings | Please wait...";
constexpr const char* kCustomLoaded = "Custom settings loaded";
constexpr const char* kUpdateBeforeSaving =
    "Do you want to update the settings from the chip before saving?";
constexpr const char* kSettingsSavedNotice = "Settings saved";
constexpr const char* kSaveCanceled = "Canceled";
constexpr const char* kClearListQuestion =
    "Are you sure you want to clear the saved settings list?";

} // namespace

void TSession::SettingsFileDialogCancelled()
{
    if (S.FSettingsFile.empty()) {
        W.loadSettingsOnStartup = false;
        emit settingsChanged();
    }
}

void TSession::LoadSettingsButtonClick()
{
    W.statusError.clear();
    W.statusNotice = QString::fromLatin1(kLoadingNotice);
    emit settingsChanged(); // shown while the file is applied
    W.statusNotice.clear();
    if (LoadCustomSettings()) {
        W.statusNotice = QString::fromLatin1(kCustomLoaded);
    } else {
        // The cause is in the message list; the status line does not claim
        // a load that did not happen.
        W.statusError = QString::fromLatin1(filemsg::kSettingsLoadError);
    }
    emit settingsChanged();
}

void TSession::SaveSettingsButtonClick()
{
    if (W.atiNoticeVisible) {
        const TDialogResult answer =
            FPrompts.message(QString::fromLatin1(kUpdateBeforeSaving), TDialogIcon::Confirmation,
                             TDialogButtons::YesNo);
        if (answer == TDialogResult::Yes)
            UpdateAllSettingsClick();
        else if (answer != TDialogResult::No)
            return; // closed without an answer
    }
    const auto file =
        FPrompts.saveFileName({QStringLiteral("Save Settings"), QStringLiteral("Ini Files (*.ini)"),
                               QStringLiteral("ini"), QStringLiteral("MFS380A")});
    W.statusError.clear();
    W.statusNotice.clear();
    if (!file)
        W.statusNotice = QString::fromLatin1(kSaveCanceled);
    else if (SaveSettingsTo(*file))
        W.statusNotice = QString::fromLatin1(kSettingsSavedNotice);
    else
        W.statusError = QString::fromLatin1(filemsg::kSettingsSaveError);
    emit settingsChanged();
}

void TSession::ClearRecentButtonClick()
{
    if (FPrompts.message(QString::fromLatin1(kClearListQuestion), TDialogIcon::Confirmation,
                         TDialogButtons::YesNo) != TDialogResult::Yes)
        return;
    FPrefs.clearRecent(); // errors while editing the preferences file are ignored
    FRecent.clear();
    W.recentSelection = -1;
    W.loadSettingsOnStartup = false;
    S.FSettingsFile.clear();
    B.applySettingsEnabled = false;
    emit settingsChanged();
    emitButtons();
}

bool TSession::LogDataButtonClick()
{
    const TLogSelection& selection = W.logSelection;
    if (!selection.anyChannelColumn()) {
        FPrompts.message(QString::fromLatin1(filemsg::kLogNoOption), TDialogIcon::Error,
                         TDialogButtons::Ok);
        return false;
    }
    const bool starting = B.logCaption == QLatin1String("Start Log");
    if (starting) {
        const TLogStreamNeeds needs = missingStreaming(selection, FSetup.streamLayout());
        if (needs.any() &&
            FPrompts.message(QString::fromLatin1(filemsg::kLogEnableStreaming),
                             TDialogIcon::Warning, TDialogButtons::YesNo) == TDialogResult::Yes) {
            FSetup.CSCheck = FSetup.CSCheck || needs.counts;
            FSetup.LTACheck = FSetup.LTACheck || needs.lta;
            FSetup.PTCheck = FSetup.PTCheck || needs.proxTouch;
            if (FSetup.detectStreamingChange()) {
                CheckChanges();
                ApplyButtonClick();
            }
            emit settingsChanged();
        }
    }
    return SetupLogging();
}
