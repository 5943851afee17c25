#include "KelvanDevList.h"

#include <cstdio>

TKelvanDevList::TKelvanDevList(hid::Backend& backend, UiDispatcher& dispatcher, HidReaderMode mode)
    : FLayer(std::make_unique<HidLayer>(backend, dispatcher, mode))
{
    FLayer->setDeviceChangeHandler([this] { DeviceChange(); });
    FLayer->setArrivalHook([this](HidDevice&) { FArrivalEvent = true; });
    FLayer->setReaderWaitMs(100);
}

TKelvanDevList::~TKelvanDevList()
{
    FLayer->setDataHandler({});
    FLayer->setDeviceChangeHandler({});
    FLayer->setArrivalHook({});
    if (FFreeDevices) {
        for (const TDevEntry& entry : FDevices) {
            if (entry.Object)
                FLayer->checkIn(*entry.Object);
        }
    }
    FCTData.Clear();
    FDevices.clear();
    FRemoveIndex.clear();
}

void TKelvanDevList::Activate()
{
    FActivated = true;
    InstallDataHandler();
}

void TKelvanDevList::Deactivate()
{
    FActivated = false;
    FLayer->setDataHandler({});
}

void TKelvanDevList::InstallDataHandler()
{
    FLayer->setDataHandler([this](HidDevice& device, const std::uint8_t* data,
                                  std::uint16_t size) { DeviceData(device, data, size); });
}

void TKelvanDevList::HidDeviceChange()
{
    FLayer->deviceChangePass();
}

bool TKelvanDevList::IsConfigurationTool(std::uint16_t vendorId, std::uint16_t productId)
{
    switch (vendorId) {
    case 0x2E5B: {
        const unsigned high = productId >> 8;
        if (high == 0x01 || high == 0x04)
            return true;
        switch (productId) {
        case 0x0201:
        case 0x0301:
        case 0x0302:
        case 0x0303:
        case 0x0304:
        case 0x0306:
        case 0x0307:
        case 0x0308:
            return true;
        default:
            return false;
        }
    }
    case 0x0483:
        return productId == 0x5751;
    case 0x04D8:
        return productId == 0xFE04;
    default:
        return false;
    }
}

std::string TKelvanDevList::DisplayName(const hid::Attributes& attributes)
{
    if (!attributes.productString.empty())
        return attributes.productString;
    char text[40];
    std::snprintf(text, sizeof text, "Device VID=%.4x PID=%.4x", attributes.vendorId,
                  attributes.productId);
    return text;
}

bool TKelvanDevList::AddDevice(const std::shared_ptr<HidDevice>& device)
{
    hid::Attributes attributes;
    if (!device || !device->attributes(attributes))
        return false;
    // Only configuration tools are opened; the system never talks to the rest.
    if (IsConfigurationTool(attributes.vendorId, attributes.productId) &&
        !FLayer->checkOut(*device))
        return false;
    FDevices.push_back({DisplayName(attributes), device});
    FRemoveIndex.emplace_back("Stay");
    return true;
}

void TKelvanDevList::RemoveFromStreaming(const HidDevice* device)
{
    for (int slot = 0; slot < TStreamingDevices::kSlots; ++slot) {
        if (FStreamingDevices.Device(slot).get() != device)
            continue;
        FStreamingDevices.SetDevice(slot, nullptr);
        --FStreamingDevices.NumberOfDevices;
        const int p = FStreamingCounter.IndexOfDevID(FStreamingDevices.DeviceID(slot));
        if (p >= 0) {
            FStreamingCounter.Delete(p);
            FJustStopped = true;
        }
    }
    if (FIsStreaming && FStreamingDevices.NumberOfDevices <= 0)
        FIsStreaming = false;
}

void TKelvanDevList::DeviceChange()
{
    // 1. Every known device is a removal candidate.
    FRemoveIndex.assign(FDevices.size(), "Remove");

    // 2. Mark the devices still present; add the new ones. A device that
    //    cannot be added ends the walk.
    FLayer->enumerate([this](const std::shared_ptr<HidDevice>& device) {
        for (std::size_t i = 0; i < FDevices.size(); ++i) {
            if (FDevices[i].Object == device) {
                FRemoveIndex[i] = "Stay";
                return true;
            }
        }
        return AddDevice(device);
    });

    // 3. Devices gone: leave the streaming state, release.
    for (std::size_t i = 0; i < FDevices.size(); ++i) {
        if (FRemoveIndex[i] != "Remove")
            continue;
        const std::shared_ptr<HidDevice>& device = FDevices[i].Object;
        RemoveFromStreaming(device.get());
        if (device)
            FLayer->checkIn(*device);
    }

    // 4. Drop them.
    std::vector<TDevEntry> kept;
    std::vector<std::string> marks;
    kept.reserve(FDevices.size());
    for (std::size_t i = 0; i < FDevices.size(); ++i) {
        if (FRemoveIndex[i] == "Remove")
            continue;
        kept.push_back(std::move(FDevices[i]));
        marks.push_back(FRemoveIndex[i]);
    }
    FDevices = std::move(kept);
    FRemoveIndex = std::move(marks);

    // 5. Rebuild the tool table.
    FCTData.Clear();
    for (std::size_t i = 0; i < FDevices.size(); ++i) {
        hid::Attributes attributes;
        if (!FDevices[i].Object || !FDevices[i].Object->attributes(attributes))
            continue;
        if (!IsConfigurationTool(attributes.vendorId, attributes.productId))
            continue;
        FCTData.Name.push_back(FDevices[i].Name);
        FCTData.Device.push_back(FDevices[i].Object);
        FCTData.Index.push_back(std::to_string(i));
        FCTData.VendorID.push_back(std::to_string(attributes.vendorId));
        FCTData.ProductID.push_back(std::to_string(attributes.productId));
        FCTData.SerialNumber.push_back(attributes.serialNumber);
        ++FCTData.Count;
    }

    // 6.
    FConnected = FCTData.Count > 0;

    // 7. Events, only while activated.
    if (!FActivated)
        return;
    const bool arrived = FArrivalEvent;
    FArrivalEvent = false;
    if (OnDeviceChange)
        OnDeviceChange(this, arrived);
    if (FCTData.Count >= 2 && OnMultipleDevices)
        OnMultipleDevices(this, FCTData.Name);
}

bool TKelvanDevList::IsKnownTool(const HidDevice* device) const
{
    for (const auto& tool : FCTData.Device) {
        if (tool.get() == device)
            return true;
    }
    return false;
}
