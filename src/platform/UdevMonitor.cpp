#include "UdevMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <cstring>

UdevMonitor::UdevMonitor(Event onChange) : onChange_(std::move(onChange))
{
    udev_ = udev_new();
    if (!udev_)
        return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0 || pipe(wakePipe_) != 0) {
        return;  // the destructor frees what was made
    }
    thread_ = std::thread([this] { run(); });
}

UdevMonitor::~UdevMonitor()
{
    stop_ = true;
    if (wakePipe_[1] >= 0) {
        const char byte = 0;
        [[maybe_unused]] const auto n = write(wakePipe_[1], &byte, 1);
    }
    if (thread_.joinable())
        thread_.join();
    for (int& fd : wakePipe_) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

void UdevMonitor::run()
{
    const int monitorFd = udev_monitor_get_fd(monitor_);
    while (!stop_) {
        pollfd fds[2] = {{monitorFd, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        const int ready = poll(fds, 2, 500);
        if (stop_)
            break;
        if (ready <= 0 || !(fds[0].revents & POLLIN))
            continue;
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (!device)
            continue;
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        const bool change =
            action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0);
        const std::string actionText = change ? action : "";
        const std::string nodeText = node ? node : "";
        udev_device_unref(device);
        if (change && onChange_)
            onChange_(actionText, nodeText);
    }
}
