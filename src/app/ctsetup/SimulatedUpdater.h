#pragma once
// The firmware-update program of the simulation, for --simulate on a machine
// where none is installed: its minimums are the firmware this program ships
// for each known model, and an update sends the simulated tool into its
// firmware loader and brings it back running that firmware.

#include "FirmwareMinimums.h"

#include <memory>

class TCtSetupModel;
class TSession;
namespace sim {
class SimBackend;
}

TFirmwareMinimums simulatedUpdaterMinimums();

// Makes model start the simulated update program instead of a real one.
void useSimulatedUpdater(TCtSetupModel& model, TSession& session,
                         std::shared_ptr<sim::SimBackend> simulation);
