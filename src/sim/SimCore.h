#pragma once
// The simulator's shared state: the plugged tools, the input queue of every
// open handle, simulated time and (in real-time mode) the thread that runs
// the chips at their report rate. One mutex guards all of it; the handles'
// reads wait on it through their own condition variables. Internal to sim/:
// users go through SimBackend, ToolControl and the hid:: objects.

#include "HidAccess.h"
#include "SimTool.h"
#include "SimTypes.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace sim {

class SimDevice;

// The input queue of one open handle. Like a hidraw node's queue it holds 64
// reports; when a report arrives at a full queue the oldest one is lost, so a
// reader that falls behind loses frames as it would with a real tool.
struct HandleQueue {
    static constexpr std::size_t kCapacity = 64;
    std::deque<Report> reports;
    std::condition_variable arrived;
    bool dead = false;  // the device was unplugged or the simulator shut down
    bool wakePending = false;  // listed for a wake-up after the lock is released
};

class SimCore : public std::enable_shared_from_this<SimCore> {
public:
    SimCore(Mode mode, std::uint32_t seed);
    ~SimCore();
    SimCore(const SimCore&) = delete;
    SimCore& operator=(const SimCore&) = delete;

    Mode mode() const { return mode_; }
    void start();     // real-time mode: starts the thread
    void shutdown();  // stops the thread, unplugs every tool
    // CPU seconds the real-time thread has used (0 without one).
    double threadCpuSeconds();

    // hid::Backend
    std::vector<std::shared_ptr<hid::Device>> enumerate();
    void setChangeNotifier(std::function<void()> notify);

    int plug(const ToolConfig& config);
    bool unplug(int key);
    std::vector<int> toolKeys();

    // Time.
    std::int64_t nowMs();
    void advance(std::int64_t ms);  // deterministic mode only
    // A tool's stress rate (frames per second, 0: the chip's cycle).
    bool setStreamRate(int key, std::uint32_t hz);

    // Runs f(SimTool&) under the lock (after catching up in real time);
    // false when no tool has that key.
    bool withTool(int key, const std::function<void(SimTool&)>& f);

    // Used by SimDevice and SimHandle.
    bool attributes(int key, int plugId, hid::Attributes& out);
    bool present(int key, int plugId);
    std::shared_ptr<HandleQueue> open(int key, int plugId);
    void close(int key, const std::shared_ptr<HandleQueue>& queue);
    bool write(int key, HandleQueue& queue, const std::uint8_t* report, std::size_t length);
    hid::ReadStatus read(int key, HandleQueue& queue, std::uint8_t* buf, std::size_t capacity,
                         std::size_t& length, int timeoutMs);
    bool flush(HandleQueue& queue);

private:
    struct Slot {
        int key = 0;
        std::unique_ptr<SimTool> tool;
        std::shared_ptr<SimDevice> device;  // empty while off the bus
        std::vector<std::shared_ptr<HandleQueue>> queues;
        std::int64_t leaveAt;   // EnterDFU: leaves the bus
        std::int64_t returnAt;  // comes back from the firmware loader
        int plugId = 0;  // of the present plug
    };

    std::int64_t nowLocked() const;    // milliseconds
    std::int64_t nowLockedUs() const;  // microseconds
    Slot* find(int key);
    Slot* findPresent(int key, int plugId);
    // Runs everything due up to tUs; true when the device set changed.
    bool runAll(std::int64_t tUs);
    // Queues the reports on every handle of the slot; the handles are woken
    // by wakeReaders once the lock is released, so that a woken reader does
    // not block on the lock at once.
    void distribute(Slot& slot, const std::vector<Report>& reports);
    using Wakes = std::vector<std::shared_ptr<HandleQueue>>;
    Wakes takeWakes();                    // with the lock held
    static void wakeReaders(const Wakes& wakes);  // without it
    void attach(Slot& slot);
    void detach(Slot& slot);
    void notifyChange();
    void threadMain();

    const Mode mode_;
    const std::uint32_t seed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Slot> slots_;
    Wakes wakes_;
    std::vector<Report> scratch_;  // reports of one tool in runAll
    std::function<void()> notify_;
    int nextKey_ = 0;
    int serialCounter_ = 0;
    int plugCounter_ = 0;
    std::int64_t simNow_ = 0;
    const std::chrono::steady_clock::time_point epoch_;
    std::thread thread_;
    bool stopping_ = false;
};

}  // namespace sim
