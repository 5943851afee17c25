// Further commands of the tool that this system does not send itself: tester,
// SWIM programming, relays, long buffers, 1-wire bus.

#include "KelvanHidTool.h"

#include "ToolWire.h"

#include <algorithm>

namespace {

constexpr std::size_t kArrayBytes = std::tuple_size_v<TKvnByteArray>;
constexpr std::uint32_t kChunk = 32;

std::uint16_t be16(const TKvnByteArray& a, std::size_t pos)
{
    return static_cast<std::uint16_t>(a[pos] << 8 | a[pos + 1]);
}

}  // namespace

TExchangeResult TKelvanHidTool::LogicType(TLogicType NewType)
{
    Begin(0x01, 1);
    Send[4] = toolwire::code(NewType);
    return Exchange();
}

TExchangeResult TKelvanHidTool::GetStart(bool& Start)
{
    Begin(0x02, 0);
    const TExchangeResult r = Exchange();
    Start = r == 0 && Receive[4] == 1;
    return r;
}

TExchangeResult TKelvanHidTool::SendBins(std::uint8_t Bin1, std::uint8_t Bin2, std::uint8_t Bin3,
                                         std::uint8_t Bin4)
{
    Begin(0x03, 4);
    Send[4] = Bin1;
    Send[5] = Bin2;
    Send[6] = Bin3;
    Send[7] = Bin4;
    return Exchange();
}

TExchangeResult TKelvanHidTool::GetTesterFWVersion(std::uint32_t& CTFWVersion,
                                                   std::uint8_t& Build, std::uint8_t& AlphaBeta,
                                                   std::uint16_t& ProductNumber,
                                                   std::uint16_t& TesterNumber)
{
    Begin(0x09, 0);
    const TExchangeResult r = Exchange();
    if (r == 0) {
        CTFWVersion = static_cast<std::uint32_t>(Receive[4]) << 24 |
                      static_cast<std::uint32_t>(Receive[5]) << 16 |
                      static_cast<std::uint32_t>(Receive[6]) << 8 | Receive[7];
        FLastDevID = Receive[1] >> 4;
        Build = Receive[8];
        AlphaBeta = Receive[9];
        ProductNumber = be16(Receive, 10);
        TesterNumber = be16(Receive, 12);
    }
    return r;
}

TExchangeResult TKelvanHidTool::IsTesterInit(bool& Init)
{
    Begin(0x09, 0);
    const TExchangeResult r = Exchange();
    if (r == 0)
        Init = Receive[14] != 0;
    return r;
}

TExchangeResult TKelvanHidTool::Config1WireBus(const std::array<std::uint8_t, 12>& Settings)
{
    Begin(0x1F, 12);
    std::copy(Settings.begin(), Settings.end(), Send.begin() + 4);
    return Exchange();
}

TExchangeResult TKelvanHidTool::DetectRFModule(bool& Detected)
{
    Begin(0x16, 0);
    const TExchangeResult r = Exchange();
    Detected = r == 0 ? Receive[4] == 1 : (r & 0xFF) == 0xFD;
    return r;
}

TExchangeResult TKelvanHidTool::WriteLongBuffer(std::uint8_t AddrSize, std::uint16_t Address,
                                                std::uint16_t WriteSize,
                                                const TKvnByteArray& BytesToWrite)
{
    if (WriteSize > kArrayBytes)
        return 0x1DFE;  // "Invalid Parameter": more than the array holds
    std::uint32_t piece = 0;
    for (std::uint32_t pos = 0; pos < WriteSize; pos += kChunk, ++piece) {
        const std::uint32_t n = std::min<std::uint32_t>(kChunk, WriteSize - pos);
        Begin(0x1C, static_cast<std::uint8_t>(piece));  // byte 3: piece number
        std::copy_n(BytesToWrite.begin() + pos, n, Send.begin() + 4);
        if (const TExchangeResult r = Exchange())
            return r;
    }
    Begin(0x1D, 5);
    Send[4] = AddrSize;
    Put16(5, Address);
    Put16(7, WriteSize);
    return Exchange();
}

TExchangeResult TKelvanHidTool::ReadLongBuffer(std::uint8_t Address, std::uint16_t ReadLength)
{
    Begin(0x1E, 6);
    Send[4] = 2;
    Send[5] = 1;
    Send[6] = 0;
    Send[7] = Address;
    Put16(8, ReadLength);
    return Exchange();
}

TExchangeResult TKelvanHidTool::ReadLongBuffer(std::uint16_t Address, std::uint16_t ReadLength)
{
    Begin(0x1E, 6);
    Send[4] = 2;
    Send[5] = 2;
    Put16(6, Address);
    Put16(8, ReadLength);
    return Exchange();
}

TExchangeResult TKelvanHidTool::TesterStamp(std::uint16_t Year, std::uint8_t Month,
                                            std::uint8_t Day, std::uint8_t Hour,
                                            std::uint8_t Minute, std::uint8_t Second)
{
    Begin(0x2E, 7);
    Put16(4, Year);
    Send[6] = Month;
    Send[7] = Day;
    Send[8] = Hour;
    Send[9] = Minute;
    Send[10] = Second;
    return Exchange();
}

TExchangeResult TKelvanHidTool::InitTester(std::uint32_t Version, std::uint8_t Build,
                                           std::uint8_t AlphaBeta, std::uint16_t ProductNumber)
{
    Begin(0x2F, 8);
    Send[4] = static_cast<std::uint8_t>(Version >> 24);
    Send[5] = static_cast<std::uint8_t>(Version >> 16);
    Send[6] = static_cast<std::uint8_t>(Version >> 8);
    Send[7] = static_cast<std::uint8_t>(Version);
    Send[8] = Build;
    Send[9] = AlphaBeta;
    Put16(10, ProductNumber);
    return Exchange();
}

TExchangeResult TKelvanHidTool::DeInitTester()
{
    Begin(0x2F, 0);
    return Exchange();
}

TExchangeResult TKelvanHidTool::PassReply(bool Retest)
{
    Begin(0x30, 1);
    Send[4] = Retest ? 1 : 0;
    return Exchange();
}

TExchangeResult TKelvanHidTool::GetChecksums(std::uint16_t& ProgramChecksum,
                                             std::uint16_t& EepromChecksum)
{
    Begin(0x40, 0);
    const TExchangeResult r = Exchange();
    if (r == 0) {
        ProgramChecksum = be16(Receive, 4);
        EepromChecksum = be16(Receive, 6);
    }
    return r;
}

TExchangeResult TKelvanHidTool::LoadBuffer(std::uint16_t Address, std::uint8_t DataLength,
                                           const TKvnByteArray& Data)
{
    Begin(0x41, static_cast<std::uint8_t>(DataLength + 2));
    Put16(4, Address);
    std::copy_n(Data.begin(), DataLength, Send.begin() + 6);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SwimProgram(std::uint16_t Address)
{
    Begin(0x42, 2);
    Put16(4, Address);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SwimEnterTM()
{
    Begin(0x43, 0);
    return Exchange();
}

TExchangeResult TKelvanHidTool::WOTF(std::uint8_t DataLength, std::uint32_t Address,
                                     const TKvnByteArray& Data)
{
    Begin(0x44, 0);
    Send[4] = DataLength;
    Send[5] = static_cast<std::uint8_t>(Address >> 16);
    Send[6] = static_cast<std::uint8_t>(Address >> 8);
    Send[7] = static_cast<std::uint8_t>(Address);
    std::copy_n(Data.begin(), DataLength, Send.begin() + 8);
    return Exchange();
}

TExchangeResult TKelvanHidTool::ROTF(std::uint8_t DataLength, std::uint32_t Address,
                                     TKvnByteArray& Data)
{
    Begin(0x45, 0);
    Send[4] = DataLength;
    Send[5] = static_cast<std::uint8_t>(Address >> 16);
    Send[6] = static_cast<std::uint8_t>(Address >> 8);
    Send[7] = static_cast<std::uint8_t>(Address);
    const TExchangeResult r = Exchange();
    if (r == 0)
        std::copy_n(Receive.begin() + 4, DataLength, Data.begin());
    return r;
}

TExchangeResult TKelvanHidTool::SwimEntry()
{
    Begin(0x50, 0);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SwimExit(std::uint16_t& ProgramChecksum,
                                         std::uint16_t& EepromChecksum)
{
    Begin(0x51, 0);
    const TExchangeResult r = Exchange();
    if (r == 0) {
        ProgramChecksum = be16(Receive, 4);
        EepromChecksum = be16(Receive, 6);
    }
    return r;
}

TExchangeResult TKelvanHidTool::ConnectDevice(std::uint8_t& Device)
{
    Begin(0x53, 0);
    const TExchangeResult r = Exchange();
    Device = r == 0 ? Receive[4] : 0;
    return r;
}

TExchangeResult TKelvanHidTool::Swim_GetCRC(std::uint16_t& CRC)
{
    Begin(0x54, 0);
    const TExchangeResult r = Exchange();
    if (r == 0)
        CRC = be16(Receive, 4);
    return r;
}

TExchangeResult TKelvanHidTool::SelectDUT(std::uint8_t DUTNumber)
{
    Begin(0x81, 1);
    Send[4] = DUTNumber;
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetRelaySelection(std::uint8_t RelayMSB, std::uint8_t RelayLSB)
{
    Begin(0x82, 2);
    Send[4] = RelayMSB;
    Send[5] = RelayLSB;
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetSelectedRelays(std::uint8_t RelayBank, std::uint8_t RelayMSB,
                                                  std::uint8_t RelayLSB)
{
    Begin(0x83, 3);
    Send[4] = RelayBank;
    Send[5] = RelayMSB;
    Send[6] = RelayLSB;
    return Exchange();
}

TExchangeResult TKelvanHidTool::GetSelectedRelays(std::uint8_t RelayBank, std::uint8_t& RelayMSB,
                                                  std::uint8_t& RelayLSB)
{
    Begin(0x84, 1);
    Send[4] = RelayBank;
    const TExchangeResult r = Exchange();
    RelayMSB = r == 0 ? Receive[4] : 0;
    RelayLSB = r == 0 ? Receive[5] : 0;
    return r;
}

TExchangeResult TKelvanHidTool::HB100HwCheck()
{
    Begin(0xC2, 0);
    return Exchange();
}

TExchangeResult TKelvanHidTool::AddOnCheck(std::uint8_t& AddOnBoard)
{
    Begin(0xC3, 0);
    const TExchangeResult r = Exchange();
    AddOnBoard = r == 0 ? Receive[4] : 0;
    return r;
}

TExchangeResult TKelvanHidTool::SetDataTime(std::uint16_t Year, std::uint8_t Month,
                                            std::uint8_t Day, std::uint8_t Hour, std::uint8_t Min,
                                            std::uint8_t Sec)
{
    Begin(0xCF, 13);
    Put16(4, Year);
    const std::uint8_t rest[11] = {Month, Day, Hour, Min, Sec, 1, 8, 1, 10, 0, 4};
    std::copy(std::begin(rest), std::end(rest), Send.begin() + 6);
    return Exchange();
}

TExchangeResult TKelvanHidTool::SetHaltCharge(bool Enabled)
{
    Begin(0xD1, 1);
    Send[4] = Enabled ? 1 : 0;
    return Exchange();
}
