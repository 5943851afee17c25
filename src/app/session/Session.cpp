// Construction, message list, result checks and tool arrival and removal.
#include "Session.h"

#include "Clock.h"
#include "HexText.h"
#include "HidToolsErrorCodes.h"
#include "SessionTexts.h"
#include "UiDispatcher.h"

#include <QMetaMethod>
#include <QPointer>
#include <algorithm>

TSession::TSession(const TSessionConfig& config, QObject* parent)
    : QObject(parent),
      FConfig(config),
      FClock(config.clock ? config.clock : &systemClock()),
      FPrompts(*config.prompts),
      FAppPath(config.appPath),
      FPrefs(config.preferencesFile.empty() ? TPreferences::standardPath()
                                            : config.preferencesFile)
{
    FDevList = std::make_unique<TKelvanDevList>(*config.backend, *config.dispatcher,
                                                config.readerMode);
    FHidTool = std::make_unique<TKelvanHidTool>(*FClock);
    FHidTool->SetKelvanDevList(FDevList.get());
    FHidTool->OnSendCommands = [this](const TKvnByteArray& report) {
        if (!isSignalConnected(QMetaMethod::fromSignal(&TSession::commandSent)))
            return;
        QString line;
        line.reserve(37 * 3);
        for (int i = 0; i < 37; ++i)
            line += QString::asprintf("%02X ", report[static_cast<std::size_t>(i)]);
        emit commandSent(line);
    };

    // The chip component as the main window holds it.
    // The data log's lines go to the file once a millisecond at most (LogFrame).
    FLog.setDeferredFlush(true);
    FLogFlushTimer.setSingleShot(true);
    FLogFlushTimer.setInterval(20);
    connect(&FLogFlushTimer, &QTimer::timeout, this, &TSession::FlushLog);

    FDevice = std::make_unique<TMFS240Device>();
    FDevice->SetHIDTool(FHidTool.get());
    FDevice->SetDUTVoltage(v3_3V);
    FDevice->SetAdjustableDUTVoltage(5.0);
    FDevice->SetCommsSpeed(csMedium);
    FDevice->SetLSVoltage(vfVDDHI);
    FDevice->SetCommsType(c240_I2C);
    FDevice->SetI2CType(RDY_ActiveLow);
    FDevice->SetI2CPullUpResistors(prNotConnected);
    FDevice->SetI2CReadyPin(rpPin10);
    FDevice->SetI2CStopCommand(scUseStop);
    FDevice->SetI2CPolling(ipNoPolling);
    FDevice->SetI2CAddress("44");
    FDevice->OnStreaming = [this](std::uint16_t size, std::uint8_t id, const std::uint8_t* data) {
        HandleFrame(size, id, data);
    };
    FDevice->OnStreamingError = [this](std::uint16_t code) {
        KvnAddItem(QString::fromStdString(ToolErrorText(code)), TMessageType::Error);
    };
    FDevice->OnStreamingDataMissed = [this](std::uint8_t) {
        ++S.FDataMissedCount;
        if (!S.FEventMode && !W.dataMissedVisible) {
            W.dataMissedVisible = true;
            emit settingsChanged();
        }
    };
    S.FEventModeRdy = FDevice->I2CType();
    S.FEventModePolling = FDevice->I2CPolling();

    FEventTimer.setInterval(50);
    connect(&FEventTimer, &QTimer::timeout, this, &TSession::EventTimerTimer);
    FTimer3.setSingleShot(true);
    FTimer3.setInterval(500);
    connect(&FTimer3, &QTimer::timeout, this, [this] {
        S.FDemo = true;
        S.FDemoStart = false;
        emit demoShowRequested();
    });

    FSetup.SetupStreaming();
    std::vector<std::string> recent;
    if (FPrefs.readRecent(recent))
        FRecent.assign(recent);

    FDevList->OnDeviceChange = [this](TKelvanDevList*, bool arrived) { DeviceChange(arrived); };
    FDevList->Activate();
}

TSession::~TSession()
{
    FDevList->OnDeviceChange = nullptr;
    FDevice->OnStreaming = nullptr;
    FDevice->OnStreamingError = nullptr;
    FDevice->OnStreamingDataMissed = nullptr;
    FLog.stop();
}

void TSession::KvnAddItem(const QString& text, TMessageType type)
{
    FMessages.push_back({text, type});
    // Keep the history bounded; the message list itself shows only the last 21.
    if (FMessages.size() > 2000)
        FMessages.erase(FMessages.begin(), FMessages.begin() + 1000);
    emit messageAdded(text, type);
}

bool TSession::HandleRes(TExchangeResult res)
{
    S.ComRes = res;
    if (res == 0)
        return true;
    KvnAddItem(QString::fromStdString(ToolErrorText(res)), TMessageType::Error);
    return false;
}

bool TSession::CheckPowerOn()
{
    if (S.FPowerOn)
        return true;
    KvnAddItem(QString::fromLatin1(sessionmsg::kPowerOff), TMessageType::Error);
    return false;
}

void TSession::wait(int ms)
{
    FClock->sleepMs(ms);
}

void TSession::setBarBackground(TBarBackground b)
{
    emit barBackgroundChanged(b);
}

void TSession::setButtonsIdle()
{
    B.startCaption = QStringLiteral("Start");
    B.pauseCaption = QStringLiteral("Pause");
    B.pauseEnabled = false;
    emitButtons();
}

void TSession::setButtonsStreaming()
{
    B.startCaption = QStringLiteral("Stop");
    B.pauseCaption = QStringLiteral("Pause");
    B.pauseEnabled = true;
    emitButtons();
}

void TSession::setButtonsPaused()
{
    B.startCaption = QStringLiteral("Stop");
    B.pauseCaption = QStringLiteral("Resume");
    B.pauseEnabled = true;
    emitButtons();
}

// ---- Tool arrival and removal -------------------------------------------

void TSession::DeviceChange(bool /*arrived*/)
{
    std::vector<std::string> prev;
    FPrefs.readPrevTools(prev);
    if (prev.size() > 4)
        prev.resize(4);

    const TCTData& table = FDevList->CTData();
    // The streaming tool went, even when it (or another tool) is listed again
    // by the same pass: the chip lost its supply with it.
    if ((S.FIsStreaming || S.FIsPaused) && StreamToolGone())
        StreamToolLost();
    if (!FDevList->Connected()) {
        if (S.FPowerOn) {
            // Powered from the settings window without a stream: the chip has no
            // supply any more either.
            S.FPowerOn = false;
            S.FCTSetup = false;
            B.powerCaption = QStringLiteral("Power On");
        }
        S.FUpdatedToolGone = S.FUpdatedToolGone || S.FUpdating;
        if (!S.FUpdating) {
            FToolLabel = {QString::fromLatin1(sessionmsg::kNoDevices), TToolLabel::TStyle::NoDevice,
                          QString()};
        }
    } else {
        FHidTool->SetLED(lcOff);
        auto connected = [&](const std::string& serial) {
            return std::find(table.SerialNumber.begin(), table.SerialNumber.end(), serial) !=
                   table.SerialNumber.end();
        };
        auto firstKnown = std::find_if(prev.begin(), prev.end(), connected);
        if (firstKnown == prev.end()) {
            const std::string serial = table.SerialNumber.empty() ? "" : table.SerialNumber[0];
            if (std::find(prev.begin(), prev.end(), serial) == prev.end() && prev.size() < 4) {
                prev.push_back(serial);
                FPrefs.writePrevTools(prev);
            }
            FHidTool->SetCurrentDevice(0);
        } else {
            FHidTool->SetCurrentSerial(*firstKnown);
        }
        // The updated tool has come back: listed again after it left the bus
        // (whether or not it is the preferred tool).
        if (S.FUpdating && !connected(S.DeviceSerial)) {
            S.FUpdatedToolGone = true;
        } else if (S.FUpdating && S.FUpdatedToolGone) {
            S.FUpdating = false;
            S.FUpdatedToolGone = false;
            KvnAddItem(QString::fromLatin1(sessionmsg::kFirmwareUpdated), TMessageType::Info);
            FHidTool->SetCurrentSerial(S.DeviceSerial);
        }
        const int index = FHidTool->CurrentDeviceIndex();
        const QString name = index >= 0 && index < table.Count
                                 ? QString::fromStdString(table.Name[static_cast<std::size_t>(index)])
                                 : QString();
        FToolLabel = {name, TToolLabel::TStyle::Tool, QString()};
        B.setupButtonEnabled = true;
    }

    if (!FDevList->Connected()) {
        FToolLabel.style = TToolLabel::TStyle::NoDeviceError;
        B.setupButtonEnabled = false;
        B.startEnabled = false;
        S.FValidFirmware = false;
        if (FToolSetup)
            FToolSetup->ClearList();
    } else if (FToolSetup) {
        ReadToolFirmware();
        FToolSetup->UpdateList();
        if (FToolSetup->NeedsAttention() && B.setupButtonEnabled) {
            FToolSetup->UpdateList();
            FToolSetup->ShowSetup();
        }
    } else {
        CheckToolFirmware();
    }
    emit toolLabelChanged();
    emit toolsChanged();
    emitButtons();
    ResumeIfReconnected();
}

bool TSession::StreamToolGone() const
{
    if (!FStreamTool.known)
        return !FDevList->Connected();
    const std::shared_ptr<HidDevice> device = FStreamTool.device.lock();
    if (!device)
        return true;  // released by the device list: it went
    const auto& tools = FDevList->CTData().Device;
    return std::find(tools.begin(), tools.end(), device) == tools.end();
}

void TSession::StreamToolLost()
{
    const bool wasStreaming = S.FIsStreaming && !S.FIsPaused;
    S.FIsStreaming = false;
    S.FIsPaused = false;
    S.FPowerOn = false;
    S.FCTSetup = false;
    emit barTimerChanged(false);
    setButtonsIdle();
    B.powerCaption = QStringLiteral("Power On");
    B.demoEnabled = false;
    if (S.FDemo) {
        S.FDemo = false;
        S.FDemoStart = true;
    }
    emit demoCloseRequested();
    B.exportHEnabled = false;
    B.saveSettingsEnabled = false;
    B.applySettingsEnabled = false;
    B.memoryAccessEnabled = false;
    B.loadCapacitanceEnabled = false;
    KvnAddItem(QString::fromLatin1(sessionmsg::kDisconnected), TMessageType::Error);
    if (wasStreaming && !FStreamTool.serial.empty())
        FReconnect = TReconnect{FStreamTool.serial, FClock->nowMs(), FStreamTool.choice};
    FStreamTool = {};
}

void TSession::ResumeIfReconnected()
{
    if (!FReconnect || FReconnect->posted)
        return;
    if (!ResumeAfterReconnect || S.FClosing ||
        FClock->nowMs() - FReconnect->lostAtMs > kResumeWindowMs) {
        FReconnect.reset();
        return;
    }
    // Wait (within the window) for the same tool to be the current one again.
    if (!FDevList->Connected() || !S.FValidFirmware || S.FIsStreaming || S.FIsPaused ||
        FHidTool->SerialNumber() != FReconnect->serial)
        return;
    // The start runs after this device-change pass has ended.
    FReconnect->posted = true;
    const QPointer<TSession> self(this);
    FConfig.dispatcher->post([self] {
        if (self)
            self->ResumeStreaming();
    });
}

void TSession::ResumeStreaming()
{
    if (!FReconnect)
        return;
    const TReconnect r = *FReconnect;
    FReconnect.reset();
    if (!ResumeAfterReconnect || S.FClosing || S.FIsStreaming || S.FIsPaused ||
        !FDevList->Connected() || !S.FValidFirmware || FHidTool->SerialNumber() != r.serial)
        return;
    if (!StartSequence(r.choice))
        return;
    RunStartupMode(r.choice);
    KvnAddItem(QString::fromLatin1(sessionmsg::kReconnectedResumed), TMessageType::Info);
}

TExchangeResult TSession::ReadToolFirmware()
{
    // The tool taken into use tells its firmware and its ID, which streamed
    // frames carry in their first byte.
    std::uint32_t version = 0;
    std::uint8_t build = 0, release = 0;
    const TExchangeResult res = FHidTool->GetCTFWVersion(version, build, release);
    if (res == 0) {
        S.FToolFirmware = version;
        S.FToolBuild = build;
        S.FToolRelease = release;
        S.FToolId = FHidTool->LastDevID();
    }
    return res;
}

void TSession::CheckToolFirmware()
{
    // Without a setup window: a tool whose firmware answers may start.
    const TExchangeResult res = ReadToolFirmware();
    S.FValidFirmware = res == 0;
    B.startEnabled = res == 0;
    B.pauseEnabled = res == 0 && (S.FIsStreaming || S.FIsPaused);
    if (res != 0) {
        FToolLabel.style = TToolLabel::TStyle::NoDeviceError;
        FToolLabel.hint = QString::fromStdString(ToolErrorText(res));
        return;
    }
    const std::uint16_t product = FHidTool->ProductID();
    if (product == 0x103)
        FHidTool->SetLED(lcGreen);
    else if (product == 0x107 || product == 0x108)
        FHidTool->SetLED(lc110Green);
}

void TSession::setToolSetup(TToolSetupHooks* hooks)
{
    FToolSetup = hooks;
    if (FToolSetup && FDevList->Connected()) {
        ReadToolFirmware();
        FToolSetup->UpdateList();
        emitButtons();
    }
}

void TSession::setFirmwareGate(bool startEnabled, bool pauseEnabled)
{
    S.FValidFirmware = startEnabled;
    B.startEnabled = startEnabled;
    B.pauseEnabled = pauseEnabled;
    emitButtons();
}

void TSession::setToolLabel(const TToolLabel& label)
{
    FToolLabel = label;
    emit toolLabelChanged();
}

void TSession::FirmwareUpdateStarted(const std::string& serial)
{
    S.DeviceSerial = serial;
    S.FUpdating = true;
    S.FUpdatedToolGone = false;
    KvnAddItem(QString::fromLatin1(sessionmsg::kUpdatingFirmware), TMessageType::Info);
}

void TSession::setEngineering(bool on)
{
    if (W.engineering == on)
        return;
    W.engineering = on;
    S.FFirmwareCheck = !on;
    KvnAddItem(QString::fromLatin1(on ? sessionmsg::kEngineeringEnabled
                                      : sessionmsg::kEngineeringDisabled),
               TMessageType::Info);
    emit engineeringChanged(on);
}

void TSession::ResetSavedSettings()
{
    S.FResetSizePos = true;
    FPrefs.markForReset();
    KvnAddItem(QString::fromLatin1(sessionmsg::kResetOnNextStart), TMessageType::Info);
}

void TSession::Close()
{
    S.FClosing = true;
    if (FLog.isLogging())
        SetupLogging();
    FHidTool->SetLED(lcOff);
    if (S.FIsStreaming && FDevList->Connected()) {
        emit barTimerChanged(false);
        FDevice->StopStreaming();
        const TCTData& table = FDevList->CTData();
        for (int i = 0; i < table.Count; ++i) {
            FHidTool->SetCurrentDevice(i);
            if (FDevList->StreamingDevices().SlotOf(table.Device[static_cast<std::size_t>(i)].get()) >= 0) {
                FDevice->StopStreaming();
                FDevice->PowerOff();
            }
        }
        // The chip's supply goes off with the session.
        FDevice->PowerOff();
    } else if (S.FPowerOn && FDevList->Connected()) {
        FDevice->PowerOff();
    }
    if (S.FEventMode)
        FHidTool->EventMode(false);
    FEventTimer.stop();
    FTimer3.stop();
}
