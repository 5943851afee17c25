#pragma once
// Expected frame counter per streaming tool: two lists in step, DevID (tool ID)
// and Counter (the counter expected next, 0 to 255), both read as decimal
// text. The values are kept as integers so that the data handler looks them
// up and advances them without building text per report.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStreamingCounter {
public:
    int Count() const { return static_cast<int>(devIds_.size()); }
    // Decimal text of entry i; empty outside the list.
    std::string DevID(int i) const;
    std::string Counter(int i) const;
    // Position of a tool ID given as decimal text, or -1.
    int IndexOfDevID(std::string_view text) const;
    // Position of a tool ID, or -1 (same as looking up its decimal text).
    int IndexOfDevID(std::int32_t devId) const
    {
        for (std::size_t i = 0; i < devIds_.size(); ++i) {
            if (devIds_[i] == devId)
                return static_cast<int>(i);
        }
        return -1;
    }

    int CounterValue(int i) const { return valid(i) ? counters_[static_cast<std::size_t>(i)] : 0; }
    void SetCounter(int i, int value)
    {
        if (valid(i))
            counters_[static_cast<std::size_t>(i)] = value;
    }
    void Append(std::int32_t devId, int counter);
    void Delete(int i);
    void Clear();

private:
    bool valid(int i) const { return i >= 0 && i < Count(); }
    std::vector<std::int32_t> devIds_;
    std::vector<int> counters_;
};
