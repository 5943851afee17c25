#pragma once
// The data log file: created with its header line when the log starts, one
// line per logged frame, each line flushed so it is on disk when the frame
// has been handled. With deferred flushing the owner flushes instead, once per
// batch of frames (at high frame rates a write per line would cost more than
// the rest of the frame's handling). A line that cannot be written stops the
// log with an error instead of going on silently.
//
// Use: start(path, selection) when the user starts the log (false: report
// filemsg::kLogStartError and kLogStartDialog); frame(sample) for every
// accepted frame while logging (Failed: the log is closed, report
// filemsg::kLogWriteError and set the button back to "Start Log"); stop()
// when the user stops it (report filemsg::kLogStopped, or kLogWriteError when
// the last buffered lines could not be written).

#include "LogFormat.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

// When a line is written: the local time of day for its stamp and a monotonic
// millisecond count for the difference to the previous line (so a clock
// change cannot give a negative or huge difference).
struct TLogTime {
    TLogClockTime clock;
    std::int64_t steadyMs = 0;

    static TLogTime now();
};

class TDataLogWriter {
public:
    // Opens the log's output; the default opens the file for writing,
    // replacing it. Tests hand in streams that fail on purpose.
    using TOpenStream = std::function<std::unique_ptr<std::ostream>(const std::filesystem::path&)>;

    TDataLogWriter();
    explicit TDataLogWriter(TOpenStream open);
    ~TDataLogWriter();

    // Creates or overwrites the file and writes the header line. The selection
    // is kept for every line; the sample count starts at zero and the next
    // line is the first. False when the file cannot be created or written:
    // nothing is left open and error() says why.
    bool start(const std::filesystem::path& file, const TLogSelection& selection);

    enum class TFrameResult { NotLogging, Skipped, Written, Failed };
    // One accepted frame. With "Log Every (X Samples)" only every X-th frame
    // is written, the first being the X-th after the start.
    TFrameResult frame(const TLogSample& sample);
    TFrameResult frame(const TLogSample& sample, const TLogTime& time);

    // Writes out buffered lines and closes the file. False when those lines
    // could not be written (error() says why). Safe to call when not logging.
    bool stop();

    // Deferred: frame() leaves its line in the buffer until flush().
    void setDeferredFlush(bool deferred) { FDeferred = deferred; }
    bool hasUnflushed() const { return FUnflushed; }
    // Writes out the buffered lines. False when that fails: the log is
    // closed and error() says why. True when not logging.
    bool flush();

    bool isLogging() const { return FOut != nullptr; }
    const std::filesystem::path& fileName() const { return FFileName; }
    const TLogSelection& selection() const { return FSelection; }
    const std::string& error() const { return FError; }

private:
    bool writeLine(const std::string& line, bool flushNow = true);

    TOpenStream FOpen;
    std::unique_ptr<std::ostream> FOut; // FLogFile
    std::filesystem::path FFileName;    // FLogFileName
    TLogSelection FSelection;
    bool FFirstTime = true;
    int FSampleCount = 0;
    std::int64_t FPreTimeMs = 0;
    std::string FError;
    bool FDeferred = false;
    bool FUnflushed = false;
};
