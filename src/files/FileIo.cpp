#include "FileIo.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

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
    // Read at most maxBytes + 1 so that an oversized file is noticed without
    // trusting its reported size.
    std::string buffer(maxBytes + 1, '\0');
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (in.bad()) {
        error = "cannot read " + pathText(path) + ": " + reasonFromErrno("read failed");
        return TReadStatus::Failed;
    }
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got > maxBytes) {
        error = pathText(path) + " is too large (more than " + std::to_string(maxBytes) + " bytes)";
        return TReadStatus::Failed;
    }
    buffer.resize(got);
    out = std::move(buffer);
    return TReadStatus::Ok;
}

bool writeWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error)
{
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
