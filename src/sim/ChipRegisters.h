#pragma once
// Register addresses and bits of the simulated MFS380A.

#include <array>
#include <cstdint>

namespace sim::reg {

constexpr std::uint8_t Version = 0x00;
constexpr std::uint8_t TmSelect = 0x0A;    // test mode: bank and operation select
constexpr std::uint8_t TmReadPort = 0x0B;  // test mode: OTP read port
constexpr std::uint8_t TmMargin = 0x0E;    // test mode: margin set-up
constexpr std::uint8_t TmStatus = 0x0F;    // test mode: reads 0xA5 while active
constexpr std::uint8_t TmBurnData = 0x2B;  // test mode: burn data
constexpr std::uint8_t TmMarginCmd = 0xE1; // test mode: margin command
constexpr std::uint8_t SysFlags = 0x10;
constexpr std::uint8_t Events = 0x11;
constexpr std::uint8_t ProxTouch = 0x12;
constexpr std::uint8_t SarFlags = 0x13;
constexpr std::uint8_t HystValue = 0x14;
constexpr std::uint8_t HallFlags = 0x16;
constexpr std::uint8_t HallValue = 0x17;
constexpr std::uint8_t TempFlags = 0x19;
constexpr std::uint8_t TempValue = 0x1A;
constexpr std::uint8_t Counts = 0x20;
constexpr std::uint8_t Lta = 0x30;
constexpr std::uint8_t PxsChannel = 0x40;  // + channel: mode, RX/TX
constexpr std::uint8_t PxsCharge = 0x43;   // + channel: divider, ATI mode
constexpr std::uint8_t PxsAti = 0x46;      // + channel: ATI base and target
constexpr std::uint8_t PxsTiming = 0x49;   // + channel
constexpr std::uint8_t PxsGlobal = 0x50;   // SAR/hysteresis enable, filters
constexpr std::uint8_t PxsEngineering = 0x51;
constexpr std::uint8_t PxsComp = 0x52;     // + channel: compensation bits 7:0
constexpr std::uint8_t PxsMult = 0x55;     // + channel: comp 9:8, coarse, fine
constexpr std::uint8_t PxsUi = 0x60;       // prox/touch thresholds, halt time
constexpr std::uint8_t SarUi = 0x70;
constexpr std::uint8_t HystUi = 0x80;
constexpr std::uint8_t HallSensor = 0x90;
constexpr std::uint8_t HallUi = 0xA0;
constexpr std::uint8_t TempUi = 0xC0;
constexpr std::uint8_t SystemSettings = 0xD0;
constexpr std::uint8_t ActiveChannels = 0xD1;
constexpr std::uint8_t PmuSettings = 0xD2;
constexpr std::uint8_t ReportRateNp = 0xD3;
constexpr std::uint8_t ReportRateLp = 0xD4;
constexpr std::uint8_t ReportRateUlp = 0xD5;
constexpr std::uint8_t AutoModeTimer = 0xD6;
constexpr std::uint8_t EventMask = 0xD7;
constexpr std::uint8_t ReseedEnable = 0xDB;
constexpr std::uint8_t IndirectAddress = 0xF0;
constexpr std::uint8_t IndirectData = 0xF1;
constexpr std::uint8_t QuickRelease = 0xF2;

// SYSTEM_SETTINGS (0xD0) command bits; they read back as 0.
constexpr std::uint8_t CmdReseed = 0x01;
constexpr std::uint8_t CmdRedoAti = 0x02;
constexpr std::uint8_t CmdAckReset = 0x40;
constexpr std::uint8_t CmdSoftReset = 0x80;
constexpr std::uint8_t EventModeBit = 0x20;
constexpr std::uint8_t CommsInAtiBit = 0x08;
constexpr std::uint8_t SmallAtiBandBit = 0x04;

// System flags (0x10).
constexpr std::uint8_t FlagReset = 0x80;
constexpr std::uint8_t FlagAtiBusy = 0x04;
constexpr std::uint8_t FlagGlobalEvent = 0x02;
constexpr std::uint8_t FlagNpSegment = 0x01;

// Event flags (0x11), same order as GLOBAL_EVENT_MASK.
constexpr std::uint8_t EvProx = 0x01;
constexpr std::uint8_t EvSar = 0x02;
constexpr std::uint8_t EvHall = 0x04;
constexpr std::uint8_t EvHyst = 0x08;
constexpr std::uint8_t EvTemp = 0x10;
constexpr std::uint8_t EvSystem = 0x20;
constexpr std::uint8_t EvPmu = 0x40;
constexpr std::uint8_t EvSarActive = 0x80;

}  // namespace sim::reg

namespace sim {
// The chip's 256-byte register space.
using RegisterFile = std::array<std::uint8_t, 256>;
}  // namespace sim
