#pragma once
// The tool command component: every command to a configuration tool, the
// report exchange underneath them, and the streaming start and stop.
//
// Bound to one TKelvanDevList (SetKelvanDevList), from whose tool table it
// takes the tool to talk to. Every operation returns its 16-bit exchange
// result (0 = success; ToolErrorText gives the words); output parameters are
// valid only for result 0 unless a method says otherwise. Main thread only;
// not re-entrant (Send and Receive are shared by all command methods).
//
// Array parameters are passed by const reference: the caller's array never
// changes unless the parameter is an output.

#include "Clock.h"
#include "KvnTypes.h"
#include "ToolTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class HidDevice;
class TKelvanDevList;

class TKelvanHidTool {
public:
    static constexpr int kDefaultReadTimeoutMs = 1000;
    static constexpr int kReplySearchLimit = 90;

    explicit TKelvanHidTool(Clock& clock = systemClock());
    ~TKelvanHidTool();
    TKelvanHidTool(const TKelvanHidTool&) = delete;
    TKelvanHidTool& operator=(const TKelvanHidTool&) = delete;

    // ---- Exchange and tool selection -------------------------------------

    // Writes one command report to the current tool and finds its reply.
    // Send is not changed; Receive gets the reply report (report-ID byte
    // first). Results of its own: 1 flush failed, 2 no tool, 3 no reply
    // (within the reply search or the read bound), 12 read failed.
    TExchangeResult SendReceive(const TKvnByteArray& Send, TKvnByteArray& Receive);

    bool SetCurrentDevice(std::int32_t DeviceIndex);
    bool SetCurrentSerial(const std::string& SerialNumber);
    bool ReselectDevice();

    std::shared_ptr<HidDevice> CurrentDevice() const;
    std::int32_t CurrentDeviceIndex() const { return FCurrentDeviceIndex; }
    bool DeviceSelected() const { return FDeviceSelected; }
    bool MatchMsgIDs() const { return FMatchMsgIDs; }
    void SetMatchMsgIDs(bool value) { FMatchMsgIDs = value; }
    std::int32_t LastDevID() const { return FLastDevID; }
    bool IsPowerOn() const { return FIsPowerOn; }
    bool EventModeOn() const { return FEventMode; }
    std::uint8_t MessageID() const { return FMessageID; }
    const std::string& Version() const { return FVersion; }
    std::uint16_t VendorID() const;
    std::uint16_t ProductID() const;
    std::string SerialNumber() const;
    std::string SelectedSerialNumber() const { return SerialNumber(); }
    void SetSelectedSerialNumber(const std::string& serial) { FSelectedSerial = serial; }
    bool Connected() const;
    bool IsStreaming() const;
    bool RawStream() const;
    void SetRawStream(bool value);

    // How long one read of a reply may wait, in milliseconds; a reply that
    // does not arrive within it ends the exchange with 3.
    int ReadTimeout() const { return FReadTimeoutMs; }
    void SetReadTimeout(int ms) { FReadTimeoutMs = ms > 0 ? ms : 1; }

    TKelvanDevList* KelvanDevList() const { return FDevList; }
    // Binds the list and installs this tool as its OnStreaming,
    // OnStreamingError and OnStreamingDataMissed handler.
    void SetKelvanDevList(TKelvanDevList* list);
    bool AssignDevListEvent();

    // ---- Commands this system sends --------------------------------------

    TExchangeResult SetICType(TICType ICType);
    TExchangeResult SetICType(std::uint16_t ICType);
    TExchangeResult PowerOnDUT();
    TExchangeResult PowerOffDUT();
    TExchangeResult PowerOnPSU();
    TExchangeResult PowerOffPSU();
    TExchangeResult EnterTM(std::uint8_t StartupPulseTimeMSB, std::uint8_t StartupPulseTimeLSB,
                            std::uint8_t PulseWidthMSB, std::uint8_t PulseWidthLSB,
                            std::uint8_t StartState, std::uint8_t PulseCount,
                            std::uint8_t MCLR_LowTime, std::uint8_t RDY_WaitTime);
    TExchangeResult EnterTM(std::uint8_t Address, std::uint8_t Data);
    TExchangeResult SetupComms(TCommsType CommsType, TCommsSpeed CommsSpeed);
    TExchangeResult Comms_I2C_Custom_Speed(std::uint16_t Speed);
    TExchangeResult SetLSVoltage(TVoltageFollow VoltageFollow);
    TExchangeResult SetDUTVoltage(TDUTVoltage DUTVoltage);
    TExchangeResult SetDUTVoltage(double DUTVoltage);
    // Reports in SelectedVoltage the voltage the tool is asked for (0 on failure).
    TExchangeResult SetDUTVoltage(double& SelectedVoltage, double DUTVoltage);
    TExchangeResult SetPSUVoltage(double DUTVoltage);
    TExchangeResult SetCTID(std::uint8_t CTID);
    TExchangeResult GetCTFWVersion(std::uint32_t& CTFWVersion);
    TExchangeResult GetCTFWVersion(std::uint32_t& CTFWVersion, std::uint8_t& Build);
    TExchangeResult GetCTFWVersion(std::uint32_t& CTFWVersion, std::uint8_t& Build,
                                   std::uint8_t& Release);
    TExchangeResult CommsRead(std::uint8_t Size, TKvnByteArray& ReturnData);
    TExchangeResult CommsWrite(std::uint8_t Size, TKvnByteArray& Data);
    TExchangeResult CommsWrite(std::uint16_t Size, TKvnByteArray& Data);
    TExchangeResult FuseBurnConnect(std::uint8_t A, std::uint8_t B, std::uint8_t C,
                                    std::uint8_t D);
    TExchangeResult ConfigI2C(TI2CType I2CType, TPullUpResistors PullUpResistors,
                              std::uint8_t I2CDeviceAddress, TReadyPin ReadyPin,
                              TI2CStopCommand I2CStopCommand, TI2CPolling I2CPolling);
    TExchangeResult ConfigI2C(TI2CType I2CType, TPullUpResistors PullUpResistors,
                              std::uint8_t I2CDeviceAddress, TReadyPin ReadyPin,
                              TI2CStopCommand I2CStopCommand, TI2CPolling I2CPolling,
                              TI2CAddressSize I2CAddressSize);
    TExchangeResult IORead(std::uint8_t IO, std::uint8_t& State);
    TExchangeResult IOWrite(std::uint8_t IO, std::uint8_t State);
    TExchangeResult I2CRead(std::uint16_t Address, std::uint8_t SizeToRead,
                            TKvnByteArray& ReturnData);
    TExchangeResult I2CRead(std::uint8_t Address, std::uint8_t SizeToRead,
                            TKvnByteArray& ReturnData);
    TExchangeResult I2CRead(std::uint8_t AddressSize, const TKvnByteArray& Address,
                            std::uint8_t SizeToRead, TKvnByteArray& ReturnData);
    TExchangeResult StopBitControl(TStopBitControl Control);
    TExchangeResult EventMode(bool Enabled);
    TExchangeResult EventMode(bool Enabled, std::uint16_t WaitTime);
    TExchangeResult EventMode(std::uint8_t P1, std::uint16_t P2, std::uint16_t P3,
                              std::uint16_t P4, std::uint8_t P5);
    TExchangeResult EventMode(std::uint8_t P1, std::uint16_t P2, std::uint16_t P3,
                              std::uint16_t P4);
    TExchangeResult WaitForRdy(bool Enabled);
    TExchangeResult SetLED(TLedColor LedColor);
    TExchangeResult SoftReset();
    TExchangeResult EnterDFU();
    // Blinks the current tool's LED red, green, red, green, red, green,
    // 100 ms apart; returns the first failure.
    TExchangeResult ShowSelectedDevice();

    // ---- Further commands of the tool ------------------------------------

    TExchangeResult LogicType(TLogicType NewType);
    TExchangeResult GetStart(bool& Start);
    TExchangeResult SendBins(std::uint8_t Bin1, std::uint8_t Bin2, std::uint8_t Bin3,
                             std::uint8_t Bin4);
    TExchangeResult GetTesterFWVersion(std::uint32_t& CTFWVersion, std::uint8_t& Build,
                                       std::uint8_t& AlphaBeta, std::uint16_t& ProductNumber,
                                       std::uint16_t& TesterNumber);
    TExchangeResult IsTesterInit(bool& Init);
    TExchangeResult Config1WireBus(const std::array<std::uint8_t, 12>& Settings);
    TExchangeResult DetectRFModule(bool& Detected);
    TExchangeResult WriteLongBuffer(std::uint8_t AddrSize, std::uint16_t Address,
                                    std::uint16_t WriteSize, const TKvnByteArray& BytesToWrite);
    TExchangeResult ReadLongBuffer(std::uint8_t Address, std::uint16_t ReadLength);
    TExchangeResult ReadLongBuffer(std::uint16_t Address, std::uint16_t ReadLength);
    TExchangeResult TesterStamp(std::uint16_t Year, std::uint8_t Month, std::uint8_t Day,
                                std::uint8_t Hour, std::uint8_t Minute, std::uint8_t Second);
    TExchangeResult InitTester(std::uint32_t Version, std::uint8_t Build, std::uint8_t AlphaBeta,
                               std::uint16_t ProductNumber);
    TExchangeResult DeInitTester();
    TExchangeResult PassReply(bool Retest);
    TExchangeResult GetChecksums(std::uint16_t& ProgramChecksum, std::uint16_t& EepromChecksum);
    TExchangeResult LoadBuffer(std::uint16_t Address, std::uint8_t DataLength,
                               const TKvnByteArray& Data);
    TExchangeResult SwimProgram(std::uint16_t Address);
    TExchangeResult SwimEnterTM();
    TExchangeResult WOTF(std::uint8_t DataLength, std::uint32_t Address,
                         const TKvnByteArray& Data);
    TExchangeResult ROTF(std::uint8_t DataLength, std::uint32_t Address, TKvnByteArray& Data);
    TExchangeResult SwimEntry();
    TExchangeResult SwimExit(std::uint16_t& ProgramChecksum, std::uint16_t& EepromChecksum);
    TExchangeResult ConnectDevice(std::uint8_t& Device);
    TExchangeResult Swim_GetCRC(std::uint16_t& CRC);
    TExchangeResult SelectDUT(std::uint8_t DUTNumber);
    TExchangeResult SetRelaySelection(std::uint8_t RelayMSB, std::uint8_t RelayLSB);
    TExchangeResult SetSelectedRelays(std::uint8_t RelayBank, std::uint8_t RelayMSB,
                                      std::uint8_t RelayLSB);
    TExchangeResult GetSelectedRelays(std::uint8_t RelayBank, std::uint8_t& RelayMSB,
                                      std::uint8_t& RelayLSB);
    TExchangeResult HB100HwCheck();
    TExchangeResult AddOnCheck(std::uint8_t& AddOnBoard);
    TExchangeResult SetDataTime(std::uint16_t Year, std::uint8_t Month, std::uint8_t Day,
                                std::uint8_t Hour, std::uint8_t Min, std::uint8_t Sec);
    TExchangeResult SetHaltCharge(bool Enabled);

    // ---- Streaming --------------------------------------------------------

    TExchangeResult SetLongStreamingLength(std::uint16_t Size);
    // A SetupSize below 4 sends nothing and returns 254.
    TExchangeResult SetLongStreamingLength(std::uint16_t Size, std::uint16_t SetupSize);
    TExchangeResult StartLongStreaming(const TKvnByteArray& BytesToStream);
    TExchangeResult StartStreaming(std::uint8_t NoBytesToStream, const TKvnByteArray& BytesToStream);
    TExchangeResult StopStreaming();
    TExchangeResult InStreamingWrite(std::uint8_t DataLeng, std::uint8_t ChanNum,
                                     std::uint8_t ChanIndex, std::uint8_t Address,
                                     const TKvnByteArray& Data);

    // The 12-bit DAC code of a supply voltage: V / 6.6 * 4096, halves to
    // even, kept within 0 to 4095.
    static std::uint16_t DacCode(double volts);

    // The component's own command and reply buffers.
    TKvnByteArray Send{};
    TKvnByteArray Receive{};

    TSendCommandsEvent OnSendCommands;
    TStreamingEvent OnStreaming;
    TStreamingErrorEvent OnStreamingError;
    TStreamingDataMissedEvent OnStreamingDataMissed;

private:
    // Clears bytes 0 to 79 of Send and Receive and sets code and count.
    void Begin(std::uint8_t code, std::uint8_t count);
    void Put16(int pos, std::uint16_t value);
    TExchangeResult Exchange() { return SendReceive(Send, Receive); }
    TExchangeResult SendVoltage(double volts, std::uint8_t lowNibble);
    template <typename SizeT>
    TExchangeResult CommsWriteChunks(SizeT Size, TKvnByteArray& Data);
    void RemoveDevListEvents();
    TExchangeResult SendTemplate(std::uint8_t code, std::uint32_t length,
                                 const TKvnByteArray& bytes, bool countdown, int& lastPiece);
    // The table entry the next exchange goes to (-1: empty table).
    std::int32_t EffectiveIndex() const;
    // Whether the tool the next exchange goes to holds a streaming slot.
    bool CurrentHoldsSlot() const;

    Clock& FClock;
    std::string FVersion = "2.1.2.265";
    TKelvanDevList* FDevList = nullptr;
    std::int32_t FCurrentDeviceIndex = 0;
    std::weak_ptr<HidDevice> FSelectedObject;
    bool FDeviceSelected = false;
    std::string FSelectedSerial;
    bool FMatchMsgIDs = true;
    std::uint8_t FMessageID = 1;
    std::int32_t FLastDevID = 0;
    bool FIsPowerOn = false;
    bool FEventMode = false;
    int FReadTimeoutMs = kDefaultReadTimeoutMs;
    TKvnByteArray FSendCopy{};     // the report as written
    TKvnByteArray FWriteResult{};  // bytes returned by a multi-chunk CommsWrite
};
