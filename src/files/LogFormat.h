#pragma once
// The data log's text: the header line from the chosen columns and one data
// line per logged frame, fields separated by one tab. Lines are returned
// without their line end; the writer ends each with CRLF.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct TLiveChannelState;
struct TStreamLayout;

// The columns and rate chosen on the "Data Logging" page, copied when the log
// starts and used for the header and every line.
struct TLogSelection {
    bool qrd = true;   // LogQRDCheck "SAR Quick Release:"
    bool hall = true;  // LogHallCheck "HALL:"
    bool metal = true; // LogMDCheck "Hysteresis:"
    std::array<bool, 6> counts = {true, true, false, false, false, false}; // LogCountChecks
    std::array<bool, 3> lta{};                                             // LogLTAChecks
    std::array<bool, 3> delta{};                                           // LogDTChecks
    std::array<bool, 3> prox{};                                            // LogPChecks
    std::array<bool, 3> touch{};                                           // LogTChecks
    bool everyX = false; // LogCombo: "Log Every (X Samples)" (index 1)
    int sampleRate = 5;  // SampleRateSpin, 1 to 100

    // A log needs at least one of the 18 channel columns.
    bool anyChannelColumn() const;
};

// The decoded values of one frame that the log can show.
struct TLogSample {
    std::uint16_t qrd = 0;                // FQRDValue
    std::uint16_t hall = 0;               // FHallValue as received (never signed by the pole)
    std::uint16_t metal = 0;              // FMetalUIValue
    std::array<std::int32_t, 6> counts{}; // FCurrentChs
    std::array<std::int32_t, 3> lta{};    // FLTAChs[0..2]
    std::array<std::int32_t, 3> delta{};  // FDeltaChs[0..2]
    std::array<bool, 3> prox{};           // FProxBools[0..2]
    std::array<bool, 3> touch{};          // FTouchBools[0..2]
};

// Streaming blocks a log needs but the stream address table in force lacks:
// counts need the count block, averages the average block, deltas both, prox
// and touch the prox and touch flags. All false: nothing to offer.
struct TLogStreamNeeds {
    bool counts = false;    // tick "Count Samples"
    bool lta = false;       // tick "Long Term Averages (LTA)"
    bool proxTouch = false; // tick "Prox && Touch"

    bool any() const { return counts || lta || proxTouch; }
    bool operator==(const TLogStreamNeeds&) const = default;
};
TLogStreamNeeds missingStreaming(const TLogSelection& selection, const TStreamLayout& layout);

// The loggable values of the live channel state. The Hall value is taken as
// received (unsigned), not signed by the pole as the display shows it.
TLogSample logSample(const TLiveChannelState& state);

// Local time of day of a logged line.
struct TLogClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

namespace logformat {

// "Time Stamp\tTime Difference (ms)" and a tab and a title per chosen column.
std::string headerLine(const TLogSelection& selection);

// "hh:mm:ss.(zzz)", for example "14:03:27.(512)".
std::string timeStamp(const TLogClockTime& time);

// The time stamp, "-" when msSincePrevious is empty (the first line) or the
// whole milliseconds, then the chosen values in header order.
std::string dataLine(const TLogSelection& selection, const TLogSample& sample,
                     const TLogClockTime& time, std::optional<std::int64_t> msSincePrevious);

} // namespace logformat
