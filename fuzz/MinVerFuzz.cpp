// minver.ini of the firmware-update program: any bytes. Reading stops at the
// first bad value with the minimums before it kept, and the minimums read
// written out again read back the same.
#include "MinVer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TMinVerRead read = parseMinVer(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string text = "[CT]\r\n";
    TMinVer values = read.values;
    for (std::size_t i = 0; i < kMinVerKeys.size(); ++i) {
        char line[40];
        std::snprintf(line, sizeof line, "%s=%X\r\n", kMinVerKeys[i],
                      static_cast<unsigned>(minVerField(values, i)));
        text += line;
    }
    const TMinVerRead again = parseMinVer(text);
    if (!again.badKey.empty() || !(again.values == read.values))
        std::abort();
    return 0;
}
