// The preferences file: any bytes. The INI reader settles after one
// rewrite (writing what was read and reading it again changes nothing more),
// and whatever the program read from the file it can write back and read
// again without an error.
#include "IniDocument.h"
#include "Preferences.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path scratchFile()
{
    const char* shm = "/dev/shm";
    const std::filesystem::path folder =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    return folder / ("mfs380a-preferences-fuzz-" + std::to_string(getpid()) + ".ini");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file = scratchFile();
    const std::string text(reinterpret_cast<const char*>(data), size);

    TIniDocument doc;
    doc.parse(text);
    const std::string once = doc.serialise();
    TIniDocument again;
    again.parse(once);
    if (again.serialise() != once)
        std::abort();

    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    TPreferences prefs(file);
    TMainFormPrefs main;
    TScopeFormPrefs scope;
    TWindowPlacement placement{10, 20, 300, 200, false};
    std::vector<std::string> list;
    const bool mainRead = prefs.readMainForm(main);
    const bool scopeRead = prefs.readScopeForm(scope);
    prefs.readPlacement("SendComForm", placement);
    prefs.readRecent(list);
    prefs.readPrevTools(list);

    // What was read is written back, and reads again.
    if (mainRead && prefs.writeMainForm(main)) {
        TMainFormPrefs back;
        if (!prefs.readMainForm(back) || back.debugAddresses != main.debugAddresses ||
            back.bar1 != main.bar1 || back.bar2 != main.bar2 || back.hints != main.hints)
            std::abort();
    }
    if (scopeRead && prefs.writeScopeForm(scope)) {
        TScopeFormPrefs back;
        if (!prefs.readScopeForm(back) || back.colors != scope.colors || back.traces != scope.traces)
            std::abort();
    }
    std::error_code ec;
    std::filesystem::remove(file, ec);
    return 0;
}
