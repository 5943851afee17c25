#pragma once
// The session controller: everything the main window does with the chip,
// without any widget. It owns the three tool components (device list, tool
// command component, chip device component), the session state, the settings
// and setup model of the settings window and the live channel state, and
// carries out tool arrival and removal, Start/Stop/Pause/Resume, Power, frame
// handling, settings transfer, event mode and the file operations. Views (the
// main window, mfs380a-cli) observe it through its signals and call its
// operations; every question for the user goes through SessionPrompts.
//
// All members run on the user-interface thread.

#include "EventIndicators.h"
#include "LiveChannelState.h"
#include "SessionPrompts.h"
#include "SessionState.h"
#include "ToolSetupHooks.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "DataLogWriter.h"
#include "HidReader.h"
#include "KelvanDevList.h"
#include "KelvanHidTool.h"
#include "MFS240Device.h"
#include "Preferences.h"
#include "RecentSettings.h"
#include "SettingsGroups.h"
#include "SettingsModel.h"
#include "SetupModel.h"

class Clock;
class UiDispatcher;
namespace hid {
class Backend;
}

struct TSessionConfig {
    hid::Backend* backend = nullptr;
    UiDispatcher* dispatcher = nullptr;
    HidReaderMode readerMode = HidReaderMode::Threaded;
    Clock* clock = nullptr;             // waits and tick counts; the system clock when null
    SessionPrompts* prompts = nullptr;  // required
    // Folder of the shipped files (start-up and demo settings, load.txt).
    std::filesystem::path appPath;
    // The preferences file; the standard location when empty.
    std::filesystem::path preferencesFile;
};

class TSession : public QObject {
    Q_OBJECT
public:
    explicit TSession(const TSessionConfig& config, QObject* parent = nullptr);
    ~TSession() override;

    // ---- Components and models --------------------------------------------
    TKelvanDevList& DevList() { return *FDevList; }
    TKelvanHidTool& HidTool() { return *FHidTool; }
    TMFS240Device& Device() { return *FDevice; }
    TSettingsModel& Settings() { return FSettings; }
    TSetupModel& Setup() { return FSetup; }
    const TLiveChannelState& Live() const { return FLive; }
    TEventIndicators& Events() { return FEvents; }
    TPreferences& Preferences() { return FPrefs; }
    TRecentSettings& Recent() { return FRecent; }
    const TSessionState& state() const { return S; }
    TSettingsWindowState& settingsWindow() { return W; }
    const TSessionButtons& buttons() const { return B; }
    const TToolLabel& toolLabel() const { return FToolLabel; }
    const std::filesystem::path& appPath() const { return FAppPath; }
    Clock& clock() { return *FClock; }
    SessionPrompts& prompts() { return FPrompts; }
    TDataLogWriter& dataLog() { return FLog; }

    // The six channel check boxes CH0Check..CH5Check.
    const std::array<bool, 6>& channelBoxes() const { return FChannelBoxes; }
    // Engineering mode (both Shift keys): the settings window's engineering page.
    bool engineering() const { return W.engineering; }
    void setEngineering(bool on);
    // "Notify on device reset" menu check mark.
    bool NotifyReset = true;
    // "Resume streaming after reconnect" menu check mark: when the streaming
    // tool comes back (same serial) within kResumeWindowMs of going, the
    // session starts streaming again by itself with the same start-up choice.
    bool ResumeAfterReconnect = true;
    static constexpr std::int64_t kResumeWindowMs = 10000;

    // Every message-list item so far (the view shows the last ones).
    struct TMessage {
        QString text;
        TMessageType type;
    };
    const std::vector<TMessage>& messages() const { return FMessages; }
    void KvnAddItem(const QString& text, TMessageType type);

    // ---- Results and checks --------------------------------------------------
    bool HandleRes(TExchangeResult res);
    bool CheckPowerOn();

    // ---- Streaming control ---------------------------------------------------
    void StartButtonClick();   // Start or Stop by the caption shown
    void PauseButtonClick();   // Pause or Resume by the caption shown
    void PowerButtonClick();   // Power On or Power Off by the caption shown
    void StopSession();
    bool StopStreaming();      // wrapper used around register reads
    bool RestartStreaming();
    bool FindDeviceAddress();
    bool GetVersion();
    bool EnCommsInATI();
    void DemoButtonClick();
    bool LoadDemoSettings(int index);
    void SARStreaming(bool enable);

    // ---- Settings transfer -------------------------------------------------
    bool ReadGroup(TSettingsGroup g);   // ReadAllPXSSetup ... ReadAllRRTSettings
    bool WriteGroup(TSettingsGroup g);  // WritePxsSensorSetup ... WriteRRTSettings
    bool ReadFromDevice(bool ReadAll = false);
    void RedoATIButtonClick();
    void ReseedButtonClick();
    void SoftResetButtonClick();
    void ShowResetButtonClick();
    void HallForceCalibration();
    // A click on channel box n with its new state.
    void ChannelCheckClick(int channel, bool checked);
    void AllCheckClick(bool checked);
    void ExtraBarCheckClick(int bar, bool checked);  // CH6Check (0), CH7Check (1)
    void DebugGoClick();                             // "GO!" of the debug rows
    // Debug page register access; address and data are hexadecimal texts.
    std::optional<std::uint8_t> MemoryRead(const QString& address);
    void MemoryWrite(const QString& address, const QString& data);
    std::optional<std::uint8_t> IndirectRead(const QString& address);
    void IndirectWrite(const QString& address, const QString& data);
    void LoadButtonClick();  // the "load.txt" register script
    // One register write: address byte first. Logged to the sent-commands list.
    TExchangeResult WriteRegisters(std::span<const std::uint8_t> buffer);
    TExchangeResult ReadRegisters(std::uint8_t address, std::uint8_t count,
                                  std::vector<std::uint8_t>& out);

    // ---- Settings window operations ----------------------------------------
    // Apply every changed group; false when a step failed.
    bool ApplyButtonClick();
    void CancelButtonClick();
    bool UpdateAllSettingsClick();
    void CheckChanges();
    void ResetDefault();
    // A page's "Read All" button: reads group g from the chip and takes it as
    // unchanged; "Could not update settings" when the read fails.
    bool ReadGroupClick(TSettingsGroup g);
    // The settings window closes: with changes pending, asks whether to apply
    // them and applies them on Yes. The window closes either way.
    void SettingsFormClosing();
    // The main window's "Baseline View" switch.
    void Delta(bool on);

    // ---- Event mode ---------------------------------------------------------
    bool SetEventMode(bool En, bool EnStr);
    void EventTimerTimer();

    // ---- Files --------------------------------------------------------------
    // Applies FSettingsFile; false when the file was refused or not read whole.
    bool LoadSettings();
    void SetSettingsFile(const std::string& file) { S.FSettingsFile = file; }
    bool LoadCustomSettings();
    bool SaveSettings();
    bool SaveSettingsTo(const QString& file);
    void ExportHFile();
    bool ExportHFileTo(const QString& file);
    bool SetupLogging();                // the log button ("Start Log"/"Stop Log")
    bool StartLogTo(const QString& file);
    // Selects a recent settings file as the current one (-1: none).
    void SelectRecentSettings(int index);
    // A settings file chosen with a file dialog: listed (once) among the recent
    // files and made the current one. Returns its index in the list.
    int BrowseSettingsFile(const std::string& path);

    // ---- "Setup" and "Data Logging" pages ------------------------------------
    // The "..." file dialog was cancelled.
    void SettingsFileDialogCancelled();
    void LoadSettingsButtonClick();   // "Apply Settings"
    void SaveSettingsButtonClick();   // "Save Settings"
    void ClearRecentButtonClick();    // "Clear List"
    // "Start Log" / "Stop Log" with the columns and rate of W.logSelection;
    // false when the log was refused or could not start.
    bool LogDataButtonClick();

    // ---- Configuration-tool setup ------------------------------------------
    // The setup window's logic, called on every change of the tool set (nullptr:
    // none; then a tool whose firmware answers may start). Setting it judges the
    // tools present now.
    void setToolSetup(TToolSetupHooks* hooks);
    // The firmware verdict: Start (and Pause) enabled or not; also the F1/F2 gate.
    void setFirmwareGate(bool startEnabled, bool pauseEnabled);
    void setToolLabel(const TToolLabel& label);
    // Reads the current tool's firmware and tool ID (which frames carry).
    TExchangeResult ReadToolFirmware();
    // A firmware update of the tool with this serial was started: "Updating
    // Firmware..."; the session reports its end when the tool comes back.
    void FirmwareUpdateStarted(const std::string& serial);

    // ---- SAR UI demo window ------------------------------------------------------
    // The demo window was closed: it is fed no more until the demo starts again.
    void DemoFormClosed();
    // Its "Load Settings": the demo settings file, then redo ATI.
    void LoadSarSettingsClick();
    // Its "Mode" (0 streaming mode, 1 event mode): the settings window's
    // communication mode takes the choice and the whole Apply runs (other
    // pending changes are written as well). False when a write failed.
    bool DemoModeClick(int index);

    // ---- Program -----------------------------------------------------------
    // The close sequence of the main window (stream stopped, power off, event
    // mode off, preferences written by the caller).
    void Close();
    void ResetSavedSettings();
    // Handles the streamed frames the HID readers hand over now (manual mode).
    std::size_t PollReaders() { return FDevList->PollReaders(); }

    // The frame handler (public for the benchmark and tests).
    void HandleFrame(std::uint16_t Size, std::uint8_t HIDToolID, const std::uint8_t* Data);

signals:
    void messageAdded(const QString& text, TMessageType type);
    void buttonsChanged();
    void toolLabelChanged();
    void toolsChanged();
    // Start resets the live display (pictures, quick release, temperature axis).
    void displayReset();
    void barBackgroundChanged(TBarBackground background);
    void barTimerChanged(bool running);
    // One accepted frame was decoded and handled up to the display steps;
    // blockDisplay is FBlockDisplay (only the sensor panels are updated).
    void frameHandled(bool blockDisplay);
    void eventIndicatorsChanged();
    void channelBoxesChanged();
    // Settings model, setup model or settings window state changed.
    void settingsChanged();
    void deviceVersionChanged(const QString& text);
    void engineeringChanged(bool on);
    void baselineViewChanged(bool on);
    // The settings window's bar-graph axis was applied.
    void barAxisChanged(double minimum, double maximum, double increment);
    // A warning or error dialog was shown through the prompts (for logs).
    void demoUpdated(int eventCounter);
    void demoShowRequested();
    // Power Off or the tool's removal: the demo window closes if it shows.
    void demoCloseRequested();
    void logStateChanged(bool logging);
    // A report written to the tool, as the sent-commands window shows it.
    void commandSent(const QString& line);
    // A register write of the session (address, count, data).
    void registerWriteLogged(std::uint8_t address, int count, const QString& data);

private:
    // Tool arrival and removal.
    void DeviceChange(bool arrived);
    // The tool the session streams from is no longer in the tool table.
    bool StreamToolGone() const;
    void StreamToolLost();
    void ResumeIfReconnected();
    void ResumeStreaming();
    void CheckToolFirmware();
    void setButtonsIdle();
    void setButtonsStreaming();
    void setButtonsPaused();
    void emitButtons() { emit buttonsChanged(); }
    void setBarBackground(TBarBackground b);
    bool StartSequence(const TStartupChoice& choice);
    void StartFailed();
    void RunStartupMode(const TStartupChoice& choice);
    void PowerOffSequence();
    void PowerOnSequence();
    bool StreamStart();
    bool ApplySetupStates();  // long-stream length, then the stream address table
    void wait(int ms);

    // Frame handling steps.
    bool FollowUpAti();  // false: the session ended
    void LogFrame();
    // Writes out the data log's buffered lines.
    void FlushLog();
    void LogWriteFailed();
    void UpdateDemo();

    // Settings transfer helpers.
    bool ReadBursts(TSettingsGroup g, std::vector<std::int32_t>& values);
    void HandOver(TSettingsGroup g, std::span<const std::int32_t> values);
    void WriteChannelMask();
    void ApplyChannelBoxesFromRead(std::uint8_t activeChs);

    // Files.
    bool ApplySettingsFile(const std::filesystem::path& file);

    TSessionConfig FConfig;
    Clock* FClock;
    SessionPrompts& FPrompts;
    std::filesystem::path FAppPath;
    std::unique_ptr<TKelvanDevList> FDevList;
    std::unique_ptr<TKelvanHidTool> FHidTool;
    std::unique_ptr<TMFS240Device> FDevice;
    TSettingsModel FSettings;
    TSetupModel FSetup;
    TLiveChannelState FLive;
    TEventIndicators FEvents;
    TPreferences FPrefs;
    TRecentSettings FRecent;
    TDataLogWriter FLog;
    TSessionState S;
    TSettingsWindowState W;
    TSessionButtons B;
    TToolLabel FToolLabel;
    TToolSetupHooks* FToolSetup = nullptr;
    std::array<bool, 6> FChannelBoxes{true, true, true, true, true, true};
    std::vector<TMessage> FMessages;
    // The tool of the running session and how the session was started.
    struct TStreamTool {
        bool known = false;
        std::weak_ptr<HidDevice> device;
        std::string serial;
        TStartupChoice choice;
    };
    TStreamTool FStreamTool;
    // A streaming tool that went: its serial, when, and how to start again.
    struct TReconnect {
        std::string serial;
        std::int64_t lostAtMs = 0;
        TStartupChoice choice;
        bool posted = false;
    };
    std::optional<TReconnect> FReconnect;
    QTimer FEventTimer;
    QTimer FTimer3;
    // The data log is flushed at most once a millisecond from the frames, and
    // by this timer when no frame comes to flush the last lines.
    QTimer FLogFlushTimer;
    std::int64_t FLogFlushedAtMs = 0;
};
