#include "DataLogWriter.h"

#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <fstream>

namespace {

std::unique_ptr<std::ostream> openFile(const std::filesystem::path& file)
{
    return std::make_unique<std::ofstream>(file, std::ios::binary | std::ios::trunc);
}

std::string reason()
{
    const int e = errno;
    return e != 0 ? std::string(": ") + std::strerror(e) : std::string();
}

} // namespace

TLogTime TLogTime::now()
{
    using namespace std::chrono;
    const auto wall = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(wall);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    TLogTime t;
    t.clock.hour = local.tm_hour;
    t.clock.minute = local.tm_min;
    t.clock.second = local.tm_sec;
    t.clock.millisecond =
        static_cast<int>(duration_cast<milliseconds>(wall.time_since_epoch()).count() % 1000);
    t.steadyMs = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return t;
}

TDataLogWriter::TDataLogWriter() : TDataLogWriter(openFile) {}

TDataLogWriter::TDataLogWriter(TOpenStream open) : FOpen(std::move(open)) {}

TDataLogWriter::~TDataLogWriter() = default;

bool TDataLogWriter::start(const std::filesystem::path& file, const TLogSelection& selection)
{
    stop();
    FError.clear();
    FFileName = file;
    FSelection = selection;
    FSelection.sampleRate = std::clamp(FSelection.sampleRate, 1, 100);
    FSampleCount = 0;
    FFirstTime = true;
    errno = 0;
    FOut = FOpen(file);
    if (!FOut || !*FOut) {
        FOut.reset();
        FError = "cannot create " + files::pathText(file) + reason();
        return false;
    }
    if (!writeLine(logformat::headerLine(FSelection))) {
        FError = "cannot write " + files::pathText(file) + reason();
        FOut.reset();
        return false;
    }
    return true;
}

TDataLogWriter::TFrameResult TDataLogWriter::frame(const TLogSample& sample)
{
    if (!isLogging())
        return TFrameResult::NotLogging;
    return frame(sample, TLogTime::now());
}

TDataLogWriter::TFrameResult TDataLogWriter::frame(const TLogSample& sample, const TLogTime& time)
{
    if (!isLogging())
        return TFrameResult::NotLogging;
    if (FSelection.everyX) {
        if (++FSampleCount < FSelection.sampleRate)
            return TFrameResult::Skipped;
        FSampleCount = 0;
    }
    std::optional<std::int64_t> difference;
    if (!FFirstTime)
        difference = time.steadyMs - FPreTimeMs;
    FFirstTime = false;
    FPreTimeMs = time.steadyMs;
    errno = 0;
    if (!writeLine(logformat::dataLine(FSelection, sample, time.clock, difference), !FDeferred)) {
        FError = "cannot write " + files::pathText(FFileName) + reason();
        FOut.reset();
        return TFrameResult::Failed;
    }
    return TFrameResult::Written;
}

bool TDataLogWriter::stop()
{
    const bool written = flush();
    FOut.reset();
    FUnflushed = false;
    return written;
}

bool TDataLogWriter::flush()
{
    if (!isLogging() || !FUnflushed)
        return true;
    errno = 0;
    FOut->flush();
    FUnflushed = false;
    if (!*FOut) {
        FError = "cannot write " + files::pathText(FFileName) + reason();
        FOut.reset();
        return false;
    }
    return true;
}

bool TDataLogWriter::writeLine(const std::string& line, bool flushNow)
{
    *FOut << line << "\r\n";
    if (flushNow)
        FOut->flush();
    FUnflushed = !flushNow;
    return static_cast<bool>(*FOut);
}
