#include "ToolBackend.h"

#include "HidapiBackend.h"
#include "KelvanDevList.h"
#include "Simulation.h"

#include <QCoreApplication>
#include <QDir>

TToolBackend makeToolBackend(const TToolBackendOptions& options)
{
    if (options.simulate) {
        sim::SimulationOptions sim;
        sim.mode = sim::Mode::RealTime;
        if (options.simAddress)
            sim.tool.chip.i2cAddress = *options.simAddress;
        sim.tool.streamRateHz = options.simRate;
        auto simulation = sim::makeSimulation(sim);
        return {simulation, simulation};
    }
    return {std::make_shared<HidapiBackend>(), nullptr};
}

bool toolPresent()
{
    HidapiBackend backend;
    for (const auto& device : backend.enumerate()) {
        hid::Attributes a;
        if (device->attributes(a) && TKelvanDevList::IsConfigurationTool(a.vendorId, a.productId))
            return true;
    }
    return false;
}

std::filesystem::path shippedFilesDir()
{
    const QDir exe(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {exe.absolutePath(), exe.absoluteFilePath(QStringLiteral("../share/mfs380a"))}) {
        if (QFileInfo::exists(candidate + QStringLiteral("/load.txt")))
            return QDir::cleanPath(candidate).toStdString();
    }
    return exe.absolutePath().toStdString();
}
