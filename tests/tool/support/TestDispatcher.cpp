#include "TestDispatcher.h"

#include <chrono>

void TestDispatcher::post(std::function<void()> fn)
{
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(fn));
    }
    posted_.notify_all();
}

std::size_t TestDispatcher::runPending()
{
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(queue_);
    }
    for (auto& fn : batch)
        fn();
    return batch.size();
}

std::size_t TestDispatcher::runAll(std::size_t limit)
{
    std::size_t ran = 0;
    while (ran < limit) {
        std::function<void()> fn;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                break;
            fn = std::move(queue_.front());
            queue_.pop_front();
        }
        fn();
        ++ran;
    }
    return ran;
}

bool TestDispatcher::runOne(int waitMs)
{
    std::function<void()> fn;
    {
        std::unique_lock lock(mutex_);
        posted_.wait_for(lock, std::chrono::milliseconds(waitMs), [&] { return !queue_.empty(); });
        if (queue_.empty())
            return false;
        fn = std::move(queue_.front());
        queue_.pop_front();
    }
    fn();
    return true;
}

std::size_t TestDispatcher::pending() const
{
    std::lock_guard lock(mutex_);
    return queue_.size();
}
