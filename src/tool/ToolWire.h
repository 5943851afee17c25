#pragma once
// Wire codes of the tool enumerations. A value outside its enumeration
// travels as 0.

#include "ToolTypes.h"

#include <cstdint>

namespace toolwire {

// Position plus one for members 0 .. count-1, else 0.
constexpr std::uint8_t positionPlusOne(unsigned value, unsigned count)
{
    return value < count ? static_cast<std::uint8_t>(value + 1) : 0;
}
// Position for members 0 .. count-1, else 0.
constexpr std::uint8_t position(unsigned value, unsigned count)
{
    return value < count ? static_cast<std::uint8_t>(value) : 0;
}

constexpr std::uint8_t code(TICType v)
{
    switch (v) {
    case itA: return 1;
    case itB: return 3;
    case itC: return 2;
    case itD: return 4;
    case itE: return 5;
    }
    return 0;
}
constexpr std::uint8_t code(TCommsType v) { return positionPlusOne(v, 9); }
constexpr std::uint8_t code(TCommsSpeed v) { return positionPlusOne(v, 3); }
constexpr std::uint8_t code(TVoltageFollow v) { return positionPlusOne(v, 2); }
constexpr std::uint8_t code(TDUTVoltage v) { return positionPlusOne(v, 2); }
constexpr std::uint8_t code(TI2CType v) { return positionPlusOne(v, 4); }
constexpr std::uint8_t code(TPullUpResistors v) { return positionPlusOne(v, 2); }
constexpr std::uint8_t code(TReadyPin v) { return positionPlusOne(v, 3); }
constexpr std::uint8_t code(TI2CStopCommand v) { return positionPlusOne(v, 2); }
constexpr std::uint8_t code(TI2CPolling v) { return positionPlusOne(v, 2); }
constexpr std::uint8_t code(TI2CAddressSize v) { return position(v, 2); }
constexpr std::uint8_t code(TStopBitControl v) { return position(v, 2); }
constexpr std::uint8_t code(TLogicType v) { return position(v, 2); }
constexpr std::uint8_t code(TLedColor v)
{
    switch (v) {
    case lcOff: return 0;
    case lcRed: return 1;
    case lcGreen: return 2;
    case lc110Red: return 2;  // the HB110 swaps red and green
    case lc110Green: return 1;
    case lcAmber: return 3;
    }
    return 0;
}

}  // namespace toolwire
