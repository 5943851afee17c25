#include "StreamingCounter.h"

std::string TStreamingCounter::DevID(int i) const
{
    return valid(i) ? std::to_string(devIds_[static_cast<std::size_t>(i)]) : std::string();
}

std::string TStreamingCounter::Counter(int i) const
{
    return valid(i) ? std::to_string(counters_[static_cast<std::size_t>(i)]) : std::string();
}

int TStreamingCounter::IndexOfDevID(std::string_view text) const
{
    for (std::size_t i = 0; i < devIds_.size(); ++i) {
        if (std::to_string(devIds_[i]) == text)
            return static_cast<int>(i);
    }
    return -1;
}

void TStreamingCounter::Append(std::int32_t devId, int counter)
{
    devIds_.push_back(devId);
    counters_.push_back(counter);
}

void TStreamingCounter::Delete(int i)
{
    if (!valid(i))
        return;
    devIds_.erase(devIds_.begin() + i);
    counters_.erase(counters_.begin() + i);
}

void TStreamingCounter::Clear()
{
    devIds_.clear();
    counters_.clear();
}
