// The file operations as the session runs them: applying and saving device
// settings files, the header export and the data log.
#include "CustomerPanel.h"
#include "FileMessages.h"
#include "HeaderExport.h"
#include "Session.h"
#include "SettingsFile.h"

namespace {

QString text(const char* t)
{
    return QString::fromLatin1(t);
}

}  // namespace

bool TSession::LoadSettings()
{
    const std::filesystem::path file = S.FSettingsFile;
    const TSettingsFileRead read = readSettingsFile(file);
    using TStatus = TSettingsFileRead::TStatus;
    if (read.status == TStatus::WrongDevice) {
        KvnAddItem(text(filemsg::kInvalidSettingsFile), TMessageType::Error);
        FPrompts.message(text(filemsg::kInvalidSettingsDialog), TDialogIcon::Error,
                         TDialogButtons::Ok);
        return false;
    }
    if (read.status == TStatus::Unreadable) {
        KvnAddItem(text(filemsg::kSettingsLoadError), TMessageType::Error);
        return false;
    }
    if (!StopStreaming())
        return false;

    S.FLoadingSettings = true;
    const TSettingsLoadPlan plan = applySettingsFile(read, FSettings, FSetup, FChannelBoxes);
    S.FLoadingSettings = false;
    if (plan.uiSar) {
        S.UI_SAR = *plan.uiSar;
        W.movementOverrideEnabled = S.UI_SAR;
    }
    if (read.content.deltaOnly && *read.content.deltaOnly != S.FDeltaOnly && plan.complete)
        Delta(*read.content.deltaOnly);
    emit channelBoxesChanged();

    for (const TSettingsWrite& write : plan.writes) {
        if (write.kind == TSettingsWrite::TKind::ChannelMask)
            WriteChannelMask();
        else
            WriteGroup(write.group);
    }
    LinkEngToCh(FSettings);
    RestartStreaming();
    if (plan.complete) {
        KvnAddItem(text(filemsg::kSettingsLoaded), TMessageType::Info);
        ResetDefault();
        CheckChanges();
        W.FSettingsATIMessage = true;
        S.FFileLoaded = true;
        wait(500);
    } else {
        KvnAddItem(text(filemsg::kSettingsLoadError), TMessageType::Error);
        CheckChanges();
    }
    emit settingsChanged();
    return plan.complete;
}

bool TSession::LoadCustomSettings()
{
    emit displayReset();
    setBarBackground(TBarBackground::Wait);
    S.FReadDevice = false;
    S.FLoadSettings = false;
    const bool loaded = LoadSettings();
    setBarBackground(TBarBackground::None);
    return loaded;
}

void TSession::SelectRecentSettings(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= FRecent.size()) {
        W.recentSelection = -1;
        S.FSettingsFile.clear();
        B.applySettingsEnabled = false;
        W.loadSettingsOnStartup = false;
        emit settingsChanged();
        emitButtons();
        return;
    }
    const std::string path = FRecent.paths()[static_cast<std::size_t>(index)];
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        W.recentSelection = index;
        S.FSettingsFile = path;
        B.applySettingsEnabled = S.FIsStreaming;
    } else {
        const auto answer = FPrompts.message(
            QStringLiteral("The selected file could not be loacated!\n\nDo you want to remove "
                           "this file from the list?"),
            TDialogIcon::Warning, TDialogButtons::YesNo);
        if (answer == TDialogResult::Yes) {
            FRecent.remove(static_cast<std::size_t>(index));
            FPrefs.writeRecent(FRecent.paths());
        }
        W.recentSelection = -1;
        S.FSettingsFile.clear();
        B.applySettingsEnabled = false;
    }
    emit settingsChanged();
    emitButtons();
}

int TSession::BrowseSettingsFile(const std::string& path)
{
    const std::string full = std::filesystem::absolute(path).string();
    std::size_t index;
    if (const auto known = FRecent.indexOf(full)) {
        index = *known;
    } else {
        index = *FRecent.add(full);
        FPrefs.writeRecent(FRecent.paths());  // a failure here is ignored
    }
    W.recentSelection = static_cast<int>(index);
    S.FSettingsFile = full;
    B.applySettingsEnabled = S.FIsStreaming;
    emit settingsChanged();
    emitButtons();
    return static_cast<int>(index);
}

bool TSession::SaveSettings()
{
    const auto file = FPrompts.saveFileName({QStringLiteral("Save Settings"),
                                             QStringLiteral("Ini Files (*.ini)"),
                                             QStringLiteral("ini"),
                                             QString::fromLatin1(kSettingsDefaultName)});
    if (!file)
        return true;
    return SaveSettingsTo(*file);
}

bool TSession::SaveSettingsTo(const QString& file)
{
    std::string error;
    const std::filesystem::path path = file.toStdString();
    if (!saveSettingsFile(path, FSettings, FSetup, FChannelBoxes, error)) {
        KvnAddItem(text(filemsg::kSettingsSaveError), TMessageType::Error);
        return false;
    }
    const std::string full = std::filesystem::absolute(path).string();
    if (const auto index = FRecent.add(full)) {
        FPrefs.writeRecentEntry(*index, full);  // a failure here is ignored
        if (W.recentSelection < 0)
            SelectRecentSettings(static_cast<int>(*index));
    }
    KvnAddItem(text(filemsg::kSettingsSaved), TMessageType::Info);
    emit settingsChanged();
    return true;
}

void TSession::ExportHFile()
{
    if (FSettings.anyChanged() || W.FChanged) {
        // Yes applies the pending changes first, so that the header holds what
        // the user asked to apply.
        if (FPrompts.message(text(filemsg::kHeaderPendingChanges), TDialogIcon::Confirmation,
                             TDialogButtons::YesNo) == TDialogResult::Yes)
            ApplyButtonClick();
    }
    const auto file = FPrompts.saveFileName({QStringLiteral("Export H File"),
                                             QStringLiteral("h Files (*.h)"),
                                             QStringLiteral("h"),
                                             QString::fromLatin1(kHeaderDefaultName)});
    if (file)
        ExportHFileTo(*file);
}

bool TSession::ExportHFileTo(const QString& file)
{
    std::string error;
    if (!exportHeader(file.toStdString(), FSettings, FChannelBoxes, error)) {
        KvnAddItem(text(filemsg::kHeaderExportError), TMessageType::Error);
        return false;
    }
    KvnAddItem(text(filemsg::kHeaderExported), TMessageType::Info);
    return true;
}

bool TSession::SetupLogging()
{
    if (B.logCaption != QLatin1String("Start Log")) {
        S.FDoLog = false;
        // The last lines of a fast stream may still wait in the buffer.
        const bool written = FLog.stop();
        B.logCaption = QStringLiteral("Start Log");
        if (written)
            KvnAddItem(text(filemsg::kLogStopped), TMessageType::Info);
        else
            KvnAddItem(text(filemsg::kLogWriteError), TMessageType::Error);
        emit logStateChanged(false);
        emitButtons();
        return true;
    }
    const auto file = FPrompts.saveFileName({QStringLiteral("Save Log"),
                                             QStringLiteral("Text Files (*.txt)"),
                                             QStringLiteral("txt"),
                                             QStringLiteral("MFS380A_Log")});
    if (!file)
        return true;
    return StartLogTo(*file);
}

bool TSession::StartLogTo(const QString& file)
{
    if (!FLog.start(file.toStdString(), W.logSelection)) {
        S.FDoLog = false;
        KvnAddItem(text(filemsg::kLogStartError), TMessageType::Error);
        FPrompts.message(text(filemsg::kLogStartDialog), TDialogIcon::Error, TDialogButtons::Ok);
        return false;
    }
    S.FDoLog = true;
    B.logCaption = QStringLiteral("Stop Log");
    KvnAddItem(text(filemsg::kLogStarted), TMessageType::Info);
    emit logStateChanged(true);
    emitButtons();
    return true;
}
