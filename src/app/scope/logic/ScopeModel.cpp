#include "ScopeModel.h"

#include "ScopeTexts.h"

namespace scope {

TAllState nextAllState(TAllState state)
{
    switch (state) {
    case TAllState::Unchecked: return TAllState::Greyed;
    case TAllState::Greyed: return TAllState::Checked;
    case TAllState::Checked: return TAllState::Unchecked;
    }
    return TAllState::Unchecked;
}

std::array<std::optional<bool>, kTraces>
allBoxEffect(TTraceGroup group, TAllState state, const std::array<bool, kTraces>& saved)
{
    std::array<std::optional<bool>, kTraces> out{};
    const int first = group == TTraceGroup::Counts ? scopetrace::Count0 : scopetrace::Lta0;
    const int count = group == TTraceGroup::Counts ? 6 : group == TTraceGroup::Ltas ? 2 : 0;
    for (int t = first; t < first + count; ++t) {
        const auto i = static_cast<std::size_t>(t);
        out[i] = state == TAllState::Greyed ? saved[i] : state == TAllState::Checked;
    }
    return out;
}

TScopeModel::TScopeModel(const IScopeHost& host) : FHost(host)
{
    for (int t = 0; t < kTraces; ++t)
        FSelected.set(static_cast<std::size_t>(t), kCreationSelection[static_cast<std::size_t>(t)]);
    FVisible.set();
}

void TScopeModel::Feed(const TScopeSample& sample)
{
    if (sample.StopTimer)
        UpdateTimer = false;
    if (sample.Count) {
        UpdateTimer = true;
        ++FBuffers.NrOfChartPoints;
    }
    for (int t = 0; t < kTraces; ++t)
        if (sample.has(t))
            FBuffers.AddXY(t, double(XPos), sample.Points[static_cast<std::size_t>(t)]);
    if (sample.Count)
        ++XPos;
}

void TScopeModel::setSelected(int trace, bool on)
{
    if (static_cast<unsigned>(trace) >= static_cast<unsigned>(kTraces))
        return;
    FSelected.set(static_cast<std::size_t>(trace), on);
    CheckActiveChannels();
}

bool TScopeModel::traceShown(int trace) const
{
    const TTraceInfo& info = kTraceTable[static_cast<std::size_t>(trace)];
    return selected(trace) && (info.Channel < 0 || FHost.channelEnabled(info.Channel));
}

std::bitset<kTraces> TScopeModel::UpdateVisibility()
{
    std::bitset<kTraces> changed;
    for (int t = 0; t < kTraces; ++t) {
        const auto i = static_cast<std::size_t>(t);
        if (!FBuffers.changed().test(i))
            continue;
        const bool shown = traceShown(t);
        if (FVisible.test(i) != shown) {
            FVisible.set(i, shown);
            changed.set(i);
        }
    }
    return changed;
}

TTickResult TScopeModel::Tick()
{
    TTickResult r;
    if (!FHost.isStreaming() || NoUpdate)
        return r;
    r.Ran = true;
    UpdateVisibility();
    r.HandOver = FBuffers.changed();
    if (XPos > X.Max) {
        const double step = double(XPos) - double(FPrevXPos);
        X.Min += step;
        X.Max += step;
        r.Scrolled = true;
    }
    FPrevXPos = XPos;
    if (AutoScale) {
        if (AutoScaleCount < 20) {
            ++AutoScaleCount;
        } else {
            AutoScaleCount = 0;
            Rescale();
            r.Rescaled = true;
        }
    }
    return r;
}

bool TScopeModel::Rescale()
{
    const TPointWindow window = rescaleWindow(FBuffers.full(), FBuffers.count(), FXRange);
    return applyRescale(Y, scanExtremes(FBuffers, FSelected, window), FHost.deltaOnly());
}

void TScopeModel::ResetAxes()
{
    resetView(X, Y, FXRange, XPos);
}

void TScopeModel::Restart(int xRangeSpin)
{
    FActiveChannels = false;
    NoUpdate = true;
    FBuffers.restart();
    UpdateTimer = false;
    XPos = 0;
    X.setOrdered(0, xRangeSpin);
    CheckActiveChannels();
    NoUpdate = false;
}

void TScopeModel::CheckActiveChannels()
{
    for (int n = 0; n < 6; ++n) {
        if (selected(scopetrace::Count0 + n) && FHost.channelEnabled(n)) {
            FActiveChannels = true;
            return;
        }
    }
    if (!FHost.deltaOnly()) {
        for (int n = 0; n < 3; ++n) {
            if (selected(scopetrace::Lta0 + n) && FHost.channelEnabled(n)) {
                FActiveChannels = true;
                return;
            }
        }
        for (int t : {scopetrace::QuickRelease, scopetrace::Hall, scopetrace::Hysteresis,
                      scopetrace::Temperature}) {
            if (selected(t)) {
                FActiveChannels = true;
                return;
            }
        }
    }
    FActiveChannels = false;
}

TEntryResult TScopeModel::SetYMax(std::string_view text)
{
    const auto value = parseWholeNumber(text);
    if (!value)
        return {msg::kNotWhole, axisText(Y.Max)};
    if (!(*value > Y.Min))
        return {msg::kMaxNotAboveMin, axisText(Y.Max)};
    Y.setMaximum(*value);
    return {};
}

TEntryResult TScopeModel::SetYMin(std::string_view text)
{
    const auto value = parseWholeNumber(text);
    if (!value)
        return {msg::kNotWhole, axisText(Y.Min)};
    if (!(*value < Y.Max))
        return {msg::kMinNotBelowMax, axisText(Y.Min)};
    Y.setMinimum(*value);
    return {};
}

void TScopeModel::SetYInc(int value)
{
    if (value >= kYIncMin && value <= kYIncMax)
        FYInc = value;
}

bool TScopeModel::SetXRange(int value)
{
    if (value < kXRangeMin || value > kXRangeMax)
        return false;
    FXRange = value;
    ResetAxes();
    return true;
}

} // namespace scope
