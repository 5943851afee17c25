#include "HidapiBackend.h"

#include "ReportDescriptor.h"
#include "UdevMonitor.h"

#include <hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::uint16_t kDefaultReportLength = 65;
constexpr int kMaxFlushReads = 4096;

std::string toUtf8(const wchar_t* text)
{
    std::string out;
    if (!text)
        return out;
    for (; *text; ++text) {
        auto cp = static_cast<std::uint32_t>(*text);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && text[1] >= 0xDC00 &&
            text[1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<std::uint32_t>(text[1]) - 0xDC00);
            ++text;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// /dev/hidrawN -> the node's report descriptor in sysfs.
ReportLayout readLayout(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string node = slash == std::string::npos ? path : path.substr(slash + 1);
    if (node.rfind("hidraw", 0) != 0)
        return {};
    std::ifstream file("/sys/class/hidraw/" + node + "/device/report_descriptor",
                       std::ios::binary);
    if (!file)
        return {};
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    return parseReportDescriptor(bytes.data(), bytes.size());
}

class HidapiHandle final : public hid::Handle {
public:
    HidapiHandle(hid_device* device, bool numbered) : device_(device), numbered_(numbered) {}
    ~HidapiHandle() override { hid_close(device_); }

    bool flush() override
    {
        std::uint8_t scratch[1024];
        for (int i = 0; i < kMaxFlushReads; ++i) {
            const int n = hid_read_timeout(device_, scratch, sizeof scratch, 0);
            if (n < 0)
                return false;
            if (n == 0)
                return true;
        }
        return true;  // a flood: what is left is newer than the command anyway
    }

    bool write(const std::uint8_t* report, std::size_t length) override
    {
        return hid_write(device_, report, length) >= 0;
    }

    hid::ReadStatus read(std::uint8_t* buf, std::size_t capacity, std::size_t& length,
                         int timeoutMs) override
    {
        length = 0;
        if (capacity < 2)
            return hid::ReadStatus::Failed;
        // Unnumbered reports arrive without their ID byte: read behind a 0.
        std::uint8_t* target = numbered_ ? buf : buf + 1;
        const std::size_t room = numbered_ ? capacity : capacity - 1;
        const int n = hid_read_timeout(device_, target, room, timeoutMs < 0 ? 0 : timeoutMs);
        if (n < 0)
            return hid::ReadStatus::Failed;
        if (n == 0)
            return hid::ReadStatus::Timeout;
        if (!numbered_)
            buf[0] = 0;
        length = static_cast<std::size_t>(n) + (numbered_ ? 0 : 1);
        return hid::ReadStatus::Ok;
    }

private:
    hid_device* device_;
    bool numbered_;
};

class HidapiDevice final : public hid::Device {
public:
    explicit HidapiDevice(const HidapiBackend::DeviceInfo& info)
        : path_(info.path), identity_(info.identity), attributes_(info.attributes)
    {
        const ReportLayout layout = readLayout(path_);
        numbered_ = layout.valid && layout.numbered;
        capabilities_.inputReportLength =
            layout.valid && layout.inputLength > 1 ? layout.inputLength : kDefaultReportLength;
        capabilities_.outputReportLength =
            layout.valid && layout.outputLength > 1 ? layout.outputLength : kDefaultReportLength;
    }

    bool attributes(hid::Attributes& out) override
    {
        out = attributes_;
        return true;
    }
    bool capabilities(hid::Capabilities& out) override
    {
        out = capabilities_;
        return true;
    }
    std::unique_ptr<hid::Handle> open() override
    {
        // A device that went opens nothing, even when another device (or the
        // same tool, plugged back) holds its node now.
        if (gone_)
            return nullptr;
        hid_device* device = hid_open_path(path_.c_str());
        if (!device)
            return nullptr;
        return std::make_unique<HidapiHandle>(device, numbered_);
    }
    std::string path() const override { return path_; }
    // Whether info names this device: same node, same kernel device, same
    // ids and strings.
    bool sameAs(const HidapiBackend::DeviceInfo& info) const
    {
        return !gone_ && info.path == path_ && info.identity == identity_ &&
               info.attributes.vendorId == attributes_.vendorId &&
               info.attributes.productId == attributes_.productId &&
               info.attributes.productString == attributes_.productString &&
               info.attributes.serialNumber == attributes_.serialNumber;
    }
    void markGone() { gone_ = true; }

private:
    std::atomic<bool> gone_{false};
    std::string path_;
    std::string identity_;
    hid::Attributes attributes_;
    hid::Capabilities capabilities_;
    bool numbered_ = false;
};

// The kernel's name of the HID device behind a hidraw node
// ("0003:2E5B:0104.000A"): its last number grows with every device the
// kernel makes, so a tool plugged back under the same node gets a new name.
std::string kernelName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string node = slash == std::string::npos ? path : path.substr(slash + 1);
    if (node.rfind("hidraw", 0) != 0)
        return {};
    char target[512];
    const std::string link = "/sys/class/hidraw/" + node + "/device";
    const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0)
        return {};
    target[n] = '\0';
    const char* name = std::strrchr(target, '/');
    return name ? name + 1 : target;
}

std::vector<HidapiBackend::DeviceInfo> listHidapiDevices()
{
    std::vector<HidapiBackend::DeviceInfo> out;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* info = list; info; info = info->next) {
        if (!info->path)
            continue;
        HidapiBackend::DeviceInfo d;
        d.path = info->path;
        d.identity = kernelName(d.path);
        d.attributes = {info->vendor_id, info->product_id, toUtf8(info->product_string),
                        toUtf8(info->serial_number)};
        out.push_back(std::move(d));
    }
    hid_free_enumeration(list);
    return out;
}

// hid_init and hid_exit for the backends alive.
std::mutex initMutex;
int initCount = 0;

}  // namespace

HidapiBackend::HidapiBackend() : lister_(listHidapiDevices)
{
    {
        std::lock_guard lock(initMutex);
        initialised_ = initCount > 0 || hid_init() == 0;
        if (initialised_)
            ++initCount;
    }
    ownsHidapi_ = initialised_;
    monitor_ = std::make_unique<UdevMonitor>(
        [this](const std::string& action, const std::string& devnode) {
            deviceEvent(action, devnode);
        });
}

HidapiBackend::HidapiBackend(Lister lister) : lister_(std::move(lister)), initialised_(true) {}

HidapiBackend::~HidapiBackend()
{
    monitor_.reset();  // no more notifications
    {
        std::lock_guard lock(devicesMutex_);
        devices_.clear();
    }
    std::lock_guard lock(initMutex);
    if (ownsHidapi_ && --initCount == 0)
        hid_exit();
}

bool HidapiBackend::watchingHotPlug() const
{
    return monitor_ && monitor_->running();
}

std::vector<std::shared_ptr<hid::Device>> HidapiBackend::enumerate()
{
    std::vector<std::shared_ptr<hid::Device>> present;
    if (!initialised_)
        return present;
    const std::vector<DeviceInfo> listed = lister_();
    std::lock_guard lock(devicesMutex_);
    std::map<std::string, std::shared_ptr<hid::Device>> next;
    // One entry per top-level collection: several may share a path. A node
    // is the same device only while the kernel's device behind it and its
    // ids stay the same.
    for (const DeviceInfo& info : listed) {
        if (info.path.empty() || next.count(info.path))
            continue;
        const auto known = devices_.find(info.path);
        if (known != devices_.end() &&
            static_cast<HidapiDevice&>(*known->second).sameAs(info))
            next[info.path] = known->second;
        else
            next[info.path] = std::make_shared<HidapiDevice>(info);
    }
    for (const auto& [path, device] : devices_) {
        const auto kept = next.find(path);
        if (kept == next.end() || kept->second != device)
            static_cast<HidapiDevice&>(*device).markGone();
    }
    devices_ = std::move(next);
    present.reserve(devices_.size());
    for (const auto& [path, device] : devices_)  // ordered by path: stable
        present.push_back(device);
    return present;
}

void HidapiBackend::deviceEvent(const std::string& action, const std::string& devnode)
{
    // A removed node's device is gone for good: whatever holds the node next
    // is a new device, however much alike (an add needs nothing more: the
    // enumeration tells a new kernel device by its name).
    if (action == "remove" && !devnode.empty()) {
        std::lock_guard lock(devicesMutex_);
        if (const auto known = devices_.find(devnode); known != devices_.end()) {
            static_cast<HidapiDevice&>(*known->second).markGone();
            devices_.erase(known);
        }
    }
    notifyChange();
}

void HidapiBackend::setChangeNotifier(std::function<void()> notify)
{
    std::lock_guard lock(notifyMutex_);
    notify_ = std::move(notify);
}

void HidapiBackend::notifyChange()
{
    // Under the lock: once setChangeNotifier({}) returns, no call is running.
    std::lock_guard lock(notifyMutex_);
    if (notify_)
        notify_();
}
