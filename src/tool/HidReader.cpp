#include "HidReader.h"

#include "UiDispatcher.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <thread>
#include <vector>

// The hand-over queue is a ring of fixed slots, allocated once: the reader
// fills the slot after the last queued one without holding the lock (no one
// else touches a free slot), then queues it under the lock; the user-interface
// thread hands over queued slots without the lock and frees them under it.
struct HidReader::Shared {
    std::mutex mutex;
    std::condition_variable space;  // a slot of a full queue was freed, or stop
    std::condition_variable pause;  // stop, during a pause between reads
    std::atomic<bool> stopping{false};
    std::unique_ptr<hid::Handle> handle;
    Deliver deliver;
    HidReader::Failed onFailed;
    std::atomic<bool> failed{false};
    UiDispatcher* dispatcher = nullptr;
    int waitMs = 100;
    std::thread thread;

    std::size_t slotSize = 0;
    std::size_t slots = 0;
    std::vector<std::uint8_t> data;      // slots x slotSize bytes
    std::vector<std::size_t> lengths;    // per slot
    std::size_t head = 0;                // oldest queued slot (guarded by mutex)
    std::size_t count = 0;               // queued slots (guarded by mutex)
    bool drainPosted = false;            // a drain is on its way (guarded by mutex)

    std::uint8_t* slot(std::size_t i) { return data.data() + i * slotSize; }
};

namespace {

using Shared = HidReader::Shared;

void postDrain(const std::shared_ptr<Shared>& s);

// Runs on the user-interface thread: hands over the queued reports in order,
// also those that arrive meanwhile, unless the reader was stopped; at most a
// queue's length per drain, then the next drain goes behind whatever else
// waits on the user-interface thread.
void drain(const std::shared_ptr<Shared>& s)
{
    std::size_t budget = s->slots;
    for (;;) {
        std::size_t first = 0;
        std::size_t n = 0;
        {
            std::lock_guard lock(s->mutex);
            if (s->stopping)
                return;
            first = s->head;
            n = std::min(s->count, budget);
            if (n == 0) {
                s->drainPosted = s->count > 0;
                if (s->drainPosted)
                    break;  // budget spent: post the next drain
                return;
            }
        }
        for (std::size_t k = 0; k < n; ++k) {
            // The handler may stop this reader; only `s` is touched afterwards.
            if (s->stopping)
                return;
            const std::size_t i = (first + k) % s->slots;
            s->deliver(s->slot(i), s->lengths[i]);
        }
        bool wasFull = false;
        {
            std::lock_guard lock(s->mutex);
            if (s->stopping)
                return;
            wasFull = s->count == s->slots;
            s->head = (s->head + n) % s->slots;
            s->count -= n;
        }
        if (wasFull)
            s->space.notify_all();  // only a full queue makes the reader wait for room
        budget -= n;
    }
    postDrain(s);
}

void postDrain(const std::shared_ptr<Shared>& s)
{
    s->dispatcher->post([s] { drain(s); });
}

// Marks the reader failed and tells the layer, once.
void reportFailure(Shared& s)
{
    if (!s.failed.exchange(true) && s.onFailed)
        s.onFailed();
}

enum class Step { Got, Nothing, Full, Gone, Stopped };

// Reads one report into the free slot after the queued ones, waiting at most
// waitMs, and queues it. Full: no free slot, nothing read.
Step readOne(Shared& s, int waitMs)
{
    std::size_t free = 0;
    {
        std::lock_guard lock(s.mutex);
        if (s.stopping)
            return Step::Stopped;
        if (s.count == s.slots)
            return Step::Full;
        free = (s.head + s.count) % s.slots;  // stays free until queued below
    }
    std::size_t length = 0;
    const hid::ReadStatus status = s.handle->read(s.slot(free), s.slotSize, length, waitMs);
    if (status == hid::ReadStatus::Failed)
        return Step::Gone;
    if (status != hid::ReadStatus::Ok || length < 2)
        return Step::Nothing;  // nothing, or nothing beyond the report-ID byte
    std::lock_guard lock(s.mutex);
    if (s.stopping)
        return Step::Stopped;
    s.lengths[free] = length;
    ++s.count;
    return Step::Got;
}

std::atomic<bool> gRealtimeGranted{false};
std::atomic<std::uint64_t> gQueueFull{0};

// The lowest real-time priority, where the system allows it.
void raisePriority()
{
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO);
    if (param.sched_priority >= 0 && pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0)
        gRealtimeGranted = true;
}

void readLoop(std::shared_ptr<Shared> s)
{
    pthread_setname_np(pthread_self(), "hid reader");  // for profiles and top -H
    raisePriority();
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastPost = Clock::now() - HidReader::kDrainSpacing;
    Clock::time_point lastBatch = Clock::now() - std::chrono::seconds(1);
    bool postDue = false;  // reports wait for a drain that waits for its spacing
    for (;;) {
        int waitMs = s->waitMs;
        if (postDue) {
            // Wake in time to post the drain; whole milliseconds, rounded up.
            const auto left = lastPost + HidReader::kDrainSpacing - Clock::now();
            const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
            waitMs = static_cast<int>(std::clamp<std::int64_t>(ms, 0, waitMs));
        }
        // One report, waiting for it; then whatever else the device queued.
        Step step = readOne(*s, waitMs);
        const Clock::time_point batchAt = Clock::now();
        std::size_t batch = 0;
        while (step == Step::Got) {
            ++batch;
            step = readOne(*s, 0);
        }
        if (step == Step::Stopped)
            return;

        bool post = false;
        bool full = false;
        {
            std::lock_guard lock(s->mutex);
            if (s->stopping)
                return;
            full = s->count == s->slots;
            if (s->count > 0 && !s->drainPosted) {
                // A full queue, or a device that went, is drained at once.
                const Clock::time_point now = Clock::now();
                post = now - lastPost >= HidReader::kDrainSpacing || full || step == Step::Gone;
                if (post) {
                    s->drainPosted = true;
                    lastPost = now;
                }
            }
            postDue = s->count > 0 && !s->drainPosted;
        }
        if (post)
            postDrain(s);
        if (step == Step::Gone) {
            // The handle is dead. Wait once (a stop ends the wait) so that a
            // handle that keeps failing cannot spin, then let the layer
            // rescan; the drain posted above goes first.
            std::unique_lock lock(s->mutex);
            s->pause.wait_for(lock, std::chrono::milliseconds(s->waitMs),
                              [&] { return s->stopping.load(); });
            if (s->stopping)
                return;
            lock.unlock();
            reportFailure(*s);
            return;
        }

        std::unique_lock lock(s->mutex);
        if (full) {
            // The reports wait in the device's own queue meanwhile.
            ++gQueueFull;
            s->space.wait(lock, [&] { return s->stopping || s->count < s->slots; });
        } else if (batch > 0) {
            // Reports faster than one a millisecond: pause so that the next
            // read takes several at once instead of waking for each.
            const auto perReport = (batchAt - lastBatch) / batch;
            lastBatch = batchAt;
            if (perReport < HidReader::kReadPause) {
                const auto pause = std::min<Clock::duration>(
                    HidReader::kReadPause, perReport * HidReader::kReportsPerPause);
                s->pause.wait_for(lock, pause, [&] { return s->stopping.load(); });
            }
        }
        if (s->stopping)
            return;
    }
}

}  // namespace

std::unique_ptr<HidReader> HidReader::start(hid::Device& device, std::size_t reportCapacity,
                                            HidReaderMode mode, UiDispatcher& dispatcher,
                                            int waitMs, Deliver deliver, Failed onFailed,
                                            std::size_t queueReports)
{
    auto handle = device.open();
    if (!handle)
        return nullptr;
    std::unique_ptr<HidReader> reader(new HidReader);
    reader->mode_ = mode;
    auto s = std::make_shared<Shared>();
    s->handle = std::move(handle);
    s->deliver = std::move(deliver);
    s->onFailed = std::move(onFailed);
    s->dispatcher = &dispatcher;
    s->waitMs = waitMs > 0 ? waitMs : 1;
    s->slotSize = std::max<std::size_t>(reportCapacity, 1);
    // Manual mode reads into one slot and hands it over at once.
    s->slots = mode == HidReaderMode::Threaded ? std::max<std::size_t>(queueReports, 1) : 1;
    s->data.assign(s->slots * s->slotSize, 0);
    s->lengths.assign(s->slots, 0);
    reader->shared_ = s;
    if (mode == HidReaderMode::Threaded)
        s->thread = std::thread(readLoop, s);
    return reader;
}

bool HidReader::realtimeGranted()
{
    return gRealtimeGranted;
}

std::uint64_t HidReader::queueFullCount()
{
    return gQueueFull;
}

HidReader::~HidReader()
{
    stop();
}

void HidReader::stop()
{
    const std::shared_ptr<Shared> s = shared_;
    if (!s)
        return;
    {
        std::lock_guard lock(s->mutex);
        s->stopping = true;
    }
    s->space.notify_all();
    s->pause.notify_all();
    if (s->thread.joinable()) {
        if (s->thread.get_id() == std::this_thread::get_id()) {
            // A dispatcher that runs hand-overs on the reader thread itself:
            // the thread ends by itself and keeps its handle until then.
            s->thread.detach();
            return;
        }
        s->thread.join();
    }
    // No thread touches the handle any more (manual mode: poll checks
    // `stopping` before every read).
    s->handle.reset();
}

std::size_t HidReader::poll()
{
    const std::shared_ptr<Shared> s = shared_;  // this reader may be stopped by a handler
    if (!s || mode_ != HidReaderMode::Manual)
        return 0;
    std::size_t delivered = 0;
    for (;;) {
        if (s->stopping || !s->handle || s->failed)
            break;
        std::size_t length = 0;
        const hid::ReadStatus status = s->handle->read(s->slot(0), s->slotSize, length, 0);
        if (status == hid::ReadStatus::Failed) {
            reportFailure(*s);
            break;
        }
        if (status != hid::ReadStatus::Ok)
            break;
        if (length < 2)
            continue;  // nothing beyond the report-ID byte
        s->deliver(s->slot(0), length);
        ++delivered;
    }
    return delivered;
}

bool HidReader::failed() const
{
    return shared_ && shared_->failed;
}
