#pragma once
// The HID access interface: everything the configuration-tool components need
// of USB HID, and nothing more. Backends: hidapi + udev (platform/), the
// simulated tools (sim/) and the scripted devices of the unit tests.
//
// Reports are passed exactly as they travel on the wire, report-ID byte
// first; report lengths include that byte (a full-speed tool has 65).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hid {

struct Attributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string productString;  // may be empty
    std::string serialNumber;   // may be empty
};

struct Capabilities {
    std::uint16_t inputReportLength = 0;   // report-ID byte included
    std::uint16_t outputReportLength = 0;  // report-ID byte included
};

enum class ReadStatus { Ok, Timeout, Failed };

// One open handle of a device. Every open handle of a device has its own
// input queue and receives its own copy of every input report. A handle is
// used by one thread at a time.
class Handle {
public:
    virtual ~Handle() = default;
    // Discards the input reports queued on this handle.
    virtual bool flush() = 0;
    // One blocking write of one output report (report-ID byte first).
    virtual bool write(const std::uint8_t* report, std::size_t length) = 0;
    // Reads one input report (report-ID byte first) into buf. Waits at most
    // timeoutMs milliseconds (0: only what is queued). On Ok, length is the
    // number of bytes stored.
    virtual ReadStatus read(std::uint8_t* buf, std::size_t capacity, std::size_t& length,
                            int timeoutMs) = 0;
};

// One plugged device. The backend hands out the same object for as long as the
// device stays plugged, so identity (the pointer) tells known devices from new ones.
class Device {
public:
    virtual ~Device() = default;
    virtual bool attributes(Attributes& out) = 0;
    virtual bool capabilities(Capabilities& out) = 0;
    // Opens a new handle with its own input queue; nullptr on failure
    // (also after the device was unplugged).
    virtual std::unique_ptr<Handle> open() = 0;
    // Stable text naming the device on this machine (a device path).
    virtual std::string path() const = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    // The devices present now, in a stable order.
    virtual std::vector<std::shared_ptr<Device>> enumerate() = 0;
    // Installs the function called, from any thread, whenever the set of
    // devices may have changed (plug, unplug). Pass an empty function to remove.
    virtual void setChangeNotifier(std::function<void()> notify) = 0;
};

}  // namespace hid
