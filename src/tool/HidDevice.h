#pragma once
// One HID device as the HID layer keeps it: the backend's device object, its
// cached attributes and capabilities, the command handle (opened on first
// use) and, while the device is checked out and a data handler is installed,
// its background reader. The layer hands out the same HidDevice for as long
// as the device stays plugged, so the pointer identifies the device.

#include "HidAccess.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class HidReader;

class HidDevice {
public:
    explicit HidDevice(std::shared_ptr<hid::Device> device);
    ~HidDevice();
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;

    const std::shared_ptr<hid::Device>& backendDevice() const { return device_; }
    std::string path() const;

    // Vendor and product id, product and serial strings. Cached after the
    // first success; false when the backend cannot tell.
    bool attributes(hid::Attributes& out);
    // Input and output report lengths, report-ID byte included. Cached after
    // the first success.
    bool capabilities(hid::Capabilities& out);

    // False once the layer has seen the device go.
    bool isPluggedIn() const { return pluggedIn_; }
    // True between HidLayer::checkOut and HidLayer::checkIn.
    bool isCheckedOut() const { return checkedOut_; }
    bool hasReader() const { return reader_ != nullptr; }

    // The command handle, opened on first use. flushQueue discards the input
    // reports queued on it; false when it cannot be opened or flushed.
    // A handle that fails to open, flush or read is closed (the next use opens
    // a new one) and the layer is asked for a rescan: a failure means the
    // device went, or came back under the same node with a new handle.
    bool flushQueue();
    // One write of one output report (report-ID byte first).
    bool writeReport(const std::uint8_t* report, std::size_t length);
    // One read of one input report (report-ID byte first), waiting at most
    // timeoutMs milliseconds.
    hid::ReadStatus readReport(std::uint8_t* buf, std::size_t capacity, std::size_t& length,
                               int timeoutMs);
    void closeCommandHandle();

private:
    friend class HidLayer;
    bool openCommandHandle();
    void commandHandleFailed();

    std::shared_ptr<hid::Device> device_;
    std::unique_ptr<hid::Handle> command_;
    std::unique_ptr<HidReader> reader_;
    std::function<void()> requestRescan_;  // set by the layer
    hid::Attributes attributes_;
    hid::Capabilities capabilities_;
    bool haveAttributes_ = false;
    bool haveCapabilities_ = false;
    bool pluggedIn_ = true;
    bool checkedOut_ = false;
};
