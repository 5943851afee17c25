#pragma once
// Field values <-> register bytes, as pure functions over the field table.

#include "FieldTable.h"

#include <cstdint>
#include <span>

// All field values, indexed by fieldIndex (what the settings controls hold).
using TFieldValues = std::array<int, kFieldCount>;

// Field values at their form defaults.
TFieldValues defaultFieldValues();

// A value as a field takes it from a register: masked to the field's bits,
// then an out-of-range value becomes the nearest end of the range.
int fieldFromBits(const TFieldDesc& desc, std::uint32_t bits);
// A value as a control takes it from the user: the nearest end of the range.
int clampToField(const TFieldDesc& desc, int value);

// Get: builds the group's block (ElementCount elements) from field values.
// Every element starts from 0 except the carried bits (TGroupDesc::CarriedMask),
// which come from carriedFrom (the current block).
void encodeGroup(TSettingsGroup g, const TFieldValues& values,
                 std::span<const std::int32_t> carriedFrom, std::span<std::int32_t> block);

// Set: writes the fields of the group from block (only the low 8 bits of each
// element count); values wider than a field are masked, values outside a range
// become the nearest end. Fields of other groups are left alone.
void decodeGroup(TSettingsGroup g, std::span<const std::int32_t> block, TFieldValues& values);

// One field's value read straight from a block of its group.
int decodeField(const TFieldDesc& desc, std::span<const std::int32_t> block);
