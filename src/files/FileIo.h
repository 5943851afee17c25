#pragma once
// Whole-file reads and writes shared by the settings file, the header export and
// the preferences file. Plain C++: errors come back as text, never as exceptions.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace files {

// Files this program reads whole are small; anything larger is refused rather
// than pulled into memory (a wrongly chosen file must not hang the program).
inline constexpr std::size_t kMaxReadBytes = 1024 * 1024;

// A path as UTF-8 text for messages (never throws, whatever the platform's
// own encoding of the name).
std::string pathText(const std::filesystem::path& path);

enum class TReadStatus { Ok, Missing, Failed };

// Reads the whole file into out. Missing: there is no such file. Failed: it
// exists but cannot be read, is not a regular file, or is larger than maxBytes;
// error then says why.
TReadStatus readWholeFile(const std::filesystem::path& path, std::string& out, std::string& error,
                          std::size_t maxBytes = kMaxReadBytes);

// Why bytes are not text, or nothing when they are: text holds no NUL byte
// and is valid UTF-8 (ASCII included; a byte-order mark may start it). The
// reason names the first offending byte's offset.
std::optional<std::string> notTextReason(std::string_view bytes);

// readWholeFile for a text file: a file that is not text is Failed, with
// error saying "<path> is not a text file (...)".
TReadStatus readTextFile(const std::filesystem::path& path, std::string& out, std::string& error,
                         std::size_t maxBytes = kMaxReadBytes);

// Writes bytes as the file's complete new content. The bytes go to a temporary
// file beside it first, which then replaces the file, so a failed write (disk
// full, no permission) leaves the old file as it was. Where no temporary file
// can be made (a folder that is not writable) the file is written in place.
// A symbolic link is written through: its target gets the content and the
// link stays. An existing file keeps its permissions; one that nobody may
// write (read-only), or that this user may not write, is refused.
// Returns false with error set when the content did not reach the file.
bool writeWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

// Creates the folder and its parents when missing. False with error set when
// it cannot.
bool makeFolders(const std::filesystem::path& folder, std::string& error);

} // namespace files
