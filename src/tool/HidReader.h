#pragma once
// The background reader of one device: its own handle, reads with a bounded
// wait, and hands the reports to the user-interface thread in arrival order.
//
// Threaded mode: a thread reads into a bounded queue of its own (the only
// thing it shares with the user-interface thread) and keeps reading while the
// user-interface thread is busy. When reports come faster than one a
// millisecond it does not wake for each: it pauses (at most kReadPause, and
// no longer than kReportsPerPause reports take at the rate seen, so the
// device's own queue never fills) and then reads all the device queued. When reports are queued it posts one drain
// through the UiDispatcher, at most one per kDrainSpacing, so that a fast
// device wakes the user-interface thread about a thousand times a second
// rather than once per report; a drain hands over the reports queued when it
// began, so a fast device cannot starve the event loop either. When the queue is full the thread stops
// reading: further reports wait in the device's own input queue, which drops
// them when it overflows, so a consumer that falls behind loses frames (the
// frame counter shows them) instead of growing memory. stop() wakes the
// thread at once, so releasing the device or destroying the layer never
// deadlocks; a drain that runs after stop() does nothing.
// Manual mode: no thread; poll() delivers the reports queued on the handle
// now, on the caller's thread (tests and deterministic simulation).
//
// A failed read (the handle is dead: the device went, or came back under the
// same node) ends the reader: the reports it queued are still handed over,
// it marks itself failed and calls onFailed once, from its own thread after
// one wait of waitMs (so a handle that keeps failing cannot spin), or from
// poll(). The layer then rescans and starts a new reader for a device that is
// still present.
//
// Priority: a reader that is late loses reports, since the device's own queue
// (a hidraw node's: 64 reports) holds 8 ms of a high-speed tool and much less
// of a faster stream, and on a busy machine an ordinary thread can wait longer
// than that for a core. Where the system allows it (root, CAP_SYS_NICE or an
// rtprio limit of at least 1) the reader thread runs at the lowest real-time
// priority; elsewhere at the normal one. It sleeps between reads and stops
// reading while its hand-over queue is full, so it cannot hold a core.

#include "HidAccess.h"

#include <chrono>
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

    // Reports the threaded reader holds for the user-interface thread unless told
    // otherwise: 128 ms of a high-speed tool at 8,000 reports per second.
    static constexpr std::size_t kDefaultQueueReports = 1024;
    // Shortest time between two drains posted by one reader.
    static constexpr std::chrono::microseconds kDrainSpacing{1000};
    // Longest pause of a reader between fast reports, and the reports it lets
    // gather in the device's queue at most.
    static constexpr std::chrono::microseconds kReadPause{1000};
    static constexpr int kReportsPerPause = 16;

    // Opens the reader's own handle; nullptr when that fails. reportCapacity:
    // bytes of the longest input report; queueReports: the hand-over queue's
    // length in reports (at least 1).
    static std::unique_ptr<HidReader> start(hid::Device& device, std::size_t reportCapacity,
                                            HidReaderMode mode, UiDispatcher& dispatcher,
                                            int waitMs, Deliver deliver, Failed onFailed = {},
                                            std::size_t queueReports = kDefaultQueueReports);
    ~HidReader();
    HidReader(const HidReader&) = delete;
    HidReader& operator=(const HidReader&) = delete;

    // Stops reading; joins the thread. Safe to call from inside a hand-over.
    void stop();
    // Manual mode: delivers every report queued now; returns how many.
    std::size_t poll();
    // True once a read failed: the reader reads no more.
    bool failed() const;

    // True once a reader thread of this process got its real-time priority.
    static bool realtimeGranted();
    // Times a reader of this process found its hand-over queue full and
    // stopped reading until the user-interface thread made room.
    static std::uint64_t queueFullCount();

    struct Shared;

private:
    HidReader() = default;
    std::shared_ptr<Shared> shared_;
    HidReaderMode mode_{};
};
