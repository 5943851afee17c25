#pragma once
// The tools that stream: 16 slots, each a tool's HID device (or empty) and the
// tool ID it streams under. Slot operations ignore indices outside 0 to 15;
// reading one gives an empty slot.

#include <array>
#include <cstdint>
#include <memory>

class HidDevice;

class TStreamingDevices {
public:
    static constexpr int kSlots = 16;

    std::int32_t NumberOfDevices = 0;

    std::shared_ptr<HidDevice> Device(int slot) const
    {
        return valid(slot) ? devices_[static_cast<std::size_t>(slot)] : nullptr;
    }
    void SetDevice(int slot, std::shared_ptr<HidDevice> device)
    {
        if (valid(slot))
            devices_[static_cast<std::size_t>(slot)] = std::move(device);
    }
    std::int32_t DeviceID(int slot) const
    {
        return valid(slot) ? ids_[static_cast<std::size_t>(slot)] : 0;
    }
    void SetDeviceID(int slot, std::int32_t id)
    {
        if (valid(slot))
            ids_[static_cast<std::size_t>(slot)] = id;
    }
    // The slot holding device, or -1 (an empty device is never found).
    int SlotOf(const HidDevice* device) const
    {
        if (!device)
            return -1;
        for (int i = 0; i < kSlots; ++i) {
            if (devices_[static_cast<std::size_t>(i)].get() == device)
                return i;
        }
        return -1;
    }
    int FirstEmptySlot() const
    {
        for (int i = 0; i < kSlots; ++i) {
            if (!devices_[static_cast<std::size_t>(i)])
                return i;
        }
        return -1;
    }

private:
    static bool valid(int slot) { return slot >= 0 && slot < kSlots; }
    std::array<std::shared_ptr<HidDevice>, kSlots> devices_{};
    std::array<std::int32_t, kSlots> ids_{};
};
