#pragma once
// The configuration-tool setup window without widgets: the tool list with its
// check marks, the details of the tool shown, the firmware verdict and what it
// decides in the main window (Start and Pause, the tool label), the tool ID,
// and the start of firmware updates. The window (TCtSetupForm) and
// mfs380a-cli's "tools --check" and "update-firmware" drive it.
//
// The session calls it on every change of the tool set (TToolSetupHooks).
// Everything runs on the user-interface thread.

#include "FirmwareMinimums.h"
#include "FirmwareUpdate.h"
#include "FirmwareVerdict.h"
#include "ToolSetupHooks.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class SessionPrompts;
class TSession;

// The fields of the window.
struct TCtSetupState {
    int FCheckedItem = 0;      // the tool the session uses
    int FSelectedItem = 0;     // the tool whose details are shown
    bool FOutdated = false;    // the checked tool's firmware is below the minimum
    bool FLocalPref = false;   // the local firmware is at least as new as the stable one
    int Prod = 0;              // product id of the tool shown
    bool FSameVersion = false; // the stable firmware equals the local firmware
    bool UpdatePref = false;   // an update is recommended for the checked tool
    bool Engineering = false;  // the firmware verdict never disables Start and Pause
};

// What the window shows.
struct TCtSetupView {
    struct TRow {
        QString name;
        bool checked = false;
    };
    std::vector<TRow> rows;   // DevList
    int selectedRow = -1;
    QString NameLabel = QStringLiteral("N/A");
    QString FWVersionEdit, BuildEdit, ReleaseEdit, SerialEdit;
    int CTIDSpin = 0;
    bool Panel2Visible = false;
    TFirmStatus status = TFirmStatus::UpToDate;
    QString FirmStatusLabel = QStringLiteral("Firmware is up to date");
    TStatusLook statusLook = firmStatusLook(TFirmStatus::UpToDate);
    QString PrefFirmLabel;
    QString StabFirmLabel;
    bool UpdateEnabled = false;
    bool UpdateCustomVisible = false; // "Load custom firmware file..."
};

// How an update request ended.
enum class TUpdateOutcome {
    Started,      // the update program runs
    Declined,     // the user said No, or picked no file
    Busy,         // an update is running already
    NoLocalFile,  // no .dfu file for the model in the program's folder
    NotInstalled, // the update program is missing
    LaunchFailed, // the update program did not start
};

class TCtSetupModel : public QObject, public TToolSetupHooks {
    Q_OBJECT
public:
    // prompts answers the window's questions (the session's, or the command
    // line's own); programFolder is where local .dfu files are looked for.
    TCtSetupModel(TSession& session, TFirmwareMinimums minimums, SessionPrompts& prompts,
                  QString programFolder, QObject* parent = nullptr);
    ~TCtSetupModel() override;

    // Starts following the session's tool changes (and judges the tools present).
    void attach();

    const TCtSetupState& state() const { return F; }
    const TCtSetupView& view() const { return V; }
    const TFirmwareMinimums& minimums() const { return FMinimums; }
    // Replaces how the update program is started; startProgram by default.
    // A starter that stands in for the program itself (the simulation) is not
    // looked for on disk.
    void setProgramStarter(TProgramStarter starter, bool programOnDisk = true)
    {
        FStarter = std::move(starter);
        FProgramOnDisk = programOnDisk;
    }
    // The serial number of the tool the last update request is for.
    const std::string& updateSerial() const { return FUpdateSerial; }

    // TToolSetupHooks
    void UpdateList() override;
    void ClearList() override;
    bool NeedsAttention() const override { return F.FOutdated || F.UpdatePref; }
    void ShowSetup() override { emit showRequested(); }

    void UpdateDetails(int index);
    void DevListClick(int row);                     // a row was clicked
    void DevListClickCheck(int row, bool checked);  // a row's check box was clicked
    void CTIDSpinChange(int value);
    void Activated();                               // the window became active
    TUpdateOutcome UpdateButtonClick();
    // pickFile asks for the .dfu file (nothing: cancelled).
    TUpdateOutcome UpdateCustomButtonClick(const std::function<std::optional<QString>()>& pickFile);
    TUpdateOutcome StableUpdate();
    // The close request: false keeps the window open.
    bool CloseQuery();
    void Closed();
    // Both Shift keys while the window is visible.
    void ToggleCustomButton();
    void setEngineering(bool on);

signals:
    void viewChanged();
    // The window should be shown or brought to the front.
    void showRequested();

private:
    void setStatus(TFirmStatus status);
    // Start and Pause after a verdict: usable firmware, or engineering mode.
    void applyGate(bool usable);
    TUpdateOutcome LocalUpdate();
    // Why no update may start now (with its message): one runs, or the update
    // program is missing.
    std::optional<TUpdateOutcome> refused();
    bool confirm(const QString& question);
    TUpdateOutcome launch(const QStringList& arguments, const QString& workingDir, bool enterDfu);
    void stopSession();
    void makeCurrent(int index);
    void selectForUpdate();

    TSession& FSession;
    TFirmwareMinimums FMinimums;
    SessionPrompts& FPrompts;
    QString FProgramFolder;
    TProgramStarter FStarter;
    bool FProgramOnDisk = true;
    TCtSetupState F;
    TCtSetupView V;
    bool FAttached = false;
    bool FCheckedUsable = true; // the last verdict of the checked tool allows a start
    std::string FUpdateSerial;  // the tool an update request is for
};
