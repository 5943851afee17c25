#include "Simulation.h"

namespace sim {

std::shared_ptr<SimBackend> makeSimulation(const SimulationOptions& options)
{
    auto backend = std::make_shared<SimBackend>(
        SimBackend::Options{.mode = options.mode, .seed = options.seed});
    for (int i = 0; i < options.tools; ++i) {
        ToolConfig config = options.tool;
        config.fingerCycle = options.fingerCycle;
        backend->plug(config);
    }
    return backend;
}

}  // namespace sim
