#include "HidReader.h"

#include "UiDispatcher.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct HidReader::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    bool handled = false;
    std::unique_ptr<hid::Handle> handle;
    std::vector<std::uint8_t> buffer;
    std::size_t length = 0;
    Deliver deliver;
    HidReader::Failed onFailed;
    std::atomic<bool> failed{false};
    UiDispatcher* dispatcher = nullptr;
    int waitMs = 100;
    std::thread thread;
};

namespace {

using Shared = HidReader::Shared;

// Runs on the user-interface thread: hands the report over unless the
// reader was stopped meanwhile, then lets the reader go on.
void handOver(const std::shared_ptr<Shared>& s)
{
    {
        std::lock_guard lock(s->mutex);
        if (s->stopping)
            return;
    }
    // The reader thread waits until `handled`, so buffer and length are stable.
    // The handler may stop this reader; only `s` is touched afterwards.
    s->deliver(s->buffer.data(), s->length);
    {
        std::lock_guard lock(s->mutex);
        s->handled = true;
    }
    s->wake.notify_all();
}

// Marks the reader failed and tells the layer, once.
void reportFailure(const std::shared_ptr<Shared>& s)
{
    if (!s->failed.exchange(true) && s->onFailed)
        s->onFailed();
}

void readLoop(std::shared_ptr<Shared> s)
{
    for (;;) {
        {
            std::lock_guard lock(s->mutex);
            if (s->stopping)
                return;
        }
        std::size_t length = 0;
        const hid::ReadStatus status =
            s->handle->read(s->buffer.data(), s->buffer.size(), length, s->waitMs);
        if (status == hid::ReadStatus::Failed) {
            // The handle is dead. Wait once (a stop ends the wait) so that a
            // handle that keeps failing cannot spin, then let the layer rescan.
            std::unique_lock lock(s->mutex);
            s->wake.wait_for(lock, std::chrono::milliseconds(s->waitMs), [&] { return s->stopping; });
            if (s->stopping)
                return;
            lock.unlock();
            reportFailure(s);
            return;
        }
        if (status == hid::ReadStatus::Timeout || length < 2)
            continue;  // nothing, or nothing beyond the report-ID byte
        std::unique_lock lock(s->mutex);
        if (s->stopping)
            return;
        s->length = length;
        s->handled = false;
        lock.unlock();
        s->dispatcher->post([s] { handOver(s); });
        lock.lock();
        s->wake.wait(lock, [&] { return s->handled || s->stopping; });
        if (s->stopping)
            return;
    }
}

}  // namespace

std::unique_ptr<HidReader> HidReader::start(hid::Device& device, std::size_t reportCapacity,
                                            HidReaderMode mode, UiDispatcher& dispatcher,
                                            int waitMs, Deliver deliver, Failed onFailed)
{
    auto handle = device.open();
    if (!handle)
        return nullptr;
    std::unique_ptr<HidReader> reader(new HidReader);
    reader->mode_ = mode;
    auto s = std::make_shared<Shared>();
    s->handle = std::move(handle);
    s->buffer.assign(reportCapacity, 0);
    s->deliver = std::move(deliver);
    s->onFailed = std::move(onFailed);
    s->dispatcher = &dispatcher;
    s->waitMs = waitMs > 0 ? waitMs : 1;
    reader->shared_ = s;
    if (mode == HidReaderMode::Threaded)
        s->thread = std::thread(readLoop, s);
    return reader;
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
    s->wake.notify_all();
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
        const hid::ReadStatus status = s->handle->read(s->buffer.data(), s->buffer.size(), length, 0);
        if (status == hid::ReadStatus::Failed) {
            reportFailure(s);
            break;
        }
        if (status != hid::ReadStatus::Ok)
            break;
        if (length < 2)
            continue;  // nothing beyond the report-ID byte
        s->length = length;
        s->deliver(s->buffer.data(), length);
        ++delivered;
    }
    return delivered;
}

bool HidReader::failed() const
{
    return shared_ && shared_->failed;
}
