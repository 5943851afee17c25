#include "SettingsModel.h"

#include <algorithm>

TSettingsModel::TSettingsModel() : FValues(defaultFieldValues()) {}

int TSettingsModel::setFieldValue(TFieldId f, int value)
{
    return FValues[fieldIndex(f)] = clampToField(fieldDesc(f), value);
}

std::span<const std::int32_t> TSettingsModel::current(TSettingsGroup g) const
{
    return {FCurrent[groupIndex(g)].data(), groupDesc(g).ElementCount};
}

std::span<const std::int32_t> TSettingsModel::previous(TSettingsGroup g) const
{
    return {FPrevious[groupIndex(g)].data(), groupDesc(g).ElementCount};
}

bool TSettingsModel::setPrevious(TSettingsGroup g, std::span<const std::int32_t> values)
{
    const std::size_t n = groupDesc(g).ElementCount;
    if (values.size() < n)
        return false;
    TBlock& prev = FPrevious[groupIndex(g)];
    for (std::size_t i = 0; i < n; ++i)
        prev[i] = values[i] & 0xFF; // blocks hold register bytes only
    return true;
}

void TSettingsModel::get(TSettingsGroup g)
{
    TBlock& cur = FCurrent[groupIndex(g)];
    const TBlock carried = cur;
    encodeGroup(g, FValues, carried, cur);
}

bool TSettingsModel::set(TSettingsGroup g, std::span<const std::int32_t> values)
{
    const std::size_t n = groupDesc(g).ElementCount;
    if (values.size() < n)
        return false;
    // values may be the previous block itself (Undo, readers' step 2).
    TBlock copy{};
    std::copy_n(values.begin(), n, copy.begin());
    // Blocks hold register bytes only.
    for (std::size_t i = 0; i < n; ++i)
        copy[i] &= 0xFF;
    FCurrent[groupIndex(g)] = copy;
    decodeGroup(g, {copy.data(), n}, FValues);
    // The simplified channel panels show what the engineering fields now
    // hold, whoever sets the group (a read, a file, Undo): a panel still
    // showing older values would write them back with its next edit.
    if (g == TSettingsGroup::PxsSetup)
        LinkEngToCh(*this);
    return true;
}

bool TSettingsModel::detectChange(TSettingsGroup g)
{
    get(g);
    const std::size_t i = groupIndex(g);
    const std::size_t n = groupDesc(g).ElementCount;
    FChanged[i] = !std::equal(FCurrent[i].begin(), FCurrent[i].begin() + static_cast<long>(n),
                              FPrevious[i].begin());
    return FChanged[i];
}

bool TSettingsModel::anyChanged() const
{
    return std::any_of(FChanged.begin(), FChanged.end(), [](bool c) { return c; });
}

void TSettingsModel::snapshot(TSettingsGroup g)
{
    rebaseline(g);
    FChanged[groupIndex(g)] = false;
}

void TSettingsModel::ResetDefault()
{
    for (TSettingsGroup g : kAllGroups)
        snapshot(g);
}

void TSettingsModel::rebaseline(TSettingsGroup g)
{
    get(g);
    FPrevious[groupIndex(g)] = FCurrent[groupIndex(g)];
}

void TSettingsModel::undo(TSettingsGroup g)
{
    set(g, previous(g));
    FChanged[groupIndex(g)] = false;
}
