#pragma once
// One plugged simulated tool as the HID access interface shows it. The same
// object stands for the tool until it is unplugged (or leaves the bus for its
// firmware loader); afterwards every call fails.

#include "HidAccess.h"

#include <memory>
#include <string>

namespace sim {

class SimCore;

class SimDevice final : public hid::Device {
public:
    SimDevice(std::shared_ptr<SimCore> core, int key, int plugId, std::string path);

    bool attributes(hid::Attributes& out) override;
    bool capabilities(hid::Capabilities& out) override;
    std::unique_ptr<hid::Handle> open() override;
    std::string path() const override { return path_; }

private:
    std::shared_ptr<SimCore> core_;
    int key_;
    int plugId_;  // tells this plug from a later one of the same tool
    std::string path_;
};

}  // namespace sim
