#include "DisplayInputs.h"

#include <charconv>

std::uint32_t quickReleaseResetTime(std::string_view boxText)
{
    constexpr std::uint32_t kDefault = 2000;
    constexpr std::uint32_t kLongest = 3600000; // an hour; longer is a typing slip
    while (!boxText.empty() && boxText.front() == ' ')
        boxText.remove_prefix(1);
    while (!boxText.empty() && boxText.back() == ' ')
        boxText.remove_suffix(1);
    if (boxText.empty())
        return kDefault;
    std::uint32_t ms = 0;
    const auto* end = boxText.data() + boxText.size();
    const auto [ptr, ec] = std::from_chars(boxText.data(), end, ms);
    if (ec != std::errc() || ptr != end || ms > kLongest)
        return kDefault;
    return ms;
}
