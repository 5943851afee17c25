#pragma once
// A fresh folder under the system's temporary folder, removed with its content
// when the test ends.

#include <filesystem>
#include <string>
#include <string_view>

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& path() const { return FPath; }
    std::filesystem::path operator/(std::string_view name) const { return FPath / name; }

    static std::string read(const std::filesystem::path& file);
    static void write(const std::filesystem::path& file, std::string_view bytes);

private:
    std::filesystem::path FPath;
};
