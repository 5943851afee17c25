#pragma once
// The list of plugged configuration tools and the streaming engine's state
// and data handler.
//
// Watches every HID device through its HidLayer, recognises the tools by
// vendor and product id, keeps them open and publishes them in the tool table
// (CTData). After every change of the device set it raises OnDeviceChange
// (while activated). Every input report of every tool reaches DeviceData on
// the user-interface thread, which assembles frames, checks frame counters
// and raises OnStreaming.
//
// Usage: create with a backend and a dispatcher, bind a TKelvanHidTool to it,
// assign OnDeviceChange, call Activate. The first rescan runs when the
// dispatcher runs the layer's first posted pass. The list must outlive the
// tools bound to it.

#include "CTData.h"
#include "HidAccess.h"
#include "HidLayer.h"
#include "StreamingCounter.h"
#include "StreamingDevices.h"
#include "StreamingPacket.h"
#include "ToolTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UiDispatcher;

// One entry of the list of every HID device present.
struct TDevEntry {
    std::string Name;                    // display name
    std::shared_ptr<HidDevice> Object;   // the device
};

class TKelvanDevList {
public:
    TKelvanDevList(hid::Backend& backend, UiDispatcher& dispatcher,
                   HidReaderMode mode = HidReaderMode::Threaded);
    ~TKelvanDevList();
    TKelvanDevList(const TKelvanDevList&) = delete;
    TKelvanDevList& operator=(const TKelvanDevList&) = delete;

    const std::string& Version() const { return FVersion; }

    // Events are raised and input reports handled only while activated.
    void Activate();
    void Deactivate();
    bool Activated() const { return FActivated; }
    // Asks the HID layer for a device-change pass at once.
    void HidDeviceChange();

    bool Connected() const { return FConnected; }
    const TCTData& CTData() const { return FCTData; }
    const std::vector<TDevEntry>& HidDevices() const { return FDevices; }
    bool FreeDevices() const { return FFreeDevices; }
    void SetFreeDevices(bool value) { FFreeDevices = value; }

    // Streaming state.
    bool IsStreaming() const { return FIsStreaming; }
    std::int32_t StreamingNumberOfDevices() const { return FStreamingDevices.NumberOfDevices; }
    const TStreamingDevices& StreamingDevices() const { return FStreamingDevices; }
    const TStreamingCounter& StreamingCounter() const { return FStreamingCounter; }
    bool DoLongStream() const { return FDoLongStream; }
    std::uint16_t LongStreamingLength() const { return FLongStreamingLength; }
    std::int32_t LongStreamingPackets() const { return FLongStreamingPackets; }
    std::uint32_t LongStreamingSetupLength() const { return FLongStreamingSetupLength; }
    std::int32_t LongStreamingSetupPackets() const { return FLongStreamingSetupPackets; }
    bool RawStream() const { return FRawStream; }
    // Frames the counter check found missing since the list was made: each
    // mismatch adds the size of its gap (modulo 256, the counter's range).
    std::uint64_t FramesMissed() const { return FFramesMissed; }
    void SetRawStream(bool value) { FRawStream = value; }

    // The data handler: one input report of HidDev without its report-ID
    // byte. Called by the HID layer on the user-interface thread; public for
    // the benchmark and the tests.
    void DeviceData(HidDevice& HidDev, const std::uint8_t* Data, std::uint16_t Size);

    // Whether a vendor and product id belong to a configuration tool.
    static bool IsConfigurationTool(std::uint16_t vendorId, std::uint16_t productId);
    // The product string, or "Device VID=%.4x PID=%.4x" when it is empty.
    static std::string DisplayName(const hid::Attributes& attributes);

    HidLayer& Layer() { return *FLayer; }
    // Manual reader mode: delivers the reports queued on the readers now.
    std::size_t PollReaders() { return FLayer->pollReaders(); }

    TCTChangeEvent OnDeviceChange;
    TMultipleCTsEvent OnMultipleDevices;
    TStreamingEvent OnStreaming;
    TStreamingErrorEvent OnStreamingError;
    TStreamingDataMissedEvent OnStreamingDataMissed;
    TStreamingEvent OnDeviceData;

private:
    friend class TKelvanHidTool;

    void DeviceChange();  // the rescan
    bool AddDevice(const std::shared_ptr<HidDevice>& device);
    void RemoveFromStreaming(const HidDevice* device);
    void InstallDataHandler();
    bool IsKnownTool(const HidDevice* device) const;
    void StreamingReport(HidDevice& HidDev, const std::uint8_t* Data, std::uint16_t Size,
                         std::uint8_t HIDToolID, int p, bool& deliverDeviceData);

    std::string FVersion = "2.1.2.265";
    std::unique_ptr<HidLayer> FLayer;
    std::vector<TDevEntry> FDevices;
    std::vector<std::string> FRemoveIndex;  // "Remove" or "Stay" per entry during a rescan
    TCTData FCTData;
    bool FConnected = false;
    bool FActivated = false;
    bool FArrivalEvent = false;
    bool FFreeDevices = true;

    // Streaming.
    bool FIsStreaming = false;
    TStreamingDevices FStreamingDevices;
    TStreamingCounter FStreamingCounter;
    bool FJustStopped = false;
    bool FJustFixed = false;
    bool FDoLongStream = false;
    std::uint16_t FLongStreamingLength = 0;
    std::int32_t FLongStreamingPackets = 0;
    std::uint32_t FLongStreamingSetupLength = 0;
    std::int32_t FLongStreamingSetupPackets = 0;
    std::int32_t FTempPacketNum = 0;
    TStreamingPacket FStreamingPacket;
    bool FRawStream = false;
    std::uint64_t FFramesMissed = 0;
};
