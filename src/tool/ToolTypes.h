#pragma once
// Enumerations of the configuration tool's parameters, the chip component's
// own enumerations, and the event types of the tool components.
//
// Members keep their short type prefix and are unscoped, so callers write
// ctI2C, csMedium, dv5V. Most travel to the tool as their position plus one;
// ToolWire.h holds the wire codes and the exceptions.

#include "KvnTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum TICType : std::uint8_t { itA, itB, itC, itD, itE };
enum TCommsType : std::uint8_t {
    ctA,
    ctB,
    ctSPI,
    ctI2C,
    ctC,
    ctUART_1WIRE,
    ctD,
    ct1WIRE_Bus,
    ctI2CPolling
};
enum TCommsSpeed : std::uint8_t { csFast, csMedium, csSlow };
enum TVoltageFollow : std::uint8_t { vfVDD, vfVDDHI };
enum TDUTVoltage : std::uint8_t { dv3_3V, dv5V };
enum TI2CType : std::uint8_t { noRDY, RDY_ActiveHigh, RDY_ActiveLow, SDA_Sync };
enum TPullUpResistors : std::uint8_t { prNotConnected, prConnected };
enum TReadyPin : std::uint8_t { rpPin6, rpPin8, rpPin10 };
enum TI2CStopCommand : std::uint8_t { scNoStop, scUseStop };
enum TI2CPolling : std::uint8_t { ipNoPolling, ipPollingByAddress };
enum TI2CAddressSize : std::uint8_t { as8Bit, as16Bit };
enum TStopBitControl : std::uint8_t { sbOff, sbRestore };
enum TLogicType : std::uint8_t { ltNegative, ltPositive };
enum TLedColor : std::uint8_t { lcOff, lcRed, lcGreen, lc110Red, lc110Green, lcAmber };

// The chip component's own terms.
enum TMFSDUTVoltage : std::uint8_t { v3_3V, v5V, vAdjustable };
enum TMFS240CommsType : std::uint8_t { c240_SPI, c240_I2C };

class TKelvanDevList;

// A streamed frame (or, in raw mode and for event reports, one report without
// its report-ID byte). Data is valid only during the call.
using TStreamingEvent =
    std::function<void(std::uint16_t Size, std::uint8_t HIDToolID, const std::uint8_t* Data)>;
using TStreamingErrorEvent = std::function<void(std::uint16_t StreamingErrorCode)>;
using TStreamingDataMissedEvent = std::function<void(std::uint8_t HidToolID)>;
// The command report exactly as written (message id included).
using TSendCommandsEvent = std::function<void(const TKvnByteArray& Command)>;
// After every rescan of an activated device list.
using TCTChangeEvent = std::function<void(TKelvanDevList* Sender, bool Arrived)>;
// After a rescan that leaves two or more tools: the tools' display names.
using TMultipleCTsEvent =
    std::function<void(TKelvanDevList* Sender, const std::vector<std::string>& Devices)>;
