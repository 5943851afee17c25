#pragma once
// Time as the tool components and the session see it. Waits the system
// prescribes go through here, so tests can run them instantly.

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic clock.
    virtual std::int64_t nowMs() const = 0;
    // Blocks the caller for ms milliseconds (or pretends to).
    virtual void sleepMs(int ms) = 0;
};

// The real monotonic clock.
Clock& systemClock();
