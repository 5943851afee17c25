#pragma once
// The program's HID backend: hidapi's hidraw backend for devices and reports,
// libudev's monitor for hot-plug. Reports are presented report-ID byte first
// (a 0 is put in front of unnumbered reports, which hidraw delivers without
// one); report lengths come from the report descriptor in sysfs, or 65/65.
// Every open handle is its own hidraw file, so every handle gets its own copy
// of every input report.
//
// Devices are keyed on their node and on the kernel's device behind it (and
// their ids and strings): a tool plugged back under the same node before a
// rescan, or another device taking a freed node, is a new device object, and
// the old object opens nothing any more. A udev remove drops a node's device
// at once.

#include "HidAccess.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

class UdevMonitor;

class HidapiBackend final : public hid::Backend {
public:
    // One HID device as the system lists it.
    struct DeviceInfo {
        std::string path;      // /dev/hidrawN
        std::string identity;  // the kernel's name of the device behind the node
        hid::Attributes attributes;
    };
    // Lists the HID devices present (hidapi and sysfs in the program; a
    // script in the tests). Hot-plug events come from deviceEvent.
    using Lister = std::function<std::vector<DeviceInfo>()>;

    HidapiBackend();
    // A backend on another device source, without udev (tests).
    explicit HidapiBackend(Lister lister);
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<std::shared_ptr<hid::Device>> enumerate() override;
    void setChangeNotifier(std::function<void()> notify) override;

    // False when hidapi could not be initialised (enumerate then lists nothing).
    bool initialised() const { return initialised_; }
    // Whether hot-plug notifications are available.
    bool watchingHotPlug() const;

    // A hot-plug event: action "add" or "remove" of a device node.
    void deviceEvent(const std::string& action, const std::string& devnode);

private:
    void notifyChange();

    Lister lister_;
    bool initialised_ = false;
    bool ownsHidapi_ = false;  // holds one hid_init
    std::mutex devicesMutex_;
    std::map<std::string, std::shared_ptr<hid::Device>> devices_;  // by path
    std::mutex notifyMutex_;
    std::function<void()> notify_;
    std::unique_ptr<UdevMonitor> monitor_;
};
