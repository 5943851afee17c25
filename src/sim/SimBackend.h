#pragma once
// The simulated configuration tools behind the HID access interface.
//
//   sim::SimBackend backend({.mode = sim::Mode::Deterministic, .seed = 7});
//   int key = backend.plug();                 // one tool, product 0x0108
//   backend.tool(key).setFinger(0, 1.0);      // controls, see ToolControl
//   backend.advance(100);                     // deterministic: run 100 ms
//
// In deterministic mode nothing runs on other threads: replies are queued
// while the command is written and frames only while advance() runs. In
// real-time mode a thread runs the chips at their report rate. Every call is
// thread safe. Handles and devices stay valid (but fail) after the backend
// is destroyed; a device list that installed a change notifier must be
// destroyed before the backend.

#include "HidAccess.h"
#include "SimTypes.h"
#include "ToolControl.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Clock.h"

namespace sim {

class SimCore;
class SimClock;

class SimBackend final : public hid::Backend {
public:
    struct Options {
        Mode mode = Mode::Deterministic;
        std::uint32_t seed = 1;
    };

    SimBackend();
    explicit SimBackend(const Options& options);
    ~SimBackend() override;
    SimBackend(const SimBackend&) = delete;
    SimBackend& operator=(const SimBackend&) = delete;

    // hid::Backend
    std::vector<std::shared_ptr<hid::Device>> enumerate() override;
    void setChangeNotifier(std::function<void()> notify) override;

    // Plugs a tool and returns its key (used by tool() and unplug()).
    int plug(const ToolConfig& config = {});
    bool unplug(int key);
    // Keys of the tools plugged (also those away in their firmware loader).
    std::vector<int> tools() const;
    ToolControl tool(int key) const;

    Mode mode() const;
    // Simulated time in ms since the backend was made.
    std::int64_t nowMs() const;
    // Deterministic mode: runs the simulation for ms milliseconds (no-op in
    // real-time mode).
    void advance(std::int64_t ms);
    // CPU seconds used by the real-time mode's thread, which stands in for
    // the tool and the USB bus (0 in deterministic mode).
    double threadCpuSeconds() const;
    // The clock that matches the simulation: in deterministic mode sleeping
    // advances the simulation, in real-time mode it sleeps.
    Clock& clock();

private:
    std::shared_ptr<SimCore> core_;
    std::unique_ptr<SimClock> clock_;
};

}  // namespace sim
