#include "SimHandle.h"

#include "SimCore.h"

namespace sim {

SimHandle::SimHandle(std::shared_ptr<SimCore> core, int key, std::shared_ptr<HandleQueue> queue)
    : core_(std::move(core)), key_(key), queue_(std::move(queue))
{
}

SimHandle::~SimHandle()
{
    core_->close(key_, queue_);
}

bool SimHandle::flush()
{
    return core_->flush(*queue_);
}

bool SimHandle::write(const std::uint8_t* report, std::size_t length)
{
    return core_->write(key_, *queue_, report, length);
}

hid::ReadStatus SimHandle::read(std::uint8_t* buf, std::size_t capacity, std::size_t& length,
                                int timeoutMs)
{
    return core_->read(key_, *queue_, buf, capacity, length, timeoutMs);
}

}  // namespace sim
