#pragma once
// The MFS380A's chip device component: the chip's wiring settings in its own
// terms, copied to the generic base fields by every setter and again at the
// start of every set-up.

#include "KVN551Class.h"

#include <string>

class TMFS240Device : public TKVN551Class {
public:
    static constexpr double kMaxAdjustableVoltage = 5.5;

    TMFS240Device() = default;

    const std::string& Version() const { return FVersion; }

    TMFSDUTVoltage DUTVoltage() const { return F240DUTVoltage; }
    void SetDUTVoltage(TMFSDUTVoltage value);
    double AdjustableDUTVoltage() const { return F240AdjustableVoltage; }
    // Values above 5.5 V are stored as 5.5 V; there is no lower limit.
    void SetAdjustableDUTVoltage(double value);
    TCommsSpeed CommsSpeed() const { return F240CommsSpeed; }
    void SetCommsSpeed(TCommsSpeed value);
    TVoltageFollow LSVoltage() const { return F240LSVoltage; }
    void SetLSVoltage(TVoltageFollow value);
    TMFS240CommsType CommsType() const { return F240CommsType; }
    void SetCommsType(TMFS240CommsType value);
    TI2CType I2CType() const { return F240I2CType; }
    void SetI2CType(TI2CType value);
    TPullUpResistors I2CPullUpResistors() const { return F240PullUpResistors; }
    void SetI2CPullUpResistors(TPullUpResistors value);
    TReadyPin I2CReadyPin() const { return F240ReadyPin; }
    void SetI2CReadyPin(TReadyPin value);
    TI2CStopCommand I2CStopCommand() const { return F240StopCommand; }
    void SetI2CStopCommand(TI2CStopCommand value);
    TI2CPolling I2CPolling() const { return F240Polling; }
    void SetI2CPolling(TI2CPolling value);
    // Two upper-case hexadecimal digits.
    std::string I2CAddress() const;
    // Hexadecimal text; 0x80 or more becomes 0x7F, text that is not one
    // hexadecimal number gives 0.
    void SetI2CAddress(const std::string& text);
    std::uint8_t I2CAddressValue() const { return F240I2CAddress; }

    TExchangeResult SetupCT() override;
    TExchangeResult SetupCT(double& SelectedAdjustableVoltage) override;

    using TKVN551Class::StartStreaming;
    // Short streaming of the fixed 32-byte template 1, 28 x 0xFE, 0xFF, 0x00, 0xFE.
    TExchangeResult StartStreaming();

private:
    void RefreshBaseFields();

    std::string FVersion = "2.1.2.265";
    TMFSDUTVoltage F240DUTVoltage = v5V;
    double F240AdjustableVoltage = 5.0;
    TCommsSpeed F240CommsSpeed = csFast;
    TVoltageFollow F240LSVoltage = vfVDDHI;
    TMFS240CommsType F240CommsType = c240_SPI;
    TI2CType F240I2CType = RDY_ActiveHigh;
    TPullUpResistors F240PullUpResistors = prConnected;
    TReadyPin F240ReadyPin = rpPin10;
    TI2CStopCommand F240StopCommand = scUseStop;
    TI2CPolling F240Polling = ipNoPolling;
    std::uint8_t F240I2CAddress = 0x20;
};
