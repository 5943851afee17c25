#pragma once
// The program's HID backend: hidapi's hidraw backend for devices and reports,
// libudev's monitor for hot-plug. Reports are presented report-ID byte first
// (a 0 is put in front of unnumbered reports, which hidraw delivers without
// one); report lengths come from the report descriptor in sysfs, or 65/65.
// Every open handle is its own hidraw file, so every handle gets its own copy
// of every input report.

#include "HidAccess.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

class UdevMonitor;

class HidapiBackend final : public hid::Backend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<std::shared_ptr<hid::Device>> enumerate() override;
    void setChangeNotifier(std::function<void()> notify) override;

    // False when hidapi could not be initialised (enumerate then lists nothing).
    bool initialised() const { return initialised_; }
    // Whether hot-plug notifications are available.
    bool watchingHotPlug() const;

private:
    void notifyChange();

    bool initialised_ = false;
    std::mutex devicesMutex_;
    std::map<std::string, std::shared_ptr<hid::Device>> devices_;  // by path
    std::mutex notifyMutex_;
    std::function<void()> notify_;
    std::unique_ptr<UdevMonitor> monitor_;
};
