#include "HexText.h"

std::optional<std::uint32_t> parseHexText(std::string_view text)
{
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    std::uint32_t v = 0;
    for (char c : text) {
        std::uint32_t d;
        if (c >= '0' && c <= '9')
            d = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            d = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            d = static_cast<std::uint32_t>(c - 'a' + 10);
        else
            return std::nullopt;
        v = (v << 4) | d;
    }
    return v;
}

std::optional<std::uint8_t> parseHexByte(std::string_view text)
{
    const auto v = parseHexText(text);
    if (!v || *v > 0xFF)
        return std::nullopt;
    return static_cast<std::uint8_t>(*v);
}

std::string hexByteText(std::uint32_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (s.size() < 2)
        s.insert(s.begin(), '0');
    return s;
}
