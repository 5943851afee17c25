#pragma once
// The generic chip device component: how a chip is wired to the
// configuration tool (supply, level shifter, comms, I2C set-up), the tool
// set-up sequence, power on and off, and the streaming events forwarded from
// the tool to the owner. The tool must outlive the component.

#include "KvnTypes.h"
#include "ToolTypes.h"

#include <cstdint>

class TKelvanHidTool;

class TKVN551Class {
public:
    TKVN551Class() = default;
    virtual ~TKVN551Class();
    TKVN551Class(const TKVN551Class&) = delete;
    TKVN551Class& operator=(const TKVN551Class&) = delete;

    TKelvanHidTool* HIDTool() const { return FKVN551HidTool; }
    // Stores the tool and installs this component as its OnStreaming,
    // OnStreamingError and OnStreamingDataMissed handler.
    void SetHIDTool(TKelvanHidTool* tool);

    // Prepares the tool for the chip: IC type, supply voltage, level shifter,
    // comms and (for I2C) the I2C set-up. Stops at the first failure, keeps
    // it in FRes and returns it. Without a tool: 2.
    virtual TExchangeResult SetupCT();
    // As above; when the adjustable voltage is used, SelectedAdjustableVoltage
    // gets the voltage the tool was asked for (0 when that command failed).
    virtual TExchangeResult SetupCT(double& SelectedAdjustableVoltage);
    TExchangeResult PowerOn();
    TExchangeResult PowerOff();
    TExchangeResult StartStreaming(std::uint8_t NoBytesToStream,
                                   const TKvnByteArray& BytesToStream);
    TExchangeResult StopStreaming();

    TExchangeResult Res() const { return FRes; }

    TStreamingEvent OnStreaming;
    TStreamingErrorEvent OnStreamingError;
    TStreamingDataMissedEvent OnStreamingDataMissed;

protected:
    TExchangeResult RunSetup(double* SelectedAdjustableVoltage);

    TKelvanHidTool* FKVN551HidTool = nullptr;
    TDUTVoltage FDUTVoltage = dv5V;
    double FAdjustableVoltage = 5.0;
    bool FUseAdjust = false;
    TVoltageFollow FLSVoltage = vfVDDHI;
    TCommsSpeed FCommsSpeed = csFast;
    TCommsType FCommsType = ctSPI;
    TI2CType FI2CType = RDY_ActiveHigh;
    TPullUpResistors FPullUpResistors = prConnected;
    TReadyPin FReadyPin = rpPin10;
    TI2CStopCommand FStopCommand = scUseStop;
    TI2CPolling FPolling = ipNoPolling;
    std::uint8_t FI2CAddress = 0x20;
    TExchangeResult FRes = 0;
};
