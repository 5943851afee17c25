#include "MinVer.h"

#include "HexText.h"
#include "IniDocument.h"

std::int32_t& minVerField(TMinVer& v, std::size_t index)
{
    switch (index) {
    case 0: return v.HB100;
    case 1: return v.RD300;
    case 2: return v.RM300;
    case 3: return v.HB120;
    case 4: return v.HB110;
    case 5: return v.HB110A;
    case 6: return v.HB110N;
    default: return v.RD300N;
    }
}

TMinVerRead parseMinVer(std::string_view bytes)
{
    TMinVerRead read;
    TIniDocument ini;
    try {
        ini.parse(bytes);
    } catch (...) {
        return read; // nothing readable: every minimum stays 0
    }
    for (std::size_t i = 0; i < kMinVerKeys.size(); ++i) {
        const std::string text = ini.value(kMinVerSection, kMinVerKeys[i]).value_or("0");
        const auto value = parseHexText(text);
        if (!value) {
            read.badKey = kMinVerKeys[i];
            break;
        }
        minVerField(read.values, i) = static_cast<std::int32_t>(*value);
    }
    return read;
}
