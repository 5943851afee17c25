#include "SimulatedUpdater.h"

#include "CtSetupModel.h"
#include "Session.h"
#include "SimBackend.h"

TFirmwareMinimums simulatedUpdaterMinimums()
{
    TFirmwareMinimums m;
    m.FUpdaterInstalled = true;
    m.FUpdaterPath = QStringLiteral("(simulated)");
    m.MinVer.HB110N = static_cast<std::int32_t>(knownModel(0x108)->localFirmware);
    m.MinVer.HB110A = static_cast<std::int32_t>(knownModel(0x107)->localFirmware);
    m.MinVer.RD300N = static_cast<std::int32_t>(knownModel(0x103)->localFirmware);
    return m;
}

void useSimulatedUpdater(TCtSetupModel& model, TSession& session,
                         std::shared_ptr<sim::SimBackend> simulation)
{
    model.setProgramStarter(
        [&model, &session, simulation](const QString&, const QStringList& arguments,
                                       const QString&, QString* error) {
            const std::string& serial = model.updateSerial();
            const TCTData& table = session.DevList().CTData();
            const TKnownModel* known = nullptr;
            for (int i = 0; i < table.Count; ++i) {
                const auto k = static_cast<std::size_t>(i);
                if (table.SerialNumber[k] == serial)
                    known = knownModel(static_cast<std::uint16_t>(std::stoul(table.ProductID[k])));
            }
            for (const int key : simulation->tools()) {
                sim::ToolControl tool = simulation->tool(key);
                if (tool.serialNumber() != serial)
                    continue;
                if (known) {
                    const std::uint32_t f = known->localFirmware;
                    tool.setFirmwareAfterDfu(f >> 16, static_cast<std::uint8_t>(f >> 8),
                                             static_cast<std::uint8_t>(f));
                }
                // The stable update: the update program itself sends the tool
                // (current since the update was asked for) into its loader.
                if (arguments == stableUpdateArguments())
                    session.HidTool().EnterDFU();
                return true;
            }
            if (error)
                *error = QStringLiteral("the simulated tool %1 is not plugged in")
                             .arg(QString::fromStdString(serial));
            return false;
        },
        false);
}
