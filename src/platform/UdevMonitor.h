#pragma once
// Watches libudev's monitor for hidraw nodes coming and going and calls back
// (on its own thread) for every add or remove, with the action ("add",
// "remove") and the device node ("/dev/hidraw3"). Stops cleanly: its poll
// waits are bounded and a pipe wakes it at once.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class UdevMonitor {
public:
    using Event = std::function<void(const std::string& action, const std::string& devnode)>;
    explicit UdevMonitor(Event onChange);
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // False when udev could not be reached (no hot-plug then).
    bool running() const { return thread_.joinable(); }

private:
    void run();

    Event onChange_;
    std::atomic<bool> stop_{false};
    int wakePipe_[2] = {-1, -1};
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
    std::thread thread_;
};
