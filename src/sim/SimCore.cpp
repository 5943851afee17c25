#include "SimCore.h"

#include "SimDevice.h"

#include <algorithm>
#include <cstdio>
#include <pthread.h>
#include <time.h>

namespace sim {

namespace {

constexpr std::int64_t kNever = SimChip::kNever;
constexpr std::int64_t kLeaveDelayMs = 50;   // EnterDFU: the reply goes out first
constexpr std::int64_t kIdleWakeMs = 50;     // real-time thread: longest sleep
// Real-time thread: the tool hands reports to the bus once per USB high-speed
// microframe, so a stress rate above 8,000 frames/s arrives in small bursts.
constexpr std::int64_t kMicroframeUs = 125;

std::int64_t msToUs(std::int64_t ms)
{
    return ms >= kNever / 1000 ? kNever : ms * 1000;
}

}  // namespace

SimCore::SimCore(Mode mode, std::uint32_t seed)
    : mode_(mode), seed_(seed), epoch_(std::chrono::steady_clock::now())
{
}

SimCore::~SimCore()
{
    shutdown();
}

void SimCore::start()
{
    std::lock_guard lock(mutex_);
    if (mode_ == Mode::RealTime && !thread_.joinable() && !stopping_)
        thread_ = std::thread([this] { threadMain(); });
}

double SimCore::threadCpuSeconds()
{
    std::lock_guard lock(mutex_);
    clockid_t clock{};
    timespec t{};
    if (!thread_.joinable() || pthread_getcpuclockid(thread_.native_handle(), &clock) != 0 ||
        clock_gettime(clock, &t) != 0)
        return 0;
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void SimCore::shutdown()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (Slot& slot : slots_)
            detach(slot);
        slots_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

std::int64_t SimCore::nowLocked() const
{
    return nowLockedUs() / 1000;
}

std::int64_t SimCore::nowLockedUs() const
{
    if (mode_ == Mode::Deterministic)
        return simNow_ * 1000;
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now() - epoch_)
        .count();
}

std::int64_t SimCore::nowMs()
{
    std::lock_guard lock(mutex_);
    return nowLocked();
}

SimCore::Slot* SimCore::find(int key)
{
    for (Slot& slot : slots_)
        if (slot.key == key)
            return &slot;
    return nullptr;
}

SimCore::Slot* SimCore::findPresent(int key, int plugId)
{
    Slot* slot = find(key);
    return slot && slot->device && slot->plugId == plugId ? slot : nullptr;
}

void SimCore::attach(Slot& slot)
{
    slot.plugId = ++plugCounter_;
    char path[96];
    std::snprintf(path, sizeof path, "sim:%s#%d", slot.tool->config().serialNumber.c_str(),
                  slot.plugId);
    slot.device = std::make_shared<SimDevice>(shared_from_this(), slot.key, slot.plugId, path);
}

void SimCore::detach(Slot& slot)
{
    for (auto& queue : slot.queues) {
        queue->dead = true;
        queue->reports.clear();
        queue->arrived.notify_all();
    }
    slot.queues.clear();
    slot.device.reset();
}

std::vector<std::shared_ptr<hid::Device>> SimCore::enumerate()
{
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<hid::Device>> devices;
    for (Slot& slot : slots_)
        if (slot.device)
            devices.push_back(slot.device);
    return devices;
}

void SimCore::setChangeNotifier(std::function<void()> notify)
{
    std::lock_guard lock(mutex_);
    notify_ = std::move(notify);
}

void SimCore::notifyChange()
{
    std::function<void()> notify;
    {
        std::lock_guard lock(mutex_);
        notify = notify_;
    }
    if (notify)
        notify();
}

int SimCore::plug(const ToolConfig& config)
{
    int key = 0;
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return -1;
        ToolConfig cfg = config;
        ++serialCounter_;
        if (cfg.serialNumber.empty()) {
            char serial[16];
            std::snprintf(serial, sizeof serial, "SIM%04d", serialCounter_);
            cfg.serialNumber = serial;
        }
        key = nextKey_++;
        Slot slot;
        slot.key = key;
        slot.tool = std::make_unique<SimTool>(cfg, seed_ + static_cast<std::uint32_t>(key));
        slot.leaveAt = kNever;
        slot.returnAt = kNever;
        slots_.push_back(std::move(slot));
        attach(slots_.back());
    }
    wake_.notify_all();
    notifyChange();
    return key;
}

bool SimCore::unplug(int key)
{
    {
        std::lock_guard lock(mutex_);
        auto it = std::find_if(slots_.begin(), slots_.end(),
                               [key](const Slot& s) { return s.key == key; });
        if (it == slots_.end())
            return false;
        detach(*it);
        slots_.erase(it);
    }
    notifyChange();
    return true;
}

std::vector<int> SimCore::toolKeys()
{
    std::lock_guard lock(mutex_);
    std::vector<int> keys;
    for (const Slot& slot : slots_)
        keys.push_back(slot.key);
    return keys;
}

void SimCore::distribute(Slot& slot, const std::vector<Report>& reports)
{
    if (reports.empty())
        return;
    for (auto& queue : slot.queues) {
        for (const Report& report : reports) {
            queue->reports.push_back(report);
            if (queue->reports.size() > HandleQueue::kCapacity)
                queue->reports.pop_front();  // the oldest report is lost
        }
        if (!queue->wakePending) {
            queue->wakePending = true;
            wakes_.push_back(queue);
        }
    }
}

SimCore::Wakes SimCore::takeWakes()
{
    Wakes wakes;
    wakes.swap(wakes_);
    for (const auto& queue : wakes)
        queue->wakePending = false;
    return wakes;
}

void SimCore::wakeReaders(const Wakes& wakes)
{
    for (const auto& queue : wakes)
        queue->arrived.notify_all();
}

bool SimCore::runAll(std::int64_t tUs)
{
    const std::int64_t t = tUs / 1000;
    bool changed = false;
    std::vector<Report>& out = scratch_;
    for (Slot& slot : slots_) {
        if (slot.device && slot.leaveAt <= t) {
            slot.leaveAt = kNever;
            slot.returnAt = t + slot.tool->config().dfuReturnMs;
            detach(slot);
            slot.tool->restartAfterDfu();
            changed = true;
        }
        if (!slot.device && slot.returnAt <= t) {
            slot.returnAt = kNever;
            attach(slot);
            changed = true;
        }
        out.clear();
        slot.tool->runUntil(tUs, out);
        if (slot.device)
            distribute(slot, out);
    }
    return changed;
}

void SimCore::advance(std::int64_t ms)
{
    if (mode_ != Mode::Deterministic || ms <= 0)
        return;
    bool changed = false;
    Wakes wakes;
    {
        std::lock_guard lock(mutex_);
        const std::int64_t target = simNow_ + ms;
        // Step through the moments where tools leave or return, so that a
        // tool runs its chip from the right time on.
        for (;;) {
            std::int64_t next = target;
            for (const Slot& slot : slots_)
                next = std::min({next, slot.leaveAt, slot.returnAt});
            simNow_ = std::max(simNow_, next);
            changed = runAll(simNow_ * 1000) || changed;
            if (simNow_ >= target)
                break;
        }
        wakes = takeWakes();
    }
    wakeReaders(wakes);
    if (changed)
        notifyChange();
}

bool SimCore::withTool(int key, const std::function<void(SimTool&)>& f)
{
    bool found = false;
    bool changed = false;
    Wakes wakes;
    {
        std::lock_guard lock(mutex_);
        if (mode_ == Mode::RealTime)
            changed = runAll(nowLockedUs());
        if (Slot* slot = find(key)) {
            f(*slot->tool);
            found = true;
        }
        wakes = takeWakes();
    }
    wakeReaders(wakes);
    wake_.notify_all();
    if (changed)
        notifyChange();
    return found;
}

bool SimCore::attributes(int key, int plugId, hid::Attributes& out)
{
    std::lock_guard lock(mutex_);
    const Slot* slot = findPresent(key, plugId);
    if (!slot)
        return false;
    const ToolConfig& cfg = slot->tool->config();
    out.vendorId = cfg.vendorId;
    out.productId = cfg.productId;
    out.productString = cfg.productString;
    out.serialNumber = cfg.serialNumber;
    return true;
}

bool SimCore::present(int key, int plugId)
{
    std::lock_guard lock(mutex_);
    return findPresent(key, plugId) != nullptr;
}

std::shared_ptr<HandleQueue> SimCore::open(int key, int plugId)
{
    std::lock_guard lock(mutex_);
    Slot* slot = findPresent(key, plugId);
    if (!slot)
        return nullptr;
    auto queue = std::make_shared<HandleQueue>();
    slot->queues.push_back(queue);
    return queue;
}

void SimCore::close(int key, const std::shared_ptr<HandleQueue>& queue)
{
    std::lock_guard lock(mutex_);
    if (Slot* slot = find(key))
        std::erase(slot->queues, queue);
}

bool SimCore::write(int key, HandleQueue& queue, const std::uint8_t* report, std::size_t length)
{
    bool changed = false;
    Wakes wakes;
    {
        std::lock_guard lock(mutex_);
        Slot* slot = find(key);
        if (!slot || queue.dead || !slot->device)
            return false;
        if (length == 0 || length > kReportLength || report[0] != 0)
            return false;  // one output report with report ID 0
        const std::int64_t tUs = nowLockedUs();
        if (mode_ == Mode::RealTime)
            changed = runAll(tUs);
        Report command{};
        std::copy_n(report, length, command.begin());
        std::vector<Report> out;
        slot->tool->write(command, tUs, out);
        distribute(*slot, out);
        if (slot->tool->takeDfuRequest())
            slot->leaveAt = tUs / 1000 + kLeaveDelayMs;
        wakes = takeWakes();
    }
    wakeReaders(wakes);
    wake_.notify_all();
    if (changed)
        notifyChange();
    return true;
}

hid::ReadStatus SimCore::read(int key, HandleQueue& queue, std::uint8_t* buf,
                              std::size_t capacity, std::size_t& length, int timeoutMs)
{
    using SteadyClock = std::chrono::steady_clock;
    const SteadyClock::time_point deadline =
        SteadyClock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    bool changed = false;
    hid::ReadStatus status = hid::ReadStatus::Timeout;
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (mode_ == Mode::RealTime) {
                // Stress frames are made by whoever looks: a reader wakes for
                // them itself, as it would for a real tool's reports.
                changed = runAll(nowLockedUs()) || changed;
                if (!wakes_.empty()) {
                    const Wakes wakes = takeWakes();
                    lock.unlock();
                    wakeReaders(wakes);
                    lock.lock();
                }
            }
            if (queue.dead) {
                status = hid::ReadStatus::Failed;
                break;
            }
            if (!queue.reports.empty()) {
                const Report& report = queue.reports.front();
                length = std::min(capacity, report.size());
                std::copy_n(report.begin(), length, buf);
                queue.reports.pop_front();
                status = hid::ReadStatus::Ok;
                break;
            }
            if (timeoutMs <= 0 || SteadyClock::now() >= deadline)
                break;
            SteadyClock::time_point wakeAt = deadline;
            if (const Slot* slot = find(key); slot && mode_ == Mode::RealTime) {
                // The next stress frame, on the microframe that carries it.
                const std::int64_t frameUs = slot->tool->nextStressFrameUs();
                if (frameUs != kNever) {
                    const std::int64_t us = (frameUs + kMicroframeUs - 1) / kMicroframeUs * kMicroframeUs;
                    wakeAt = std::min(wakeAt, epoch_ + std::chrono::microseconds(us));
                }
            }
            queue.arrived.wait_until(lock, wakeAt);
        }
    }
    if (changed)
        notifyChange();
    return status;
}

bool SimCore::flush(HandleQueue& queue)
{
    bool changed = false;
    bool ok = false;
    Wakes wakes;
    {
        std::lock_guard lock(mutex_);
        if (mode_ == Mode::RealTime)
            changed = runAll(nowLockedUs());  // what was due before the flush goes with it
        wakes = takeWakes();
        if (!queue.dead) {
            queue.reports.clear();
            ok = true;
        }
    }
    wakeReaders(wakes);
    if (changed)
        notifyChange();
    return ok;
}

bool SimCore::setStreamRate(int key, std::uint32_t hz)
{
    Wakes wakes;
    bool found = false;
    {
        std::lock_guard lock(mutex_);
        const std::int64_t tUs = nowLockedUs();
        if (mode_ == Mode::RealTime)
            runAll(tUs);  // frames due at the old rate go out first
        if (Slot* slot = find(key)) {
            slot->tool->setStreamRate(hz, tUs);
            found = true;
        }
        wakes = takeWakes();
    }
    wakeReaders(wakes);
    wake_.notify_all();
    return found;
}

void SimCore::threadMain()
{
    pthread_setname_np(pthread_self(), "sim tool");  // for profiles and top -H
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        const std::int64_t t = nowLockedUs();
        const bool changed = runAll(t);
        if (!wakes_.empty() || changed) {
            const Wakes wakes = takeWakes();
            lock.unlock();
            wakeReaders(wakes);
            if (changed)
                notifyChange();
            lock.lock();
            continue;  // time went on meanwhile
        }
        // Chip cycles and the tools' comings and goings. Stress frames wait
        // for someone to look (a read, a write, a control) and are then made
        // with their own times; a reader waiting for one wakes for it itself.
        std::int64_t next = t + kIdleWakeMs * 1000;
        for (const Slot& slot : slots_)
            next = std::min({next, slot.tool->nextChipEventUs(), msToUs(slot.leaveAt),
                             msToUs(slot.returnAt)});
        next = std::max(next, t + 1);
        next = (next + kMicroframeUs - 1) / kMicroframeUs * kMicroframeUs;
        wake_.wait_until(lock, epoch_ + std::chrono::microseconds(next));
    }
}

}  // namespace sim
