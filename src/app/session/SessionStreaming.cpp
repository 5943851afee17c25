// Start, Stop, Pause, Resume, Power On and Power Off, the stream wrappers, the
// chip address search, the version read and the demo start.
#include "HexText.h"
#include "Session.h"
#include "SessionTexts.h"

#include <QStringList>

namespace {

QString fromLatin(const char* text)
{
    return QString::fromLatin1(text);
}

}  // namespace

void TSession::StartButtonClick()
{
    if (B.startCaption != QLatin1String("Start")) {
        // Stop.
        FTimer3.stop();
        setBarBackground(TBarBackground::None);
        B.powerCaption = QStringLiteral("Power Off");
        PowerButtonClick();
        B.exportHEnabled = false;
        B.saveSettingsEnabled = false;
        B.applySettingsEnabled = false;
        B.demoEnabled = true;
        emitButtons();
        return;
    }
    QStringList names;
    for (const auto& name : FRecent.names())
        names << QString::fromStdString(name);
    const TStartupChoice choice = FPrompts.startupMode(names);
    if (choice.mode == TStartupChoice::TMode::Closed)
        return;
    if (StartSequence(choice))
        RunStartupMode(choice);
}

void TSession::StartFailed()
{
    StopSession();
    FPrompts.message(fromLatin(sessionmsg::kUnableToStart), TDialogIcon::Warning,
                     TDialogButtons::Ok);
    setBarBackground(TBarBackground::None);
}

bool TSession::StartSequence(const TStartupChoice& choice)
{
    // 2. Chip off, stream off.
    FDevice->StopStreaming();
    FDevice->PowerOff();
    wait(500);

    // 3. Fresh live display.
    emit displayReset();

    // 4.
    S.FFileLoaded = false;
    S.FStreamingRestart = false;
    S.FStartupOption = false;
    if (W.loadSettingsOnStartup) {
        S.FLoadSettings = true;
        S.FBlockDisplay = true;
        setBarBackground(TBarBackground::Wait);
    } else {
        setBarBackground(TBarBackground::None);
    }

    // 5. Counts, averages and deltas from zero; no event is pending.
    FLive.FCurrentChs.fill(0);
    FLive.FLTAChs.fill(0);
    FLive.FDeltaChs.fill(0);
    S.FEventMode = false;
    FLive.FEGlobal = FLive.FEPxs = FLive.FESAR = FLive.FEHall = FLive.FEMetal = false;
    FLive.FETemp = FLive.FESys = FLive.FEPmu = FLive.FESarActive = FLive.FETempTrip = false;
    FEvents.clear();
    emit eventIndicatorsChanged();

    // 6.
    FHidTool->StopBitControl(sbOff);
    FHidTool->StopBitControl(sbRestore);
    FHidTool->EventMode(false);

    // 7.
    S.FReadDevice = W.readOnStart;

    // 8. The tool's link to the chip.
    if (!S.FCTSetup) {
        if (!HandleRes(FDevice->SetupCT())) {
            StartFailed();
            return false;
        }
        S.FCTSetup = true;
    }

    // 9.
    if (FSetup.CommsIndex == 2) {
        FHidTool->WaitForRdy(false);
        SetEventMode(true, true);
    } else {
        SetEventMode(true, false);
    }

    // 10. Power the chip afresh.
    if (S.FPowerOn) {
        FHidTool->PowerOffDUT();
        S.FPowerOn = false;
    }
    FDevice->PowerOn();
    wait(1000);
    if (B.powerCaption == QLatin1String("Power On"))
        B.powerCaption = QStringLiteral("Power Off");
    S.FPowerOn = true;

    // 11, 12.
    if (!FindDeviceAddress()) {
        StartFailed();
        return false;
    }
    const QString address = QString::fromStdString(hexByteText(S.FDeviceAddress));
    KvnAddItem(fromLatin(sessionmsg::kDeviceAddress) + address + QStringLiteral("H"),
               TMessageType::Info);
    W.currentAddressText = address;

    // 13, 14.
    GetVersion();
    if (!EnCommsInATI()) {
        StartFailed();
        return false;
    }

    // 15.
    if (!HandleRes(FHidTool->SetLongStreamingLength(static_cast<std::uint16_t>(FSetup.StreamLength())))) {
        StartFailed();
        return false;
    }
    if (!HandleRes(FHidTool->StartLongStreaming(FSetup.StreamBytes()))) {
        StartFailed();
        return false;
    }

    // 16.
    emit barTimerChanged(true);
    KvnAddItem(fromLatin(sessionmsg::kStreamingStarted), TMessageType::Info);
    S.FIsStreaming = true;
    FStreamTool = {true, FHidTool->CurrentDevice(), FHidTool->SerialNumber(), choice};
    FReconnect.reset();
    B.exportHEnabled = true;
    B.memoryAccessEnabled = true;
    B.loadCapacitanceEnabled = true;
    B.saveSettingsEnabled = true;
    setButtonsStreaming();
    emit settingsChanged();
    return true;
}

void TSession::RunStartupMode(const TStartupChoice& choice)
{
    // 17. The start-up mode chosen before the stream started.
    using TMode = TStartupChoice::TMode;
    if (choice.mode == TMode::DualPir) {
        const std::string previous = S.FSettingsFile;
        S.FSettingsFile = (FAppPath / "MFS380_TEST.ini").string();
        LoadSettings();
        wait(100);
        RedoATIButtonClick();
        wait(300);
        std::vector<std::uint8_t> a, b;
        const bool readA = HandleRes(ReadRegisters(0x20, 2, a));
        const bool readB = readA && HandleRes(ReadRegisters(0x22, 2, b));
        if (readA && readB) {
            const int valueA = a[0] | (a[1] << 8);
            const int valueB = b[0] | (b[1] << 8);
            const char* file = nullptr;
            const char* mode = nullptr;
            if (valueB > 2000 && valueA > 2000) {
                file = "MFS380_INDUCTIVE.ini";
                mode = sessionmsg::kInductiveMode;
            } else if (valueB > 2000) {
                file = "MFS380_PIR_TOUCH.ini";
                mode = sessionmsg::kPirTouchMode;
            } else {
                file = "MFS380_DUAL_PIR.ini";
                mode = sessionmsg::kDualPirMode;
            }
            S.FSettingsFile = (FAppPath / file).string();
            LoadSettings();
            KvnAddItem(fromLatin(mode), TMessageType::Info);
        }
        S.FSettingsFile = previous;
        S.FReadDevice = false;
        UpdateAllSettingsClick();
    } else if (choice.mode == TMode::Custom) {
        const int index = choice.customIndex;
        if (index >= 0 && static_cast<std::size_t>(index) < FRecent.size()) {
            S.FSettingsFile = FRecent.paths()[static_cast<std::size_t>(index)];
            LoadSettings();
        } else {
            // No file chosen: the session streams with the default set-up.
            KvnAddItem(QStringLiteral("No custom setup file selected: streaming with the default "
                                      "setup"),
                       TMessageType::Error);
        }
        S.FReadDevice = false;
        UpdateAllSettingsClick();
    }
}

void TSession::PauseButtonClick()
{
    if (B.pauseCaption == QLatin1String("Pause")) {
        S.FIsStreaming = false;
        emit barTimerChanged(false);
        B.pauseCaption = QStringLiteral("Resume");
        if (HandleRes(FDevice->StopStreaming())) {
            KvnAddItem(fromLatin(sessionmsg::kStreamingPaused), TMessageType::Info);
            S.FIsPaused = true;
        } else {
            B.pauseCaption = QStringLiteral("Pause");
        }
        emitButtons();
        return;
    }
    // Resume.
    if (!StreamStart())
        return;
    emit barTimerChanged(true);
    KvnAddItem(fromLatin(sessionmsg::kStreamingResumed), TMessageType::Info);
    S.FIsStreaming = true;
    S.FIsPaused = false;
    B.pauseCaption = QStringLiteral("Pause");
    emitButtons();
}

bool TSession::StreamStart()
{
    if (!HandleRes(FHidTool->SetLongStreamingLength(static_cast<std::uint16_t>(FSetup.StreamLength()))))
        return false;
    return HandleRes(FHidTool->StartLongStreaming(FSetup.StreamBytes()));
}

void TSession::PowerButtonClick()
{
    if (B.powerCaption == QLatin1String("Power Off"))
        PowerOffSequence();
    else
        PowerOnSequence();
    emitButtons();
}

void TSession::PowerOffSequence()
{
    S.FIsPaused = false;
    emit barTimerChanged(false);
    setButtonsIdle();
    B.loadCapacitanceEnabled = false;
    B.memoryAccessEnabled = false;
    if (S.FDemo) {
        S.FDemo = false;
        S.FDemoStart = true;
    }
    emit demoCloseRequested();
    if (S.FIsStreaming) {
        S.FIsStreaming = false;
        FDevice->StopStreaming();
    }
    FDevice->PowerOff();
    KvnAddItem(fromLatin(sessionmsg::kPoweredOff), TMessageType::Info);
    B.demoEnabled = false;
    S.FCTSetup = false;
    S.FPowerOn = false;
    FLive.FATIBusy = false;
    if (!B.showResetEnabled) {
        B.showResetEnabled = true;
        S.FAckReset = false;
    }
    if (S.FEventMode) {
        S.FLoadingSettings = true;
        FHidTool->EventMode(false);
        S.FLoadingSettings = false;
    } else {
        FHidTool->EventMode(false);
    }
    B.powerCaption = QStringLiteral("Power On");
}

void TSession::PowerOnSequence()
{
    if (!S.FCTSetup) {
        if (!HandleRes(FDevice->SetupCT()))
            return;
        S.FCTSetup = true;
    }
    if (HandleRes(FDevice->PowerOn()))
        KvnAddItem(fromLatin(sessionmsg::kPoweredOn), TMessageType::Info);
    S.FPowerOn = true;
    B.powerCaption = QStringLiteral("Power Off");
}

void TSession::StopSession()
{
    FDevice->StopStreaming();
    FDevice->PowerOff();
    S.FIsStreaming = false;
    S.FCTSetup = false;
    S.FPowerOn = false;
    S.FIsPaused = false;
    B.exportHEnabled = false;
    emit barTimerChanged(false);
    B.saveSettingsEnabled = false;
    B.applySettingsEnabled = false;
    emitButtons();
}

bool TSession::StopStreaming()
{
    if (S.FIsStreaming && !S.FIsPaused)
        return HandleRes(FDevice->StopStreaming());
    return true;
}

bool TSession::RestartStreaming()
{
    if (!S.FIsStreaming || S.FIsPaused)
        return true;
    S.FStreamingRestart = true;
    S.FStreamingRestartCount = 5;
    TExchangeResult res =
        FHidTool->SetLongStreamingLength(static_cast<std::uint16_t>(FSetup.StreamLength()));
    if (res == 0)
        res = FHidTool->StartLongStreaming(FSetup.StreamBytes());
    return HandleRes(res);
}

bool TSession::FindDeviceAddress()
{
    std::vector<std::uint8_t> candidates;
    if (const auto first = parseHexText(FSetup.I2CAddressText); first && *first <= 0x7F)
        candidates.push_back(static_cast<std::uint8_t>(*first));
    for (std::uint8_t a : {0x45, 0x46, 0x47, 0x4C, 0x4D, 0x4E, 0x4F})
        candidates.push_back(a);

    TKvnByteArray data{};
    for (const std::uint8_t candidate : candidates) {
        const TExchangeResult res = FHidTool->ConfigI2C(
            FDevice->I2CType(), FDevice->I2CPullUpResistors(), candidate, FDevice->I2CReadyPin(),
            FDevice->I2CStopCommand(), FDevice->I2CPolling());
        if (!HandleRes(res))
            return false;
        if (FHidTool->I2CRead(std::uint8_t{0x00}, std::uint8_t{2}, data) == 0) {
            S.FDeviceAddress = candidate;
            const std::string text = hexByteText(candidate);
            FDevice->SetI2CAddress(text);
            FSetup.I2CAddressText = text;
            emit settingsChanged();
            return true;
        }
    }
    return false;
}

bool TSession::GetVersion()
{
    if (!S.FGuiUpdate) {
        if (!CheckPowerOn())
            return false;
        if (!StopStreaming())
            return true;
    }
    std::vector<std::uint8_t> v;
    const bool ok = HandleRes(ReadRegisters(0x00, 3, v));
    if (!S.FGuiUpdate)
        RestartStreaming();
    if (!ok)
        return false;
    S.FProductNumber = v[0];
    S.FSoftwareNumber = v[1];
    S.FHardwareNumber = v[2];
    W.deviceVersionText = QStringLiteral("%1 : %2 : %3").arg(v[0]).arg(v[1]).arg(v[2]);
    emit deviceVersionChanged(W.deviceVersionText);
    KvnAddItem(QStringLiteral("Device Version:"), TMessageType::Info);
    KvnAddItem(QStringLiteral("(PROD : SW : HW):  ") + W.deviceVersionText, TMessageType::Info);
    KvnAddItem(QString(), TMessageType::Info);
    return true;
}

bool TSession::EnCommsInATI()
{
    bool result = true;
    for (const auto& [address, bit] : {std::pair<std::uint8_t, std::uint8_t>{0xD0, 0x08},
                                       std::pair<std::uint8_t, std::uint8_t>{0x80, 0x80}}) {
        std::vector<std::uint8_t> v;
        if (!HandleRes(ReadRegisters(address, 1, v)))
            return false;
        const std::uint8_t buffer[2] = {address, static_cast<std::uint8_t>(v[0] | bit)};
        if (!HandleRes(WriteRegisters(buffer)))
            result = false;
    }
    return result;
}

void TSession::SARStreaming(bool enable)
{
    if (FSetup.DoChStream == enable)
        return;
    StopStreaming();
    FSetup.DoChStream = enable;
    FSetup.SetupStreaming();
    RestartStreaming();
}

void TSession::DemoButtonClick()
{
    // The demo needs a stream. Asked for with the chip off (before the first
    // Start, or after Stop) it starts one with the default set-up first, and
    // a paused one goes on, instead of sending the demo's writes to a chip
    // without supply.
    if (S.FIsPaused)
        PauseButtonClick();
    if (!S.FIsStreaming) {
        if (!FDevList->Connected())
            return;
        if (!StartSequence(TStartupChoice{TStartupChoice::TMode::Default}))
            return;
        // The demo applies its own settings file and reads the chip back:
        // the start's own file and read would come after it and undo it.
        S.FLoadSettings = false;
        S.FReadDevice = false;
        S.FBlockDisplay = false;
    }
    LoadButtonClick();
    ShowResetButtonClick();
    S.FBlockDisplay = true;
    emit displayReset();
    setBarBackground(TBarBackground::Wait);
    B.demoEnabled = true;
    if (LoadDemoSettings(0))
        emit demoShowRequested();
    S.FBlockDisplay = false;
    FTimer3.start();
    setBarBackground(TBarBackground::None);
    RedoATIButtonClick();
    emitButtons();
}

bool TSession::LoadDemoSettings(int index)
{
    static const char* const kFiles[] = {"MFS380A_3level_SAR_settings.ini", "Nimbra.ini",
                                         "Nimbra1.ini", "Nimbra2.ini", "Nimbra3.ini"};
    if (index < 0 || index > 4)
        return false;
    const std::filesystem::path file = FAppPath / kFiles[index];
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        FPrompts.message(fromLatin(sessionmsg::kDemoFileMissing), TDialogIcon::Error,
                         TDialogButtons::Ok);
        return true;
    }
    const std::string remembered = S.FSettingsFile;
    S.FSettingsFile = file.string();
    LoadSettings();
    S.FSettingsFile = remembered;
    return true;
}
