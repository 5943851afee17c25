#pragma once
// A Clock for tests: time moves only when someone sleeps; every sleep is kept.

#include "Clock.h"

#include <vector>

class ManualClock final : public Clock {
public:
    std::int64_t nowMs() const override { return now_; }
    void sleepMs(int ms) override
    {
        sleeps.push_back(ms);
        if (ms > 0)
            now_ += ms;
    }
    std::vector<int> sleeps;

private:
    std::int64_t now_ = 0;
};
