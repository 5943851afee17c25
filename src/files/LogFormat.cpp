#include "LogFormat.h"

#include "LiveChannelState.h"
#include "StreamTable.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

void addField(std::string& line, std::string_view text)
{
    line += '\t';
    line += text;
}

void addNumber(std::string& line, std::int64_t value)
{
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec; // 24 characters hold every 64-bit value
    line += '\t';
    line.append(buf, end);
}

template <std::size_t N> bool any(const std::array<bool, N>& a)
{
    return std::any_of(a.begin(), a.end(), [](bool b) { return b; });
}

} // namespace

bool TLogSelection::anyChannelColumn() const
{
    return any(counts) || any(lta) || any(delta) || any(prox) || any(touch);
}

TLogStreamNeeds missingStreaming(const TLogSelection& s, const TStreamLayout& layout)
{
    TLogStreamNeeds needs;
    needs.counts = (any(s.counts) || any(s.delta)) && !layout.CSActive;
    needs.lta = (any(s.lta) || any(s.delta)) && !layout.LTAActive;
    needs.proxTouch = (any(s.prox) || any(s.touch)) && !layout.PTActive;
    return needs;
}

TLogSample logSample(const TLiveChannelState& state)
{
    TLogSample v;
    v.qrd = state.FQRDValue;
    v.hall = static_cast<std::uint16_t>(state.FHallValue);
    v.metal = state.FMetalUIValue;
    v.counts = state.FCurrentChs;
    for (std::size_t n = 0; n < 3; ++n) {
        v.lta[n] = state.FLTAChs[n];
        v.delta[n] = state.FDeltaChs[n];
        v.prox[n] = state.FProxBools[n];
        v.touch[n] = state.FTouchBools[n];
    }
    return v;
}

namespace logformat {

std::string headerLine(const TLogSelection& s)
{
    std::string line = "Time Stamp\tTime Difference (ms)";
    if (s.qrd)
        addField(line, "SAR Quick Release");
    if (s.hall)
        addField(line, "Hall Value");
    if (s.metal)
        addField(line, "Metal Detect Value");
    const auto columns = [&line](const auto& chosen, const char* title) {
        for (std::size_t n = 0; n < chosen.size(); ++n)
            if (chosen[n])
                addField(line, title + std::to_string(n));
    };
    columns(s.counts, "Count CH");
    columns(s.lta, "LTA CH");
    columns(s.delta, "Delta CH");
    columns(s.prox, "Prox CH");
    columns(s.touch, "Touch CH");
    return line;
}

std::string timeStamp(const TLogClockTime& t)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.(%03d)", t.hour, t.minute, t.second,
                  t.millisecond);
    return buf;
}

std::string dataLine(const TLogSelection& s, const TLogSample& v, const TLogClockTime& time,
                     std::optional<std::int64_t> msSincePrevious)
{
    std::string line = timeStamp(time);
    if (msSincePrevious)
        addNumber(line, *msSincePrevious);
    else
        addField(line, "-");
    if (s.qrd)
        addNumber(line, v.qrd);
    if (s.hall)
        addNumber(line, v.hall);
    if (s.metal)
        addNumber(line, v.metal);
    const auto values = [&line](const auto& chosen, const auto& value) {
        for (std::size_t n = 0; n < chosen.size(); ++n)
            if (chosen[n])
                addNumber(line, static_cast<std::int64_t>(value[n]));
    };
    values(s.counts, v.counts);
    values(s.lta, v.lta);
    values(s.delta, v.delta);
    values(s.prox, v.prox);
    values(s.touch, v.touch);
    return line;
}

} // namespace logformat
