#pragma once
// A UiDispatcher for tests: posted work queues up (from any thread) and runs
// on the test's thread when the test says so.

#include "UiDispatcher.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

class TestDispatcher final : public UiDispatcher {
public:
    void post(std::function<void()> fn) override;

    // Runs the work queued now (not what it posts in turn); returns how much.
    std::size_t runPending();
    // Runs until the queue is empty (at most `limit` items); returns how many.
    std::size_t runAll(std::size_t limit = 100000);
    // Waits up to waitMs for work and runs one item; false if none came.
    bool runOne(int waitMs);
    std::size_t pending() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
};
