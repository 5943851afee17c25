#pragma once
// The recent settings files: full paths (RecentSettingsList) and, in the same
// order, the file names shown in the settings-file selectors
// (RecentSettingsListNames). The preferences file keeps the paths as
// "SettingsForm"/"Recent0", "Recent1", ... (TPreferences).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class TRecentSettings {
public:
    // Replaces the list (as read from the preferences file).
    void assign(const std::vector<std::string>& paths);

    // Appends the path unless it is listed already. Returns the new entry's
    // index, or nothing when it was listed (a file saved again is not added
    // twice).
    std::optional<std::size_t> add(const std::string& path);
    std::optional<std::size_t> indexOf(const std::string& path) const;
    // Removes one entry; the entries after it move down one index, and the
    // whole list is then stored again (TPreferences::writeRecent).
    bool remove(std::size_t index);
    void clear();

    const std::vector<std::string>& paths() const { return FPaths; }
    const std::vector<std::string>& names() const { return FNames; }
    std::size_t size() const { return FPaths.size(); }

    // The file name without its folder.
    static std::string nameOf(const std::string& path);

private:
    std::vector<std::string> FPaths;
    std::vector<std::string> FNames;
};
