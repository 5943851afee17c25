#include "RecentSettings.h"

#include <algorithm>

std::string TRecentSettings::nameOf(const std::string& path)
{
    // Either separator, so that a list written on Windows reads right anywhere.
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void TRecentSettings::assign(const std::vector<std::string>& paths)
{
    clear();
    for (const auto& p : paths)
        add(p);
}

std::optional<std::size_t> TRecentSettings::indexOf(const std::string& path) const
{
    const auto it = std::find(FPaths.begin(), FPaths.end(), path);
    if (it == FPaths.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - FPaths.begin());
}

std::optional<std::size_t> TRecentSettings::add(const std::string& path)
{
    if (path.empty() || indexOf(path))
        return std::nullopt;
    FPaths.push_back(path);
    FNames.push_back(nameOf(path));
    return FPaths.size() - 1;
}

bool TRecentSettings::remove(std::size_t index)
{
    if (index >= FPaths.size())
        return false;
    FPaths.erase(FPaths.begin() + static_cast<std::ptrdiff_t>(index));
    FNames.erase(FNames.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void TRecentSettings::clear()
{
    FPaths.clear();
    FNames.clear();
}
