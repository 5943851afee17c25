#include "ToolBackend.h"

#include "HidapiBackend.h"
#include "KelvanDevList.h"
#include "Simulation.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

TToolBackend makeToolBackend(const TToolBackendOptions& options)
{
    if (options.simulate) {
        sim::SimulationOptions sim;
        sim.mode = sim::Mode::RealTime;
        if (options.simAddress)
            sim.tool.chip.i2cAddress = *options.simAddress;
        sim.tool.streamRateHz = options.simRate;
        if (options.simLoad)
            sim.tool.chip.rxLoadPf = *options.simLoad;
        if (!options.simTools.empty())
            sim.tools = 0;
        auto simulation = sim::makeSimulation(sim);
        for (sim::ToolConfig tool : options.simTools) {
            tool.fingerCycle = sim.fingerCycle;
            tool.chip.i2cAddress = sim.tool.chip.i2cAddress;
            tool.chip.rxLoadPf = sim.tool.chip.rxLoadPf;
            tool.streamRateHz = sim.tool.streamRateHz;
            simulation->plug(tool);
        }
        return {simulation, simulation};
    }
    return {std::make_shared<HidapiBackend>(), nullptr};
}

std::optional<std::array<double, 2>> parseSimLoad(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    std::array<double, 2> load{};
    for (std::size_t i = 0; i < 2; ++i) {
        bool ok = false;
        load[i] = parts[static_cast<int>(i)].trimmed().toDouble(&ok);
        if (!ok || !(load[i] > 0.0) || load[i] > kMaxSimLoadPf)
            return std::nullopt;
    }
    return load;
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
