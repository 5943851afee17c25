#pragma once
// One open handle of a simulated tool, with its own input queue: it receives
// its own copy of every report the tool sends after it was opened.

#include "HidAccess.h"

#include <memory>

namespace sim {

class SimCore;
struct HandleQueue;

class SimHandle final : public hid::Handle {
public:
    SimHandle(std::shared_ptr<SimCore> core, int key, std::shared_ptr<HandleQueue> queue);
    ~SimHandle() override;
    SimHandle(const SimHandle&) = delete;
    SimHandle& operator=(const SimHandle&) = delete;

    bool flush() override;
    bool write(const std::uint8_t* report, std::size_t length) override;
    hid::ReadStatus read(std::uint8_t* buf, std::size_t capacity, std::size_t& length,
                         int timeoutMs) override;

private:
    std::shared_ptr<SimCore> core_;
    int key_;
    std::shared_ptr<HandleQueue> queue_;
};

}  // namespace sim
