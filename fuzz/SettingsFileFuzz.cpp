// The device settings file: any bytes. Reading never goes beyond a bad value,
// applying hands the models only values of the right width, and a file read
// in full saves to a file that reads back to the same register values; the
// header of what was applied can always be made.
#include "HeaderExport.h"
#include "SettingsFile.h"
#include "SettingsModel.h"
#include "SetupModel.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const TSettingsFileRead read = parseSettingsFile(text);

    TSettingsModel model;
    TSetupModel setup;
    TChannelBoxes boxes{true, true, true, true, true, true};
    const TSettingsLoadPlan plan = applySettingsFile(read, model, setup, boxes);
    if (plan.complete != (read.status == TSettingsFileRead::TStatus::Ok))
        std::abort();
    for (TSettingsGroup g : kAllGroups) {
        for (std::int32_t v : model.current(g))
            if (v < 0 || v > 0xFF)
                std::abort();
    }
    if (read.status != TSettingsFileRead::TStatus::Ok)
        return 0;

    // Saved and read again: the same registers and boxes.
    const TSettingsFileRead again = parseSettingsFile(settingsFileText(model, setup, boxes));
    if (again.status != TSettingsFileRead::TStatus::Ok)
        std::abort();
    for (TSettingsGroup g : kIniOrder) {
        const auto& a = read.content.groups[groupIndex(g)];
        const auto& b = again.content.groups[groupIndex(g)];
        if (!a || !b || *a != *b)
            std::abort();
    }
    if (again.content.channels != read.content.channels ||
        again.content.streaming != read.content.streaming ||
        again.content.comms != read.content.comms ||
        again.content.deltaOnly != read.content.deltaOnly)
        std::abort();

    model.ResetDefault();
    if (headerexport::headerText(model, boxes).empty())
        std::abort();
    return 0;
}
