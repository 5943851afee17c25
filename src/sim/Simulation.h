#pragma once
// The simulation that the program and the command-line front end run with
// --simulate: by default one tool (product 0x0108) in real time, with the
// finger moving slowly over channels 0 to 2.

#include "SimBackend.h"

#include <cstdint>
#include <memory>

namespace sim {

struct SimulationOptions {
    Mode mode = Mode::RealTime;
    std::uint32_t seed = 1;
    int tools = 1;
    bool fingerCycle = true;
    ToolConfig tool;  // template for every tool (serial numbers are numbered)
};

std::shared_ptr<SimBackend> makeSimulation(const SimulationOptions& options = {});

}  // namespace sim
