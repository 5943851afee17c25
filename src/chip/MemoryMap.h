#pragma once
// The MFS380A register space as this program uses it: one byte per 8-bit
// address; 16-bit values are little-endian (low byte at the lower address).

#include <cstdint>
#include <string_view>

namespace reg {
// Version: product, software and hardware number; a 2-byte read probes presence.
inline constexpr std::uint8_t Version = 0x00;
inline constexpr std::uint8_t VersionBytes = 3;

// Test-mode registers, used only by the OTP address procedure.
inline constexpr std::uint8_t TestMode0A = 0x0A;
inline constexpr std::uint8_t TestMode0B = 0x0B;
inline constexpr std::uint8_t TestMode0E = 0x0E;
inline constexpr std::uint8_t TestModeCheck = 0x0F; // reads TestModeActive in test mode
inline constexpr std::uint8_t TestModeActive = 0xA5;
inline constexpr std::uint8_t TestMode2B = 0x2B;
inline constexpr std::uint8_t TestModeE1 = 0xE1;

// Streamed data.
inline constexpr std::uint8_t SysFlags = 0x10; // bit 2: ATI busy
inline constexpr std::uint8_t EventFlags = 0x11;
inline constexpr std::uint8_t ProxTouchFlags = 0x12;
inline constexpr std::uint8_t SarUiFlags = 0x13;
inline constexpr std::uint8_t HysteresisOutput = 0x14; // 16 bit
inline constexpr std::uint8_t HallFlags = 0x16;
inline constexpr std::uint8_t HallOutput = 0x17; // 16 bit
inline constexpr std::uint8_t TempFlags = 0x19;
inline constexpr std::uint8_t TempValue = 0x1A;      // 16 bit
inline constexpr std::uint8_t StatusBlockBytes = 12; // 0x10 to 0x1B, always streamed
inline constexpr std::uint8_t Counts = 0x20;         // CHn at 0x20 + 2n, n = 0..5
inline constexpr std::uint8_t CountsBytes = 12;
inline constexpr std::uint8_t Lta = 0x30; // CHn at 0x30 + 2n, n = 0..2
inline constexpr std::uint8_t LtaBytes = 6;

// Settings.
inline constexpr std::uint8_t PxsSettings0 = 0x40;         // 12 registers
inline constexpr std::uint8_t PxsSettings1 = 0x50;         // 8 registers
inline constexpr std::uint8_t PxsUiSettings = 0x60;        // 7 registers
inline constexpr std::uint8_t SarUiSettings = 0x70;        // 6 registers
inline constexpr std::uint8_t HysteresisUiSettings = 0x80; // 4 registers
inline constexpr std::uint8_t HallSensorSettings = 0x90;   // 4 registers
inline constexpr std::uint8_t HallUiSettings = 0xA0;       // 3 registers
inline constexpr std::uint8_t TempUiSettings = 0xC0;       // 5 registers
inline constexpr std::uint8_t SystemSettings = 0xD0;
inline constexpr std::uint8_t ActiveChs = 0xD1;
inline constexpr std::uint8_t PmuSettings = 0xD2;
inline constexpr std::uint8_t ReportRatesTimings = 0xD3; // 4 registers
inline constexpr std::uint8_t GlobalEventMask = 0xD7;
inline constexpr std::uint8_t PwmDutyCycle = 0xD8;
inline constexpr std::uint8_t RdyTimeoutPeriod = 0xD9;
inline constexpr std::uint8_t I2CSettings = 0xDA;
inline constexpr std::uint8_t ChReseedEnable = 0xDB;

// Indirect access and the quick-release value.
inline constexpr std::uint8_t IndirectAddress = 0xF0;
inline constexpr std::uint8_t IndirectData = 0xF1;
inline constexpr std::uint8_t QuickRelease = 0xF2; // 16 bit, always streamed

// One-shot command bits of SYSTEM_SETTINGS (0xD0) and HALL_UI_SETTINGS_0 (0xA0).
// They are merged into the byte sent, never kept in a settings block.
inline constexpr std::uint8_t CmdReseed = 0x01;
inline constexpr std::uint8_t CmdRedoAti = 0x02;
inline constexpr std::uint8_t CmdAckReset = 0x40;
inline constexpr std::uint8_t CmdSoftReset = 0x80;
inline constexpr std::uint8_t CmdHallForceCal = 0x80;
} // namespace reg

// Name of a settings register as the header export writes it, with the number
// of tabs that follows the name there.
struct TRegisterInfo {
    std::uint8_t Address;
    std::string_view Name; // "PXS_SETTINGS0_0"
    int HeaderTabs;
};

// The entry of a settings register 0x40..0x4B, 0x50..0x57, 0x60..0x66,
// 0x70..0x75, 0x80..0x83, 0x90..0x93, 0xA0..0xA2, 0xC0..0xC4, 0xD0..0xDB;
// nullptr for any other address.
const TRegisterInfo* registerInfo(std::uint8_t address);
