#include "OtpAddress.h"

#include "Clock.h"
#include "EngineeringTexts.h"
#include "HexText.h"
#include "Session.h"

namespace {

constexpr std::uint8_t kSelect = 0x0A;      // bank and operation select
constexpr std::uint8_t kReadPort = 0x0B;
constexpr std::uint8_t kMarginSetup = 0x0E;
constexpr std::uint8_t kStatus = 0x0F;      // kActive while test mode is active
constexpr std::uint8_t kActive = 0xA5;
constexpr std::uint8_t kBurnData = 0x2B;
constexpr std::uint8_t kMarginCommand = 0xE1;
constexpr std::uint8_t kAddressBits = 0x0B;  // bits 0, 1 and 3 of bank 0
constexpr double kMarginSupply = 2.35;
constexpr TExchangeResult kPowerAlreadyOff = 0x0301;

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

}  // namespace

std::optional<int> otpEntryIndex(const QString& text)
{
    for (std::size_t i = 0; i < kOtpEntries.size(); ++i) {
        if (text.compare(QLatin1String(kOtpEntries[i].text), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<std::uint8_t> otpBurnValue(std::uint8_t code, std::uint8_t bank0)
{
    const auto value = static_cast<std::uint8_t>(code | bank0);
    if ((value & kAddressBits) != code)
        return std::nullopt;
    return value;
}

TOtpAddress::TOtpAddress(TSession& session, QObject* parent) : QObject(parent), FSession(session)
{
    FView.readCaption = latin(engmsg::kReadAddress);
    FView.writeCaption = latin(engmsg::kWriteAddress);
    FStreamingEnabled = session.buttons().loadCapacitanceEnabled;
    FView.readEnabled = FView.writeEnabled = FStreamingEnabled;
    connect(&session, &TSession::buttonsChanged, this, &TOtpAddress::streamingChanged);
}

void TOtpAddress::streamingChanged()
{
    // The session enables the streaming-only buttons when a Start succeeds and
    // disables them when the stream stops for good (Stop, Power Off, unplug).
    const bool enabled = FSession.buttons().loadCapacitanceEnabled;
    if (enabled == FStreamingEnabled)
        return;
    FStreamingEnabled = enabled;
    setView([enabled](TOtpView& v) { v.readEnabled = v.writeEnabled = enabled; });
}

void TOtpAddress::setView(const std::function<void(TOtpView&)>& change)
{
    change(FView);
    emit viewChanged();
}

void TOtpAddress::wait(int ms)
{
    if (FWaiter)
        FWaiter(ms);
    else
        FSession.clock().sleepMs(ms);
}

// ---- Read Address -----------------------------------------------------------

std::optional<std::uint8_t> TOtpAddress::ReadAddressButtonClick()
{
    if (FBusy)
        return std::nullopt;
    FBusy = true;
    setView([](TOtpView& v) {
        v.readEnabled = false;
        v.readCaption = latin(engmsg::kReading);
    });
    TMFS240Device& device = FSession.Device();
    TKelvanHidTool& tool = FSession.HidTool();
    // The tool may not be streaming (paused, or not started): nothing to report.
    device.StopStreaming();
    std::optional<std::uint8_t> found;
    TKvnByteArray data{};
    for (const TOtpEntry& e : kOtpEntries) {
        const TExchangeResult res =
            tool.ConfigI2C(device.I2CType(), device.I2CPullUpResistors(), e.address,
                           device.I2CReadyPin(), device.I2CStopCommand(), device.I2CPolling());
        if (!FSession.HandleRes(res))
            break;
        if (tool.I2CRead(std::uint8_t{0x00}, std::uint8_t{2}, data) == 0) {
            found = e.address;
            break;
        }
    }
    if (found) {
        const std::string text = hexByteText(*found);
        device.SetI2CAddress(text);
        FSession.settingsWindow().currentAddressText = QString::fromStdString(text);
        FAddressRead = true;
        // Streaming goes on where it ran (a paused session stays paused).
        FSession.RestartStreaming();
    }
    FBusy = false;
    setView([&found](TOtpView& v) {
        v.readCaption = latin(engmsg::kReadAddress);
        v.readEnabled = found.has_value();
    });
    return found;
}

// ---- Write Address ------------------------------------------------------------

TOtpOutcome TOtpAddress::WriteAddressButtonClick(int entry)
{
    if (FBusy || entry < 0 || entry >= static_cast<int>(kOtpEntries.size()))
        return TOtpOutcome::Cancelled;
    SessionPrompts& prompts = FSession.prompts();
    if (prompts.message(latin(engmsg::kConfirmWrite), TDialogIcon::Warning,
                        TDialogButtons::OkCancel) != TDialogResult::Ok)
        return TOtpOutcome::Cancelled;

    FBusy = true;
    setView([](TOtpView& v) {
        v.readEnabled = v.writeEnabled = false;
        v.writeCaption = latin(engmsg::kWriting);
    });
    const std::uint8_t code = kOtpEntries[static_cast<std::size_t>(entry)].code;

    FSession.Device().SetDUTVoltage(v3_3V);
    FSession.Device().StopStreaming();
    if (FSession.buttons().startCaption == QLatin1String("Stop"))
        FSession.StartButtonClick();  // Stop: the chip goes off with the session
    else if (FSession.buttons().powerCaption == QLatin1String("Power Off"))
        FSession.PowerButtonClick();  // powered from the engineering page

    prepareTool();
    const TOtpOutcome outcome = enterTestMode() ? program(code) : TOtpOutcome::TestModeFailed;
    // The chip leaves test mode; the session already counts it as off.
    FSession.Device().PowerOff();

    switch (outcome) {
    case TOtpOutcome::TestModeFailed:
        FSession.KvnAddItem(latin(engmsg::kTmNotEntered), TMessageType::Error);
        prompts.message(latin(engmsg::kChangeFailed), TDialogIcon::Error, TDialogButtons::Ok);
        break;
    case TOtpOutcome::Refused:
        prompts.message(latin(engmsg::kNotAvailable), TDialogIcon::Error, TDialogButtons::Ok);
        break;
    case TOtpOutcome::Written:
        FSession.KvnAddItem(latin(engmsg::kWriteSuccessful), TMessageType::Info);
        prompts.message(latin(engmsg::kChangeSuccessful), TDialogIcon::Information,
                        TDialogButtons::Ok);
        break;
    case TOtpOutcome::VerifyFailed:
        FSession.KvnAddItem(latin(engmsg::kWriteError), TMessageType::Error);
        prompts.message(latin(engmsg::kChangeFailed), TDialogIcon::Error, TDialogButtons::Ok);
        break;
    case TOtpOutcome::Cancelled:
        break;
    }
    FBusy = false;
    setView([](TOtpView& v) { v.writeCaption = latin(engmsg::kWriteAddress); });
    return outcome;
}

void TOtpAddress::prepareTool()
{
    TKelvanHidTool& tool = FSession.HidTool();
    FSession.HandleRes(tool.SetICType(itD));
    FSession.HandleRes(tool.SetupComms(ctI2C, csFast));
    FSession.HandleRes(tool.SetDUTVoltage(dv3_3V));
    FSession.HandleRes(tool.ConfigI2C(noRDY, prConnected, FSession.Device().I2CAddressValue(),
                                      rpPin10, scNoStop, ipPollingByAddress));
}

bool TOtpAddress::enterTestMode()
{
    const auto failed = [this] {
        FSession.KvnAddItem(latin(engmsg::kTmNotEntered), TMessageType::Error);
    };
    // A chip that is off already is where it should be.
    const TExchangeResult off = FSession.Device().PowerOff();
    if (off != 0 && off != kPowerAlreadyOff)
        failed();
    if (FSession.HidTool().EnterTM(0x00, 0x2B, 0, 0, 0, 0, 0, 0) != 0)
        failed();
    TKvnByteArray data{};
    if (FSession.HidTool().I2CRead(kStatus, std::uint8_t{1}, data) != 0) {
        failed();
        return false;
    }
    return data[0] == kActive;
}

TOtpOutcome TOtpAddress::program(std::uint8_t code)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const auto before = normalRead();
        // Without a sound read of bank 0 nothing is burned.
        if (!before[0])
            continue;
        const auto value = otpBurnValue(code, *before[0]);
        if (!value)
            return TOtpOutcome::Refused;
        burn(*value);
        const auto normal = normalRead();
        const auto margin = marginRead();
        bool same = normal[0] == value;
        for (std::size_t b = 0; b < normal.size(); ++b)
            same = same && normal[b] && margin[b] && *normal[b] == *margin[b];
        if (same)
            return TOtpOutcome::Written;
    }
    return TOtpOutcome::VerifyFailed;
}

bool TOtpAddress::bankWrite(int bank, std::initializer_list<std::uint8_t> bytes)
{
    const std::vector<std::uint8_t> buffer(bytes);
    if (FSession.WriteRegisters(buffer) == 0)
        return true;
    FSession.KvnAddItem(latin(engmsg::kBankWriteError) + QString::number(bank),
                        TMessageType::Error);
    return false;
}

std::optional<std::uint8_t> TOtpAddress::portRead()
{
    TKvnByteArray data{};
    if (!FSession.HandleRes(FSession.HidTool().CommsRead(1, data)))
        return std::nullopt;
    return data[0];
}

std::array<std::optional<std::uint8_t>, 4> TOtpAddress::normalRead()
{
    std::array<std::optional<std::uint8_t>, 4> banks;
    for (int b = 0; b < 4; ++b) {
        const auto u = static_cast<std::uint8_t>(b);
        bankWrite(b, {kSelect, u});
        bankWrite(b, {kSelect, static_cast<std::uint8_t>(u + 0x10)});
        const bool pointer = bankWrite(b, {kReadPort});
        const auto value = portRead();
        if (pointer)
            banks[u] = value;
        bankWrite(b, {kSelect, 0x00});
        wait(1);
    }
    return banks;
}

std::array<std::optional<std::uint8_t>, 5> TOtpAddress::marginRead()
{
    TKelvanHidTool& tool = FSession.HidTool();
    std::array<std::optional<std::uint8_t>, 5> banks;
    for (int b = 0; b < 5; ++b) {
        const auto u = static_cast<std::uint8_t>(b);
        bankWrite(b, {kMarginSetup, 0x06, 0x07});
        bankWrite(b, {kMarginCommand});
        bankWrite(b, {kSelect, u});
        const bool supply = FSession.HandleRes(tool.SetPSUVoltage(kMarginSupply));
        bankWrite(b, {kSelect, static_cast<std::uint8_t>(u + 0xD0)});
        const bool pointer = bankWrite(b, {kReadPort});
        const auto value = portRead();
        if (supply && pointer)
            banks[u] = value;
        FSession.HandleRes(tool.SetPSUVoltage(0.0));
        bankWrite(b, {kSelect, 0x00});
    }
    return banks;
}

void TOtpAddress::burn(std::uint8_t value)
{
    bankWrite(0, {kBurnData, value});
    bankWrite(0, {kSelect, 0x48});
    bankWrite(0, {kSelect, 0x68});
    if (FSession.HidTool().FuseBurnConnect(0x0D, 0x37, 0x03, 0x02) != 0)
        FSession.KvnAddItem(latin(engmsg::kBankWriteError) + QString::number(0),
                            TMessageType::Error);
    bankWrite(0, {kSelect, 0x00});
}
