#include "KVN551Class.h"

#include "KelvanHidTool.h"

namespace {
constexpr TExchangeResult kNoTool = 2;  // "USB Hardware not found"
}

TKVN551Class::~TKVN551Class()
{
    if (FKVN551HidTool) {
        FKVN551HidTool->OnStreaming = nullptr;
        FKVN551HidTool->OnStreamingError = nullptr;
        FKVN551HidTool->OnStreamingDataMissed = nullptr;
    }
}

void TKVN551Class::SetHIDTool(TKelvanHidTool* tool)
{
    FKVN551HidTool = tool;
    if (!tool)
        return;
    tool->OnStreaming = [this](std::uint16_t Size, std::uint8_t HIDToolID,
                               const std::uint8_t* Data) {
        if (OnStreaming)
            OnStreaming(Size, HIDToolID, Data);
    };
    tool->OnStreamingError = [this](std::uint16_t Code) {
        if (OnStreamingError)
            OnStreamingError(Code);
    };
    tool->OnStreamingDataMissed = [this](std::uint8_t HidToolID) {
        if (OnStreamingDataMissed)
            OnStreamingDataMissed(HidToolID);
    };
}

TExchangeResult TKVN551Class::RunSetup(double* SelectedAdjustableVoltage)
{
    FRes = 0;
    if (!FKVN551HidTool)
        return FRes = kNoTool;
    TKelvanHidTool& tool = *FKVN551HidTool;

    TExchangeResult r = tool.SetICType(itB);
    if (r == 0) {
        if (FUseAdjust) {
            double selected = 0;
            r = tool.SetDUTVoltage(selected, FAdjustableVoltage);
            if (SelectedAdjustableVoltage)
                *SelectedAdjustableVoltage = selected;
        } else {
            r = tool.SetDUTVoltage(FDUTVoltage);
        }
    }
    if (r == 0)
        r = tool.SetLSVoltage(FLSVoltage);
    if (r == 0)
        r = tool.SetupComms(FCommsType, FCommsSpeed);
    if (r == 0 && FCommsType == ctI2C)
        r = tool.ConfigI2C(FI2CType, FPullUpResistors, FI2CAddress, FReadyPin, FStopCommand,
                           FPolling);
    FRes = r;
    return r;
}

TExchangeResult TKVN551Class::SetupCT()
{
    return RunSetup(nullptr);
}

TExchangeResult TKVN551Class::SetupCT(double& SelectedAdjustableVoltage)
{
    return RunSetup(&SelectedAdjustableVoltage);
}

TExchangeResult TKVN551Class::PowerOn()
{
    if (!FKVN551HidTool)
        return kNoTool;
    TKelvanHidTool& tool = *FKVN551HidTool;
    if (const TExchangeResult r = tool.IOWrite(2, 1))
        return r;
    if (const TExchangeResult r = tool.PowerOnDUT())
        return r;
    return tool.IOWrite(2, 2);
}

TExchangeResult TKVN551Class::PowerOff()
{
    return FKVN551HidTool ? FKVN551HidTool->PowerOffDUT() : kNoTool;
}

TExchangeResult TKVN551Class::StartStreaming(std::uint8_t NoBytesToStream,
                                             const TKvnByteArray& BytesToStream)
{
    return FKVN551HidTool ? FKVN551HidTool->StartStreaming(NoBytesToStream, BytesToStream)
                          : kNoTool;
}

TExchangeResult TKVN551Class::StopStreaming()
{
    return FKVN551HidTool ? FKVN551HidTool->StopStreaming() : kNoTool;
}
