#include "CliEngineering.h"

#include "CapacitanceCalculation.h"
#include "CliOptions.h"
#include "Clock.h"
#include "HexText.h"
#include "OtpAddress.h"
#include "ResponsiveWait.h"
#include "Session.h"

#include <cstdio>

namespace {

void printOut(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void printErr(const QString& text)
{
    std::fprintf(stderr, "mfs380a-cli: %s\n", qPrintable(text));
}

bool isHexByte(const QString& text)
{
    return parseHexByte(text.trimmed().toStdString()).has_value();
}

}  // namespace

bool CliEngineering::handles(const QString& command)
{
    return command == "capacitance" || command == "read-indirect" ||
           command == "write-indirect" || command == "otp-address";
}

int CliEngineering::checkArguments(const QString& command, const QStringList& a, QString& usage)
{
    if (command == "capacitance" && !(a.isEmpty() || a == QStringList{"--current"})) {
        usage = QStringLiteral("capacitance takes [--current]");
    } else if (command == "read-indirect" && (a.size() != 1 || !isHexByte(a[0]))) {
        usage = QStringLiteral("read-indirect needs ADDR in hexadecimal (00 to FF)");
    } else if (command == "write-indirect" &&
               (a.size() != 2 || !isHexByte(a[0]) || !isHexByte(a[1]))) {
        usage = QStringLiteral("write-indirect needs ADDR BYTE in hexadecimal (00 to FF)");
    } else if (command == "otp-address" && !a.isEmpty()) {
        const int write = static_cast<int>(a.indexOf("--write"));
        if (write < 0 || write + 1 >= a.size() || a.size() > 3 ||
            (a.size() == 3 && !a.contains("--yes")))
            usage = QStringLiteral("otp-address takes [--write XX --yes]");
        else if (!otpEntryIndex(a[write + 1]))
            usage = QStringLiteral("the new address must be one of 44 45 46 47 4C 4D 4E 4F");
        else if (!a.contains("--yes"))
            usage = QString::fromLatin1(
                        "Changing the I2C address in OTP Setup is permanent. Add --yes to proceed.");
    }
    return usage.isEmpty() ? kExitOk : kExitUsage;
}

int CliEngineering::run(const QString& command)
{
    if (command == "capacitance")
        return capacitance();
    if (command == "read-indirect")
        return readIndirect();
    if (command == "write-indirect")
        return writeIndirect();
    return otpAddress();
}

bool CliEngineering::powerUp()
{
    FSession.PowerButtonClick();  // Power On: tool set-up, chip supply
    if (!FSession.state().FPowerOn)
        return false;
    FSession.clock().sleepMs(1000);
    if (!FSession.FindDeviceAddress()) {
        printErr(QStringLiteral("the chip does not answer"));
        return false;
    }
    return true;
}

void CliEngineering::powerDown()
{
    if (FSession.state().FPowerOn)
        FSession.PowerButtonClick();
}

int CliEngineering::capacitance()
{
    const bool current = FArgs.contains("--current");
    FSession.StartButtonClick();
    if (!FSession.state().FIsStreaming)
        return kExitTool;
    // The first frames bring the settings read that follows every start.
    responsiveWait(500);
    TCapacitanceCalculation calc(FSession);
    calc.setWaiter(&responsiveWait);
    const TCapacitanceResult r = calc.run(current);
    for (int n = 0; n < TCapacitanceCalculation::kChannels; ++n) {
        const auto& value = r.values[static_cast<std::size_t>(n)];
        printOut(QString::fromStdString(capacitanceRowLabel(n, current)) + ' ' +
                 (value ? QString::fromStdString(capacitanceText(*value)) : QStringLiteral("-")));
    }
    if (FSession.state().FIsStreaming || FSession.state().FIsPaused)
        FSession.StartButtonClick();  // Stop
    return r.succeeded() ? kExitOk : kExitTool;
}

int CliEngineering::readIndirect()
{
    if (!powerUp()) {
        powerDown();
        return kExitTool;
    }
    const auto value = FSession.IndirectRead(FArgs[0]);
    powerDown();
    if (!value)
        return kExitTool;
    printOut(QString::fromStdString(hexByteText(*value)));
    return kExitOk;
}

int CliEngineering::writeIndirect()
{
    if (!powerUp()) {
        powerDown();
        return kExitTool;
    }
    const auto before = FSession.messages().size();
    FSession.IndirectWrite(FArgs[0], FArgs[1]);
    bool failed = false;
    for (auto i = before; i < FSession.messages().size(); ++i)
        failed = failed || FSession.messages()[i].type == TMessageType::Error;
    powerDown();
    return failed ? kExitTool : kExitOk;
}

int CliEngineering::otpAddress()
{
    TOtpAddress otp(FSession);
    const auto search = [&]() -> std::optional<std::uint8_t> {
        if (!powerUp())
            return std::nullopt;
        const auto address = otp.ReadAddressButtonClick();
        if (!address)
            printErr(QStringLiteral("the chip answers at none of the eight addresses"));
        return address;
    };

    if (FArgs.isEmpty()) {
        const auto address = search();
        powerDown();
        if (!address)
            return kExitTool;
        printOut(QString::fromStdString(hexByteText(*address)));
        return kExitOk;
    }

    const int entry = *otpEntryIndex(FArgs[static_cast<int>(FArgs.indexOf("--write")) + 1]);
    if (!powerUp()) {
        powerDown();
        return kExitTool;
    }
    // Information items of the procedure go to standard output; errors are
    // printed as they come.
    const auto before = FSession.messages().size();
    const TOtpOutcome outcome = otp.WriteAddressButtonClick(entry);
    for (auto i = before; i < FSession.messages().size(); ++i) {
        if (FSession.messages()[i].type == TMessageType::Info)
            printOut(FSession.messages()[i].text);
    }
    if (outcome != TOtpOutcome::Written) {
        powerDown();
        return kExitTool;
    }
    const auto address = search();
    powerDown();
    if (!address)
        return kExitTool;
    printOut(QString::fromStdString(hexByteText(*address)));
    return *address == kOtpEntries[static_cast<std::size_t>(entry)].address ? kExitOk : kExitTool;
}
