#include "SimDevice.h"

#include "SimCore.h"
#include "SimHandle.h"

namespace sim {

SimDevice::SimDevice(std::shared_ptr<SimCore> core, int key, int plugId, std::string path)
    : core_(std::move(core)), key_(key), plugId_(plugId), path_(std::move(path))
{
}

bool SimDevice::attributes(hid::Attributes& out)
{
    return core_->attributes(key_, plugId_, out);
}

bool SimDevice::capabilities(hid::Capabilities& out)
{
    if (!core_->present(key_, plugId_))
        return false;
    out.inputReportLength = kReportLength;
    out.outputReportLength = kReportLength;
    return true;
}

std::unique_ptr<hid::Handle> SimDevice::open()
{
    auto queue = core_->open(key_, plugId_);
    if (!queue)
        return nullptr;
    return std::make_unique<SimHandle>(core_, key_, std::move(queue));
}

}  // namespace sim
