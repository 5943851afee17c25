#pragma once
// Chooses where the configuration tools come from: the USB bus (hidapi) or
// the simulated tool and chip.

#include "HidAccess.h"
#include "HidReader.h"
#include "SimTypes.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class Clock;

struct TToolBackendOptions {
    bool simulate = false;
    std::optional<std::uint8_t> simAddress;  // the simulated chip's I2C address
    std::uint32_t simRate = 0;  // the simulated tool's stress rate, frames/s (0: chip cycle)
    // Load on the simulated chip's receive pins RX0 and RX1, in pF.
    std::optional<std::array<double, 2>> simLoad;
    // The simulated tools (--sim-tool); one default tool when empty.
    std::vector<sim::ToolConfig> simTools;
};

class QString;
// "PF0,PF1": two loads of more than 0 and at most kMaxSimLoadPf picofarads.
inline constexpr double kMaxSimLoadPf = 100.0;
std::optional<std::array<double, 2>> parseSimLoad(const QString& text);

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
