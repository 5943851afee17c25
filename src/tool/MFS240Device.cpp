#include "MFS240Device.h"

#include <charconv>
#include <cstdio>

void TMFS240Device::SetDUTVoltage(TMFSDUTVoltage value)
{
    F240DUTVoltage = value;
    switch (value) {
    case v3_3V:
        FDUTVoltage = dv3_3V;
        FUseAdjust = false;
        break;
    case v5V:
        FDUTVoltage = dv5V;
        FUseAdjust = false;
        break;
    case vAdjustable:
        FAdjustableVoltage = F240AdjustableVoltage;
        FUseAdjust = true;
        break;
    }
}

void TMFS240Device::SetAdjustableDUTVoltage(double value)
{
    if (value != F240AdjustableVoltage)
        F240AdjustableVoltage = value > kMaxAdjustableVoltage ? kMaxAdjustableVoltage : value;
    FAdjustableVoltage = F240AdjustableVoltage;
}

void TMFS240Device::SetCommsSpeed(TCommsSpeed value)
{
    F240CommsSpeed = value;
    FCommsSpeed = value;
}

void TMFS240Device::SetLSVoltage(TVoltageFollow value)
{
    F240LSVoltage = value;
    FLSVoltage = value;
}

void TMFS240Device::SetCommsType(TMFS240CommsType value)
{
    F240CommsType = value;
    FCommsType = value == c240_I2C ? ctI2C : ctSPI;
}

void TMFS240Device::SetI2CType(TI2CType value)
{
    F240I2CType = value;
    FI2CType = value;
}

void TMFS240Device::SetI2CPullUpResistors(TPullUpResistors value)
{
    F240PullUpResistors = value;
    FPullUpResistors = value;
}

void TMFS240Device::SetI2CReadyPin(TReadyPin value)
{
    F240ReadyPin = value;
    FReadyPin = value;
}

void TMFS240Device::SetI2CStopCommand(TI2CStopCommand value)
{
    F240StopCommand = value;
    FStopCommand = value;
}

void TMFS240Device::SetI2CPolling(TI2CPolling value)
{
    F240Polling = value;
    FPolling = value;
}

std::string TMFS240Device::I2CAddress() const
{
    char text[4];
    std::snprintf(text, sizeof text, "%02X", F240I2CAddress);
    return text;
}

void TMFS240Device::SetI2CAddress(const std::string& text)
{
    // One hexadecimal number, nothing else; too large a number is 0x7F too.
    unsigned long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, value, 16);
    std::uint8_t address = 0;
    if (!text.empty() && end == last && ec == std::errc())
        address = value >= 0x80 ? 0x7F : static_cast<std::uint8_t>(value);
    else if (!text.empty() && end == last && ec == std::errc::result_out_of_range)
        address = 0x7F;
    F240I2CAddress = address;
    FI2CAddress = address;
}

void TMFS240Device::RefreshBaseFields()
{
    SetCommsType(F240CommsType);
    SetDUTVoltage(F240DUTVoltage);
    FAdjustableVoltage = F240AdjustableVoltage;
    SetCommsSpeed(F240CommsSpeed);
    SetLSVoltage(F240LSVoltage);
    SetI2CType(F240I2CType);
    SetI2CPullUpResistors(F240PullUpResistors);
    SetI2CReadyPin(F240ReadyPin);
    SetI2CStopCommand(F240StopCommand);
    SetI2CPolling(F240Polling);
    FI2CAddress = F240I2CAddress;
}

TExchangeResult TMFS240Device::SetupCT()
{
    RefreshBaseFields();
    return TKVN551Class::SetupCT();
}

TExchangeResult TMFS240Device::SetupCT(double& SelectedAdjustableVoltage)
{
    RefreshBaseFields();
    return TKVN551Class::SetupCT(SelectedAdjustableVoltage);
}

TExchangeResult TMFS240Device::StartStreaming()
{
    TKvnByteArray bytes{};
    bytes[0] = 1;
    for (int i = 1; i <= 28; ++i)
        bytes[static_cast<std::size_t>(i)] = 0xFE;
    bytes[29] = 0xFF;
    bytes[30] = 0x00;
    bytes[31] = 0xFE;
    return TKVN551Class::StartStreaming(32, bytes);
}
