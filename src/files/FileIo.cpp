#include "FileIo.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

std::string reasonFromErrno(const char* fallback)
{
    const int e = errno;
    return e != 0 ? std::string(std::strerror(e)) : std::string(fallback);
}

// Writes bytes to path (truncating it). False with error set on any failure.
bool writeInPlace(const std::filesystem::path& path, std::string_view bytes, std::string& error)
{
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot create " + pathText(path) + ": " + reasonFromErrno("open failed");
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        error = "cannot write " + pathText(path) + ": " + reasonFromErrno("write failed");
        return false;
    }
    out.close();
    if (out.fail()) {
        error = "cannot close " + pathText(path) + ": " + reasonFromErrno("close failed");
        return false;
    }
    return true;
}

// The file a path names after following its symbolic links (a link to a file
// not made yet gives that file). Nothing when the links loop.
std::optional<std::filesystem::path> followLinks(std::filesystem::path path, std::string& error)
{
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(path, ec))
            return path;
        const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
        if (ec) {
            error = "cannot follow the link " + pathText(path) + ": " + ec.message();
            return std::nullopt;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    error = "too many links in " + pathText(path);
    return std::nullopt;
}

// Whether an existing file may be replaced: someone may write it (a file with
// no write permission at all is read-only, even for an administrator) and
// this user may.
bool mayReplace(const std::filesystem::path& path, const struct stat& st, std::string& error)
{
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        error = pathText(path) + " is read-only";
        return false;
    }
    if (::access(path.c_str(), W_OK) != 0) {
        error = "cannot write " + pathText(path) + ": " + reasonFromErrno("no permission");
        return false;
    }
    return true;
}

std::filesystem::path temporaryBeside(const std::filesystem::path& path)
{
    static std::atomic<unsigned> counter{0};
    std::filesystem::path tmp = path;
    tmp += ".tmp" + std::to_string(++counter);
    return tmp;
}

} // namespace

std::string pathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TReadStatus readWholeFile(const std::filesystem::path& path, std::string& out, std::string& error,
                          std::size_t maxBytes)
{
    out.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return TReadStatus::Missing;
    if (ec) {
        error = "cannot open " + pathText(path) + ": " + ec.message();
        return TReadStatus::Failed;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        error = pathText(path) + " is not a regular file";
        return TReadStatus::Failed;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + pathText(path) + ": " + reasonFromErrno("open failed");
        return TReadStatus::Failed;
    }
    // Read in pieces, at most maxBytes + 1 in all, so that an oversized file is
    // noticed without trusting its reported size (and a small file costs
    // little).
    std::string buffer;
    char piece[16384];
    while (in) {
        in.read(piece, static_cast<std::streamsize>(sizeof piece));
        if (in.bad()) {
            error = "cannot read " + pathText(path) + ": " + reasonFromErrno("read failed");
            return TReadStatus::Failed;
        }
        buffer.append(piece, static_cast<std::size_t>(in.gcount()));
        if (buffer.size() > maxBytes) {
            error = pathText(path) + " is too large (more than " + std::to_string(maxBytes) +
                    " bytes)";
            return TReadStatus::Failed;
        }
    }
    out = std::move(buffer);
    return TReadStatus::Ok;
}

std::optional<std::string> notTextReason(std::string_view bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    auto at = [](std::size_t i) { return " at byte " + std::to_string(i); };
    for (std::size_t i = 0; i < n;) {
        const unsigned c = b[i];
        if (c == 0)
            return "a NUL byte" + at(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            cp = c & 0x07;
        } else {
            return "invalid UTF-8" + at(i);
        }
        if (i + length > n)
            return "invalid UTF-8" + at(i);
        for (std::size_t k = 1; k < length; ++k) {
            if ((b[i + k] & 0xC0) != 0x80)
                return "invalid UTF-8" + at(i);
            cp = (cp << 6) | (b[i + k] & 0x3F);
        }
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return "invalid UTF-8" + at(i);
        i += length;
    }
    return std::nullopt;
}

TReadStatus readTextFile(const std::filesystem::path& path, std::string& out, std::string& error,
                         std::size_t maxBytes)
{
    const TReadStatus status = readWholeFile(path, out, error, maxBytes);
    if (status != TReadStatus::Ok)
        return status;
    if (const auto reason = notTextReason(out)) {
        out.clear();
        error = pathText(path) + " is not a text file (" + *reason + ")";
        return TReadStatus::Failed;
    }
    return TReadStatus::Ok;
}

bool writeWholeFile(const std::filesystem::path& named, std::string_view bytes, std::string& error)
{
    const auto resolved = followLinks(named, error);
    if (!resolved)
        return false;
    const std::filesystem::path& path = *resolved;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISREG(existing.st_mode) && !mayReplace(path, existing, error))
        return false;

    const std::filesystem::path tmp = temporaryBeside(path);
    {
        errno = 0;
        std::ofstream probe(tmp, std::ios::binary | std::ios::trunc);
        if (!probe)
            return writeInPlace(path, bytes, error);
    }
    std::error_code ec;
    if (!writeInPlace(tmp, bytes, error)) {
        std::filesystem::remove(tmp, ec);
        error = "cannot write " + pathText(path) + " (" + error + ")";
        return false;
    }
    if (exists && S_ISREG(existing.st_mode)) {
        // The new file takes the old one's permissions (and owner, where
        // this user may give it).
        ::chmod(tmp.c_str(), existing.st_mode & 07777);
        [[maybe_unused]] const int ignored = ::chown(tmp.c_str(), existing.st_uid, existing.st_gid);
    }
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        error = "cannot replace " + pathText(path) + ": " + ec.message();
        return false;
    }
    return true;
}

bool makeFolders(const std::filesystem::path& folder, std::string& error)
{
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec))
        return true;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder)) {
        error = "cannot create folder " + pathText(folder) + (ec ? ": " + ec.message() : "");
        return false;
    }
    return true;
}

} // namespace files
