#include "SimBackend.h"

#include "SimClock.h"
#include "SimCore.h"

namespace sim {

SimBackend::SimBackend() : SimBackend(Options{}) {}

SimBackend::SimBackend(const Options& options)
    : core_(std::make_shared<SimCore>(options.mode, options.seed)),
      clock_(std::make_unique<SimClock>(core_))
{
    core_->start();
}

SimBackend::~SimBackend()
{
    core_->shutdown();
}

std::vector<std::shared_ptr<hid::Device>> SimBackend::enumerate()
{
    return core_->enumerate();
}

void SimBackend::setChangeNotifier(std::function<void()> notify)
{
    core_->setChangeNotifier(std::move(notify));
}

int SimBackend::plug(const ToolConfig& config)
{
    return core_->plug(config);
}

bool SimBackend::unplug(int key)
{
    return core_->unplug(key);
}

std::vector<int> SimBackend::tools() const
{
    return core_->toolKeys();
}

ToolControl SimBackend::tool(int key) const
{
    return ToolControl(core_, key);
}

Mode SimBackend::mode() const
{
    return core_->mode();
}

std::int64_t SimBackend::nowMs() const
{
    return core_->nowMs();
}

void SimBackend::advance(std::int64_t ms)
{
    core_->advance(ms);
}

double SimBackend::threadCpuSeconds() const
{
    return core_->threadCpuSeconds();
}

Clock& SimBackend::clock()
{
    return *clock_;
}

}  // namespace sim
