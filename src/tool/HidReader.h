#pragma once
// The background reader of one device: its own handle, reads with a bounded
// wait, and hands each report to the user-interface thread, waiting until it
// was handled before reading on.
//
// Threaded mode: a thread reads; each report is posted through the
// UiDispatcher and the thread waits on a condition variable that is also
// woken by stop(), so releasing the device or destroying the layer never
// deadlocks, even while a hand-over is pending. A hand-over that runs after
// stop() does nothing.
// Manual mode: no thread; poll() delivers the queued reports on the caller's
// thread (tests and deterministic simulation).
//
// A failed read (the handle is dead: the device went, or came back under the
// same node) ends the reader: it marks itself failed and calls onFailed once,
// from its own thread after one wait of waitMs (so a handle that keeps failing
// cannot spin), or from poll(). The layer then rescans and starts a new
// reader for a device that is still present.

#include "HidAccess.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class UiDispatcher;

// Threaded: the program. Manual: readers deliver only when polled.
enum class HidReaderMode { Threaded, Manual };

class HidReader {
public:
    // Receives one report, report-ID byte first, on the user-interface thread.
    using Deliver = std::function<void(const std::uint8_t* report, std::size_t length)>;
    // Called once when a read failed; from any thread.
    using Failed = std::function<void()>;

    // Opens the reader's own handle; nullptr when that fails.
    static std::unique_ptr<HidReader> start(hid::Device& device, std::size_t reportCapacity,
                                            HidReaderMode mode, UiDispatcher& dispatcher,
                                            int waitMs, Deliver deliver, Failed onFailed = {});
    ~HidReader();
    HidReader(const HidReader&) = delete;
    HidReader& operator=(const HidReader&) = delete;

    // Stops reading; joins the thread. Safe to call from inside a hand-over.
    void stop();
    // Manual mode: delivers every report queued now; returns how many.
    std::size_t poll();
    // True once a read failed: the reader reads no more.
    bool failed() const;

    struct Shared;

private:
    HidReader() = default;
    std::shared_ptr<Shared> shared_;
    HidReaderMode mode_{};
};
