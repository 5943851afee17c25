#include "ScriptedBackend.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace scripted {

Report reply(std::uint8_t status, std::uint8_t toolId, std::uint8_t messageId,
             std::initializer_list<std::uint8_t> data, std::uint8_t third, std::size_t length)
{
    Report r(std::max<std::size_t>(length, 4 + data.size()), 0);
    r[1] = static_cast<std::uint8_t>((toolId << 4) | (status & 0x0F));
    r[2] = messageId;
    r[3] = third;
    std::copy(data.begin(), data.end(), r.begin() + 4);
    return r;
}

Report frame(std::uint8_t toolId, std::uint8_t counter, std::uint8_t third,
             const std::vector<std::uint8_t>& payload, std::size_t length)
{
    Report r(std::max<std::size_t>(length, 4 + payload.size()), 0);
    r[1] = static_cast<std::uint8_t>((toolId << 4) | 0x0F);
    r[2] = counter;
    r[3] = third;
    std::copy(payload.begin(), payload.end(), r.begin() + 4);
    return r;
}

struct ScriptedDevice::Queue {
    std::deque<Report> reports;
    bool dead = false;
};

class ScriptedDevice::Handle final : public hid::Handle {
public:
    Handle(std::shared_ptr<ScriptedDevice::Queue> queue, ScriptedDevice& device)
        : queue_(std::move(queue)), device_(device)
    {
    }
    ~Handle() override
    {
        std::lock_guard lock(device_.mutex_);
        queue_.reset();
        auto& qs = device_.queues_;
        qs.erase(std::remove_if(qs.begin(), qs.end(), [](const auto& w) { return w.expired(); }),
                 qs.end());
    }

    bool flush() override
    {
        std::lock_guard lock(device_.mutex_);
        if (device_.failFlush_ || !device_.plugged_ || queue_->dead)
            return false;
        queue_->reports.clear();
        return true;
    }

    bool write(const std::uint8_t* report, std::size_t length) override
    {
        ScriptedDevice::WriteHook hook;
        Report written(report, report + length);
        {
            std::lock_guard lock(device_.mutex_);
            if (!device_.plugged_ || queue_->dead)
                return false;
            device_.written_.push_back(written);
            hook = device_.onWrite_;
        }
        Report queued;
        bool haveQueued = false;
        {
            std::lock_guard lock(device_.mutex_);
            if (!device_.replies_.empty()) {
                queued = std::move(device_.replies_.front());
                device_.replies_.pop_front();
                haveQueued = true;
            }
        }
        if (haveQueued)
            device_.pushInput(queued);
        if (hook)
            hook(device_, written);
        return true;
    }

    hid::ReadStatus read(std::uint8_t* buf, std::size_t capacity, std::size_t& length,
                         int timeoutMs) override
    {
        length = 0;
        std::unique_lock lock(device_.mutex_);
        auto ready = [&] {
            return !device_.plugged_ || device_.failRead_ || queue_->dead ||
                   !queue_->reports.empty();
        };
        if (timeoutMs > 0)
            device_.arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        if (!device_.plugged_ || device_.failRead_ || queue_->dead)
            return hid::ReadStatus::Failed;
        if (queue_->reports.empty())
            return hid::ReadStatus::Timeout;
        const Report r = std::move(queue_->reports.front());
        queue_->reports.pop_front();
        length = std::min(capacity, r.size());
        std::memcpy(buf, r.data(), length);
        return hid::ReadStatus::Ok;
    }

private:
    std::shared_ptr<ScriptedDevice::Queue> queue_;
    ScriptedDevice& device_;
};

ScriptedDevice::ScriptedDevice(hid::Attributes attributes, hid::Capabilities capabilities,
                               std::string path)
    : attributes_(std::move(attributes)), capabilities_(capabilities), path_(std::move(path))
{
}

ScriptedDevice::~ScriptedDevice() = default;

bool ScriptedDevice::attributes(hid::Attributes& out)
{
    std::lock_guard lock(mutex_);
    if (failAttributes_)
        return false;
    out = attributes_;
    return true;
}

bool ScriptedDevice::capabilities(hid::Capabilities& out)
{
    std::lock_guard lock(mutex_);
    if (failCapabilities_)
        return false;
    out = capabilities_;
    return true;
}

std::unique_ptr<hid::Handle> ScriptedDevice::open()
{
    std::lock_guard lock(mutex_);
    if (failOpen_ || !plugged_)
        return nullptr;
    auto queue = std::make_shared<Queue>();
    queues_.push_back(queue);
    return std::make_unique<Handle>(std::move(queue), *this);
}

void ScriptedDevice::pushInput(const Report& report)
{
    {
        std::lock_guard lock(mutex_);
        for (const auto& weak : queues_) {
            if (const auto queue = weak.lock())
                queue->reports.push_back(report);
        }
    }
    arrived_.notify_all();
}

void ScriptedDevice::queueReply(const Report& report)
{
    std::lock_guard lock(mutex_);
    replies_.push_back(report);
}

void ScriptedDevice::setOnWrite(WriteHook hook)
{
    std::lock_guard lock(mutex_);
    onWrite_ = std::move(hook);
}

std::vector<Report> ScriptedDevice::written() const
{
    std::lock_guard lock(mutex_);
    return written_;
}

void ScriptedDevice::clearWritten()
{
    std::lock_guard lock(mutex_);
    written_.clear();
}

int ScriptedDevice::openHandles() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(queues_.begin(), queues_.end(),
                                          [](const auto& w) { return !w.expired(); }));
}

std::size_t ScriptedDevice::queuedInput() const
{
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    for (const auto& weak : queues_) {
        if (const auto queue = weak.lock())
            n += queue->reports.size();
    }
    return n;
}

void ScriptedDevice::setFailOpen(bool fail)
{
    std::lock_guard lock(mutex_);
    failOpen_ = fail;
}

void ScriptedDevice::setFailFlush(bool fail)
{
    std::lock_guard lock(mutex_);
    failFlush_ = fail;
}

void ScriptedDevice::setFailRead(bool fail)
{
    {
        std::lock_guard lock(mutex_);
        failRead_ = fail;
    }
    arrived_.notify_all();
}

void ScriptedDevice::setFailAttributes(bool fail)
{
    std::lock_guard lock(mutex_);
    failAttributes_ = fail;
}

void ScriptedDevice::setFailCapabilities(bool fail)
{
    std::lock_guard lock(mutex_);
    failCapabilities_ = fail;
}

void ScriptedDevice::breakOpenHandles()
{
    {
        std::lock_guard lock(mutex_);
        for (const auto& weak : queues_) {
            if (const auto queue = weak.lock())
                queue->dead = true;
        }
    }
    arrived_.notify_all();
}

void ScriptedDevice::markUnplugged()
{
    {
        std::lock_guard lock(mutex_);
        plugged_ = false;
    }
    arrived_.notify_all();
}

std::vector<std::shared_ptr<hid::Device>> ScriptedBackend::enumerate()
{
    std::lock_guard lock(mutex_);
    return {devices_.begin(), devices_.end()};
}

void ScriptedBackend::setChangeNotifier(std::function<void()> notify)
{
    std::lock_guard lock(mutex_);
    notify_ = std::move(notify);
}

bool ScriptedBackend::hasNotifier() const
{
    std::lock_guard lock(mutex_);
    return static_cast<bool>(notify_);
}

std::shared_ptr<ScriptedDevice> ScriptedBackend::plug(std::uint16_t vendorId,
                                                      std::uint16_t productId,
                                                      std::string product, std::string serial,
                                                      hid::Capabilities capabilities)
{
    hid::Attributes attributes{vendorId, productId, std::move(product), std::move(serial)};
    std::shared_ptr<ScriptedDevice> device;
    {
        std::lock_guard lock(mutex_);
        device = std::make_shared<ScriptedDevice>(std::move(attributes), capabilities,
                                                  "/scripted/hidraw" + std::to_string(nextPath_++));
        devices_.push_back(device);
    }
    notify();
    return device;
}

std::shared_ptr<ScriptedDevice> ScriptedBackend::plugAt(std::size_t position,
                                                        std::uint16_t vendorId,
                                                        std::uint16_t productId,
                                                        std::string product, std::string serial)
{
    hid::Attributes attributes{vendorId, productId, std::move(product), std::move(serial)};
    std::shared_ptr<ScriptedDevice> device;
    {
        std::lock_guard lock(mutex_);
        device = std::make_shared<ScriptedDevice>(std::move(attributes), hid::Capabilities{65, 65},
                                                  "/scripted/hidraw" + std::to_string(nextPath_++));
        devices_.insert(devices_.begin() +
                            static_cast<std::ptrdiff_t>(std::min(position, devices_.size())),
                        device);
    }
    notify();
    return device;
}

void ScriptedBackend::unplug(const std::shared_ptr<ScriptedDevice>& device)
{
    {
        std::lock_guard lock(mutex_);
        devices_.erase(std::remove(devices_.begin(), devices_.end(), device), devices_.end());
    }
    device->markUnplugged();
    notify();
}

void ScriptedBackend::notify()
{
    std::function<void()> notify;
    {
        std::lock_guard lock(mutex_);
        notify = notify_;
    }
    if (notify)
        notify();
}

}  // namespace scripted
