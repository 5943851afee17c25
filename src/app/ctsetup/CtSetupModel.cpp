#include "CtSetupModel.h"

#include "CtSetupTexts.h"
#include "PrevSerials.h"
#include "ProgramLauncher.h"
#include "Session.h"

#include <QFileInfo>

namespace {

using TStyle = TToolLabel::TStyle;

QString text(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace

TCtSetupModel::TCtSetupModel(TSession& session, TFirmwareMinimums minimums,
                             SessionPrompts& prompts, QString programFolder, QObject* parent)
    : QObject(parent),
      FSession(session),
      FMinimums(std::move(minimums)),
      FPrompts(prompts),
      FProgramFolder(std::move(programFolder)),
      FStarter(&startProgram)
{
    F.Engineering = FSession.engineering();
    connect(&FSession, &TSession::engineeringChanged, this, &TCtSetupModel::setEngineering);
}

TCtSetupModel::~TCtSetupModel()
{
    if (FAttached)
        FSession.setToolSetup(nullptr);
}

void TCtSetupModel::attach()
{
    FAttached = true;
    FSession.setToolSetup(this);
}

void TCtSetupModel::makeCurrent(int index)
{
    // The tool component steers commands to the serial number it was last
    // given; the row's serial goes with the index, so that the row's tool
    // answers (and stays current across a rescan).
    TKelvanHidTool& tool = FSession.HidTool();
    const TCTData& table = FSession.DevList().CTData();
    if (!tool.SetCurrentDevice(index))
        return;
    tool.SetSelectedSerialNumber(table.SerialNumber[static_cast<std::size_t>(index)]);
}

// ---- List ------------------------------------------------------------------

void TCtSetupModel::UpdateList()
{
    const TCTData& table = FSession.DevList().CTData();
    V.rows.clear();
    for (int i = 0; i < table.Count; ++i)
        V.rows.push_back({QString::fromStdString(table.Name[static_cast<std::size_t>(i)]), false});
    const int current = FSession.HidTool().CurrentDeviceIndex();
    F.FCheckedItem = current;
    F.FSelectedItem = current;
    if (current >= 0 && current < static_cast<int>(V.rows.size())) {
        V.rows[static_cast<std::size_t>(current)].checked = true;
        V.selectedRow = current;
        UpdateDetails(current);
    } else {
        V.selectedRow = -1;
    }
    emit viewChanged();
}

void TCtSetupModel::ClearList()
{
    V.rows.clear();
    V.selectedRow = -1;
    V.FWVersionEdit.clear();
    V.BuildEdit.clear();
    V.ReleaseEdit.clear();
    V.SerialEdit.clear();
    V.NameLabel = QStringLiteral("N/A");
    V.Panel2Visible = false;
    emit viewChanged();
}

// ---- Details and verdict ---------------------------------------------------

void TCtSetupModel::setStatus(TFirmStatus status)
{
    V.status = status;
    V.FirmStatusLabel = firmStatusText(status);
    V.statusLook = firmStatusLook(status);
}

void TCtSetupModel::applyGate(bool usable)
{
    // The verdict decides whether a session may start; it never takes the
    // buttons of a running session away (Stop must stay possible).
    const bool active = FSession.buttons().startCaption != QLatin1String("Start");
    const bool start = usable || F.Engineering;
    FSession.setFirmwareGate(start || active, active);
}

void TCtSetupModel::UpdateDetails(int index)
{
    if (index < 0 || index >= static_cast<int>(V.rows.size()))
        return;
    TKelvanHidTool& tool = FSession.HidTool();
    F.UpdatePref = false;
    F.FLocalPref = false;
    F.FSameVersion = false;
    makeCurrent(index);

    const std::size_t row = static_cast<std::size_t>(index);
    V.NameLabel = V.rows[row].name;
    std::uint32_t version = 0;
    std::uint8_t build = 0, release = 0;
    tool.GetCTFWVersion(version, build, release); // a failure shows the zeroed reply
    V.CTIDSpin = tool.LastDevID();
    V.FWVersionEdit = versionText(version);
    V.BuildEdit = QString::number(build);
    V.ReleaseEdit = releaseText(release);
    V.SerialEdit = QString::fromStdString(tool.SerialNumber());
    F.Prod = tool.ProductID();

    const bool isChecked = index == F.FCheckedItem;
    const bool shownIsChecked = F.FSelectedItem == F.FCheckedItem;
    const QString checkedName =
        F.FCheckedItem >= 0 && F.FCheckedItem < static_cast<int>(V.rows.size())
            ? V.rows[static_cast<std::size_t>(F.FCheckedItem)].name
            : V.rows[row].name;
    const TFirmwareVerdict verdict =
        judgeFirmware({static_cast<std::uint16_t>(F.Prod), version, build, release},
                      FMinimums.MinVer, FMinimums.FUpdaterInstalled);
    F.FLocalPref = verdict.FLocalPref;
    F.FSameVersion = verdict.FSameVersion;
    V.UpdateEnabled = verdict.updateEnabled;
    V.StabFirmLabel = verdict.StabFirmLabel;
    V.PrefFirmLabel = verdict.PrefFirmLabel;

    if (verdict.status == TFirmStatus::Error) {
        // The update program is missing: no tool can be judged.
        FCheckedUsable = false;
        applyGate(false);
        TToolLabel label = FSession.toolLabel();
        label.text = checkedName;
        label.style = TStyle::Error;
        label.hint = text(ctsetupmsg::kHintError);
        FSession.setToolLabel(label);
        const bool shownBefore = V.status == TFirmStatus::Error;
        setStatus(TFirmStatus::Error);
        V.Panel2Visible = true;
        emit viewChanged();
        if (!shownBefore)
            FPrompts.message(text(ctsetupmsg::kReinstall), TDialogIcon::Error, TDialogButtons::Ok);
        return;
    }

    setStatus(verdict.status);
    if (verdict.status == TFirmStatus::Unsupported) {
        if (isChecked) {
            F.FOutdated = false;
            FCheckedUsable = false;
            applyGate(false);
        }
        V.Panel2Visible = true;
        emit viewChanged();
        if (isChecked && shownIsChecked) {
            TToolLabel label = FSession.toolLabel();
            label.text = checkedName;
            label.style = TStyle::Unsupported;
            label.hint = text(ctsetupmsg::kHintUnsupported);
            FSession.setToolLabel(label);
            emit showRequested();
        }
        return;
    }

    if (isChecked) {
        F.FOutdated = verdict.status == TFirmStatus::Outdated;
        FCheckedUsable = !F.FOutdated;
        applyGate(FCheckedUsable);
        TToolLabel label = FSession.toolLabel();
        label.text = V.rows[row].name;
        if (!F.FOutdated) {
            F.UpdatePref = !verdict.upToDate;
            if (shownIsChecked) {
                label.style = verdict.upToDate ? TStyle::Tool : TStyle::Recommended;
                label.hint = verdict.upToDate ? QString() : text(ctsetupmsg::kHintRecommended);
            }
        } else if (shownIsChecked) {
            label.style = TStyle::Required;
            label.hint = text(ctsetupmsg::kHintRequired);
        }
        FSession.setToolLabel(label);
    }

    V.Panel2Visible = true;
    // Back to the tool the session uses; its LED shows it is in use (the
    // HB110 models swap red and green).
    makeCurrent(F.FCheckedItem);
    const std::uint16_t product = tool.ProductID();
    if (product == 0x103)
        tool.SetLED(lcGreen);
    else if (product == 0x107 || product == 0x108)
        tool.SetLED(lc110Green);
    emit viewChanged();
}

void TCtSetupModel::setEngineering(bool on)
{
    F.Engineering = on;
    if (!V.rows.empty())
        applyGate(FCheckedUsable);
}

// ---- Clicks ----------------------------------------------------------------

void TCtSetupModel::DevListClick(int row)
{
    if (row < 0 || row >= static_cast<int>(V.rows.size()))
        return;
    F.FSelectedItem = row;
    V.selectedRow = row;
    UpdateDetails(row);
    F.FOutdated = true;
}

void TCtSetupModel::DevListClickCheck(int row, bool checked)
{
    if (row < 0 || row >= static_cast<int>(V.rows.size()))
        return;
    TKelvanHidTool& tool = FSession.HidTool();
    tool.SetLED(lcOff);
    // The clicked row is the selected one: it becomes the tool in use, first
    // among the tools used before; every other row is unchecked.
    V.selectedRow = row;
    F.FCheckedItem = row;
    F.FSelectedItem = row;
    makeCurrent(row);
    FSession.ReadToolFirmware();
    std::vector<std::string> serials;
    FSession.Preferences().readPrevTools(serials);
    FSession.Preferences().writePrevTools(promoteSerial(
        std::move(serials), tool.SerialNumber(), pref::def::kPrevToolsRead));
    for (std::size_t i = 0; i < V.rows.size(); ++i)
        V.rows[i].checked = static_cast<int>(i) == row && checked;
    UpdateDetails(row);
    emit viewChanged();
}

void TCtSetupModel::CTIDSpinChange(int value)
{
    if (F.FSelectedItem < 0 || F.FSelectedItem >= static_cast<int>(V.rows.size()))
        return;
    // The ID shown is the shown tool's; the change goes to that tool.
    TKelvanHidTool& tool = FSession.HidTool();
    makeCurrent(F.FSelectedItem);
    const bool ok = FSession.HandleRes(tool.SetCTID(static_cast<std::uint8_t>(value)));
    makeCurrent(F.FCheckedItem);
    if (ok) {
        V.CTIDSpin = value;
        if (F.FSelectedItem == F.FCheckedItem)
            FSession.ReadToolFirmware(); // frames carry the new ID
    }
    emit viewChanged();
}

void TCtSetupModel::Activated()
{
    UpdateDetails(F.FSelectedItem);
}

void TCtSetupModel::ToggleCustomButton()
{
    V.UpdateCustomVisible = !V.UpdateCustomVisible;
    emit viewChanged();
}

// ---- Closing ---------------------------------------------------------------

bool TCtSetupModel::CloseQuery()
{
    if (!FSession.state().FUpdating)
        return true;
    return FPrompts.message(text(ctsetupmsg::kCloseWhileUpdating), TDialogIcon::Confirmation,
                            TDialogButtons::OkCancel) == TDialogResult::Cancel;
}

void TCtSetupModel::Closed()
{
    if (V.rows.empty())
        return;
    bool anyChecked = false;
    for (const auto& r : V.rows)
        anyChecked = anyChecked || r.checked;
    if (!anyChecked && F.FCheckedItem >= 0 && F.FCheckedItem < static_cast<int>(V.rows.size()))
        V.rows[static_cast<std::size_t>(F.FCheckedItem)].checked = true;
    TKelvanHidTool& tool = FSession.HidTool();
    if (tool.CurrentDeviceIndex() != F.FCheckedItem) {
        makeCurrent(F.FCheckedItem);
        FSession.ReadToolFirmware();
    }
    emit viewChanged();
}

// ---- Updates ---------------------------------------------------------------

void TCtSetupModel::selectForUpdate()
{
    TKelvanHidTool& tool = FSession.HidTool();
    makeCurrent(F.FSelectedItem);
    FUpdateSerial = tool.SerialNumber();
}

std::optional<TUpdateOutcome> TCtSetupModel::refused()
{
    if (FSession.state().FUpdating) {
        FPrompts.message(text(ctsetupmsg::kUpdateBusy), TDialogIcon::Warning, TDialogButtons::Ok);
        return TUpdateOutcome::Busy;
    }
    // Never send a tool into its firmware loader without a program to load it.
    const QFileInfo program(FMinimums.updaterProgram());
    const bool onDisk = program.isFile() && program.isExecutable();
    if (!FMinimums.FUpdaterInstalled || (FProgramOnDisk && !onDisk)) {
        FSession.KvnAddItem(text(ctsetupmsg::kUpdaterMissing) + program.filePath(),
                            TMessageType::Error);
        return TUpdateOutcome::NotInstalled;
    }
    return std::nullopt;
}

bool TCtSetupModel::confirm(const QString& question)
{
    return FPrompts.message(question, TDialogIcon::Confirmation, TDialogButtons::YesNo) ==
           TDialogResult::Yes;
}

void TCtSetupModel::stopSession()
{
    if (FSession.buttons().startCaption != QLatin1String("Start"))
        FSession.StartButtonClick(); // Stop
}

TUpdateOutcome TCtSetupModel::launch(const QStringList& arguments, const QString& workingDir,
                                     bool enterDfu)
{
    stopSession();
    if (enterDfu)
        FSession.HandleRes(FSession.HidTool().EnterDFU());
    QString error;
    if (!FStarter(FMinimums.updaterProgram(), arguments, workingDir, &error)) {
        FSession.KvnAddItem(text(ctsetupmsg::kUpdaterNotStarted) + error, TMessageType::Error);
        return TUpdateOutcome::LaunchFailed;
    }
    FSession.FirmwareUpdateStarted(FUpdateSerial);
    return TUpdateOutcome::Started;
}

TUpdateOutcome TCtSetupModel::UpdateButtonClick()
{
    selectForUpdate();
    if (!F.FLocalPref)
        return StableUpdate();
    const TUpdateOutcome local = LocalUpdate();
    if (local == TUpdateOutcome::NoLocalFile && F.FSameVersion)
        return StableUpdate();
    return local;
}

TUpdateOutcome TCtSetupModel::StableUpdate()
{
    selectForUpdate();
    if (const auto no = refused())
        return *no;
    if (!confirm(text(ctsetupmsg::kConfirmUpdate)))
        return TUpdateOutcome::Declined;
    return launch(stableUpdateArguments(), QString(), false);
}

TUpdateOutcome TCtSetupModel::LocalUpdate()
{
    if (const auto no = refused())
        return *no;
    const auto file = findLocalFirmware(FProgramFolder, FSession.HidTool().ProductID());
    if (!file)
        return TUpdateOutcome::NoLocalFile;
    if (!confirm(text(ctsetupmsg::kConfirmUpdate)))
        return TUpdateOutcome::Declined;
    // The file by its name alone, the program's folder being the update
    // program's working folder.
    return launch(fileUpdateArguments(*file), FProgramFolder, true);
}

TUpdateOutcome TCtSetupModel::UpdateCustomButtonClick(
    const std::function<std::optional<QString>()>& pickFile)
{
    if (const auto no = refused())
        return *no;
    const std::optional<QString> file = pickFile();
    if (!file || file->isEmpty())
        return TUpdateOutcome::Declined;
    selectForUpdate();
    const QFileInfo info(*file);
    if (!confirm(text(ctsetupmsg::kConfirmCustomUpdate) + info.fileName()))
        return TUpdateOutcome::Declined;
    return launch(fileUpdateArguments(info.absoluteFilePath()), FProgramFolder, true);
}
