#include "SimClock.h"

#include "SimCore.h"

#include <chrono>
#include <thread>

namespace sim {

std::int64_t SimClock::nowMs() const
{
    return core_->nowMs();
}

void SimClock::sleepMs(int ms)
{
    if (ms <= 0)
        return;
    if (core_->mode() == Mode::Deterministic)
        core_->advance(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace sim
