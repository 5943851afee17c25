#pragma once
// Chooses where the configuration tools come from: the USB bus (hidapi) or
// the simulated tool and chip.

#include "HidAccess.h"
#include "HidReader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

class Clock;

struct TToolBackendOptions {
    bool simulate = false;
    std::optional<std::uint8_t> simAddress;  // the simulated chip's I2C address
    std::uint32_t simRate = 0;  // the simulated tool's stress rate, frames/s (0: chip cycle)
};

namespace sim {
class SimBackend;
}

struct TToolBackend {
    std::shared_ptr<hid::Backend> backend;
    // The simulation behind backend when simulated (for its controls).
    std::shared_ptr<sim::SimBackend> simulation;
    bool simulated() const { return simulation != nullptr; }
};

TToolBackend makeToolBackend(const TToolBackendOptions& options);

// Whether a configuration tool is plugged into this machine now.
bool toolPresent();

// The folder of the files the program ships (start-up and demo settings,
// load.txt): beside the executable, or the install's data folder.
std::filesystem::path shippedFilesDir();
