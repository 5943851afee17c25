// The command set of the tool command component. Each method builds its report
// in Send (bytes 0 to 79 cleared, byte 2 the code, byte 3 the count, the
// parameters from byte 4, most significant byte first), exchanges it and
// takes its reply data from Receive byte 4 on.

#include "KelvanHidTool.h"

#include "ToolWire.h"

#include <algorithm>
#include <cmath>

using toolwire::code;

namespace {

constexpr std::size_t kClearBytes = 80;
constexpr std::size_t kArrayBytes = std::tuple_size_v<TKvnByteArray>;
constexpr std::uint32_t kChunk = 32;

}  // namespace

void TKelvanHidTool::Begin(std::uint8_t commandCode, std::uint8_t count)
{
    std::fill_n(Send.begin(), kClearBytes, std::uint8_t{0});
    std::fill_n(Receive.begin(), kClearBytes, std::uint8_t{0});
    Send[0] = 0;
    Send[2] = commandCode;
    Send[3] = count;
}

void TKelvanHidTool::Put16(int pos, std::uint16_t value)
{
    Send[static_cast<std::size_t>(pos)] = static_cast<std::uint8_t>(value >> 8);
    Send[static_cast<std::size_t>(pos) + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

std::uint16_t TKelvanHidTool::DacCode(double volts)
{
    const double x = std::nearbyint(volts / 6.6 * 4096.0);  // halves to even
    if (!(x > 0))
        return 0;
    return x > 4095 ? 4095 : static_cast<std::uint16_t>(x);
}

// ---- Commands this system sends --------------------------------------------------

TExchangeResult TKelvanHidTool::SetICType(TICType ICType)
{
    Begin(0x01, 2);
    Send[4] = 0;
    Send[5] = code(ICType);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetICType(std::uint16_t ICType)
{
    Begin(0x01, 2);
    Put16(4, ICType);
    return Exchange();
}

TExchangeResult TKelvanHidTool::PowerOnDUT()
{
    Begin(0x02, 0);
    const TExchangeResult r = Exchange();
    if (r == 0)
        FIsPowerOn = true;
    return r;
}

TExchangeResult TKelvanHidTool::PowerOffDUT()
{
    Begin(0x03, 0);
    const TExchangeResult r = Exchange();
    if (r == 0)
        FIsPowerOn = false;
    return r;
}

TExchangeResult TKelvanHidTool::PowerOnPSU()
{
    Begin(0x02, 1);
    Send[4] = 1;
    return Exchange();
}

TExchangeResult TKelvanHidTool::PowerOffPSU()
{
    Begin(0x03, 1);
    Send[4] = 1;
    return Exchange();
}

TExchangeResult TKelvanHidTool::EnterTM(std::uint8_t StartupPulseTimeMSB,
                                        std::uint8_t StartupPulseTimeLSB,
                                        std::uint8_t PulseWidthMSB, std::uint8_t PulseWidthLSB,
                                        std::uint8_t StartState, std::uint8_t PulseCount,
                                        std::uint8_t MCLR_LowTime, std::uint8_t RDY_WaitTime)
{
    Begin(0x04, 8);
    const std::uint8_t values[8] = {StartupPulseTimeMSB, StartupPulseTimeLSB, PulseWidthMSB,
                                    PulseWidthLSB,       StartState,          PulseCount,
                                    MCLR_LowTime,        RDY_WaitTime};
    std::copy(std::begin(values), std::end(values), Send.begin() + 4);
    return Exchange();
}

TExchangeResult TKelvanHidTool::EnterTM(std::uint8_t Address, std::uint8_t Data)
{
    Begin(0x04, 2);
    Send[4] = Address;
    Send[5] = Data;
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetupComms(TCommsType CommsType, TCommsSpeed CommsSpeed)
{
    Begin(0x05, 2);
    Send[4] = code(CommsType);
    Send[5] = code(CommsSpeed);
    return Exchange();
}

TExchangeResult TKelvanHidTool::Comms_I2C_Custom_Speed(std::uint16_t Speed)
{
    const std::uint32_t hz = static_cast<std::uint32_t>(Speed) * 1000u;
    Begin(0x05, 5);
    Send[4] = 4;
    Send[5] = 4;
    Send[6] = static_cast<std::uint8_t>(hz >> 16);
    Send[7] = static_cast<std::uint8_t>(hz >> 8);
    Send[8] = static_cast<std::uint8_t>(hz);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetLSVoltage(TVoltageFollow VoltageFollow)
{
    Begin(0x06, 1);
    Send[4] = code(VoltageFollow);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetDUTVoltage(TDUTVoltage DUTVoltage)
{
    Begin(0x07, 1);
    Send[4] = code(DUTVoltage);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SendVoltage(double volts, std::uint8_t lowNibble)
{
    const std::uint16_t dac = DacCode(volts);
    Begin(0x07, 2);
    Send[4] = static_cast<std::uint8_t>(dac >> 4);
    Send[5] = static_cast<std::uint8_t>((dac & 0x0F) << 4 | lowNibble);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetDUTVoltage(double DUTVoltage)
{
    return SendVoltage(DUTVoltage, 0);
}

TExchangeResult TKelvanHidTool::SetDUTVoltage(double& SelectedVoltage, double DUTVoltage)
{
    const double k = std::nearbyint(DUTVoltage * 128.0 / 3.0);
    const double asked = k * 3.0 / 128.0;
    const double whole = std::trunc(asked);
    SelectedVoltage = whole + std::nearbyint((asked - whole) * 100.0) / 100.0;
    const TExchangeResult r = SetDUTVoltage(DUTVoltage);
    if (r != 0)
        SelectedVoltage = 0;
    return r;
}

TExchangeResult TKelvanHidTool::SetPSUVoltage(double DUTVoltage)
{
    return SendVoltage(DUTVoltage, 1);
}

TExchangeResult TKelvanHidTool::SetCTID(std::uint8_t CTID)
{
    Begin(0x08, 1);
    Send[4] = CTID;
    return Exchange();
}

TExchangeResult TKelvanHidTool::GetCTFWVersion(std::uint32_t& CTFWVersion)
{
    CTFWVersion = 0;
    Begin(0x09, 0);
    const TExchangeResult r = Exchange();
    if (r == 0) {
        CTFWVersion = static_cast<std::uint32_t>(Receive[4]) << 24 |
                      static_cast<std::uint32_t>(Receive[5]) << 16 |
                      static_cast<std::uint32_t>(Receive[6]) << 8 | Receive[7];
        FLastDevID = Receive[1] >> 4;
    }
    return r;
}

TExchangeResult TKelvanHidTool::GetCTFWVersion(std::uint32_t& CTFWVersion, std::uint8_t& Build)
{
    const TExchangeResult r = GetCTFWVersion(CTFWVersion);
    if (r == 0)
        Build = Receive[8];
    return r;
}

TExchangeResult TKelvanHidTool::GetCTFWVersion(std::uint32_t& CTFWVersion, std::uint8_t& Build,
                                               std::uint8_t& Release)
{
    const TExchangeResult r = GetCTFWVersion(CTFWVersion, Build);
    if (r == 0)
        Release = Receive[9];
    return r;
}

TExchangeResult TKelvanHidTool::CommsRead(std::uint8_t Size, TKvnByteArray& ReturnData)
{
    std::fill_n(ReturnData.begin(), kClearBytes, std::uint8_t{0});
    Begin(0x0A, 1);
    Send[4] = Size;
    const TExchangeResult r = Exchange();
    if (r == 0)
        std::copy_n(Receive.begin() + 4, Size, ReturnData.begin());
    return r;
}

template <typename SizeT>
TExchangeResult TKelvanHidTool::CommsWriteChunks(SizeT Size, TKvnByteArray& Data)
{
    const std::uint32_t size = Size;
    if (size > kArrayBytes)
        return 0x0B02;  // "No. of Bytes exceed maximum": more than the array holds
    std::fill_n(FWriteResult.begin(), size, std::uint8_t{0});
    std::uint32_t remaining = size;
    std::uint32_t pos = 0;
    bool stopBitOff = false;
    for (;;) {
        const bool more = remaining > kChunk;
        std::uint32_t chunk = remaining;
        if (more) {
            if (!stopBitOff) {
                StopBitControl(sbOff);  // result not examined
                stopBitOff = true;
            }
            chunk = kChunk;
        } else if (stopBitOff) {
            StopBitControl(sbRestore);
            stopBitOff = false;
        }
        // Built after the stop-bit exchanges, which reuse Send.
        Begin(0x0B, static_cast<std::uint8_t>(chunk));
        std::copy_n(Data.begin() + pos, chunk, Send.begin() + 4);
        const TExchangeResult r = Exchange();
        if (r != 0)
            return r;
        std::copy_n(Receive.begin() + 4, chunk, FWriteResult.begin() + pos);
        pos += chunk;
        if (!more)
            break;
        remaining -= kChunk;
    }
    std::copy_n(FWriteResult.begin(), size, Data.begin());
    return 0;
}

TExchangeResult TKelvanHidTool::CommsWrite(std::uint8_t Size, TKvnByteArray& Data)
{
    return CommsWriteChunks(Size, Data);
}

TExchangeResult TKelvanHidTool::CommsWrite(std::uint16_t Size, TKvnByteArray& Data)
{
    return CommsWriteChunks(Size, Data);
}

TExchangeResult TKelvanHidTool::FuseBurnConnect(std::uint8_t A, std::uint8_t B, std::uint8_t C,
                                                std::uint8_t D)
{
    Begin(0x0E, 4);
    Send[4] = A;
    Send[5] = B;
    Send[6] = C;
    Send[7] = D;
    return Exchange();
}

TExchangeResult TKelvanHidTool::ConfigI2C(TI2CType I2CType, TPullUpResistors PullUpResistors,
                                          std::uint8_t I2CDeviceAddress, TReadyPin ReadyPin,
                                          TI2CStopCommand I2CStopCommand, TI2CPolling I2CPolling)
{
    Begin(0x0F, 6);
    Send[4] = code(I2CType);
    Send[5] = code(PullUpResistors);
    Send[6] = I2CDeviceAddress;
    Send[7] = code(ReadyPin);
    Send[8] = code(I2CStopCommand);
    Send[9] = code(I2CPolling);
    return Exchange();
}

TExchangeResult TKelvanHidTool::ConfigI2C(TI2CType I2CType, TPullUpResistors PullUpResistors,
                                          std::uint8_t I2CDeviceAddress, TReadyPin ReadyPin,
                                          TI2CStopCommand I2CStopCommand, TI2CPolling I2CPolling,
                                          TI2CAddressSize I2CAddressSize)
{
    Begin(0x0F, 7);
    Send[4] = code(I2CType);
    Send[5] = code(PullUpResistors);
    Send[6] = I2CDeviceAddress;
    Send[7] = code(ReadyPin);
    Send[8] = code(I2CStopCommand);
    Send[9] = code(I2CPolling);
    Send[10] = code(I2CAddressSize);
    return Exchange();
}

TExchangeResult TKelvanHidTool::IORead(std::uint8_t IO, std::uint8_t& State)
{
    Begin(0x10, 1);
    Send[4] = IO;
    const TExchangeResult r = Exchange();
    if (r == 0 && (Receive[4] == 1 || Receive[4] == 2))
        State = Receive[4];
    return r;
}

TExchangeResult TKelvanHidTool::IOWrite(std::uint8_t IO, std::uint8_t State)
{
    Begin(0x11, 2);
    Send[4] = IO;
    Send[5] = State;
    return Exchange();
}

namespace {
void takeRead(const TKvnByteArray& reply, std::uint8_t size, TKvnByteArray& out)
{
    std::fill_n(out.begin(), kClearBytes, std::uint8_t{0});
    std::copy_n(reply.begin() + 4, size, out.begin());
}
}  // namespace

TExchangeResult TKelvanHidTool::I2CRead(std::uint16_t Address, std::uint8_t SizeToRead,
                                        TKvnByteArray& ReturnData)
{
    Begin(0x12, 2);  // byte 3: number of address bytes
    Put16(4, Address);
    Send[6] = SizeToRead;
    const TExchangeResult r = Exchange();
    if (r == 0)
        takeRead(Receive, SizeToRead, ReturnData);
    return r;
}

TExchangeResult TKelvanHidTool::I2CRead(std::uint8_t Address, std::uint8_t SizeToRead,
                                        TKvnByteArray& ReturnData)
{
    Begin(0x12, 1);
    Send[4] = Address;
    Send[5] = SizeToRead;
    const TExchangeResult r = Exchange();
    if (r == 0)
        takeRead(Receive, SizeToRead, ReturnData);
    return r;
}

TExchangeResult TKelvanHidTool::I2CRead(std::uint8_t AddressSize, const TKvnByteArray& Address,
                                        std::uint8_t SizeToRead, TKvnByteArray& ReturnData)
{
    Begin(0x12, AddressSize);
    std::copy_n(Address.begin(), AddressSize, Send.begin() + 4);
    Send[4 + static_cast<std::size_t>(AddressSize)] = SizeToRead;
    const TExchangeResult r = Exchange();
    if (r == 0)
        takeRead(Receive, SizeToRead, ReturnData);
    return r;
}

TExchangeResult TKelvanHidTool::StopBitControl(TStopBitControl Control)
{
    Begin(0x13, 1);
    Send[4] = code(Control);
    return Exchange();
}

TExchangeResult TKelvanHidTool::EventMode(bool Enabled)
{
    FEventMode = Enabled;
    Begin(0x1A, 1);
    Send[4] = Enabled ? 1 : 0;
    return Exchange();
}

TExchangeResult TKelvanHidTool::EventMode(bool Enabled, std::uint16_t WaitTime)
{
    FEventMode = Enabled;
    Begin(0x1A, 3);
    Send[4] = Enabled ? 1 : 0;
    Put16(5, WaitTime);
    return Exchange();
}

TExchangeResult TKelvanHidTool::EventMode(std::uint8_t P1, std::uint16_t P2, std::uint16_t P3,
                                          std::uint16_t P4, std::uint8_t P5)
{
    Begin(0x1A, 8);
    Send[4] = P1;
    Put16(5, P2);
    Put16(7, P3);
    Put16(9, P4);
    Send[11] = P5;
    return Exchange();
}

TExchangeResult TKelvanHidTool::EventMode(std::uint8_t P1, std::uint16_t P2, std::uint16_t P3,
                                          std::uint16_t P4)
{
    Begin(0x1A, 7);
    Send[4] = P1;
    Put16(5, P2);
    Put16(7, P3);
    Put16(9, P4);
    return Exchange();
}

TExchangeResult TKelvanHidTool::WaitForRdy(bool Enabled)
{
    Begin(0x30, 1);
    Send[4] = Enabled ? 1 : 0;
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetLED(TLedColor LedColor)
{
    Begin(0xC1, 1);
    Send[4] = code(LedColor);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SoftReset()
{
    Begin(0xFE, 0);
    return Exchange();
}

TExchangeResult TKelvanHidTool::EnterDFU()
{
    Begin(0xFF, 0);
    return Exchange();
}

TExchangeResult TKelvanHidTool::ShowSelectedDevice()
{
    static constexpr TLedColor kBlink[] = {lcRed, lcGreen, lcRed, lcGreen, lcRed, lcGreen};
    bool first = true;
    for (const TLedColor colour : kBlink) {
        if (!first)
            FClock.sleepMs(100);
        first = false;
        // A tool that does not answer is not asked five more times.
        if (const TExchangeResult r = SetLED(colour))
            return r;
    }
    return 0;
}
