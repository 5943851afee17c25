#include "FieldCodec.h"

#include <algorithm>

TFieldValues defaultFieldValues()
{
    TFieldValues v{};
    for (const TFieldDesc& d : fieldTable())
        v[fieldIndex(d.Id)] = d.FormDefault;
    return v;
}

int clampToField(const TFieldDesc& desc, int value)
{
    return std::clamp(value, desc.Min, desc.Max);
}

int fieldFromBits(const TFieldDesc& desc, std::uint32_t bits)
{
    return clampToField(desc,
                        static_cast<int>(bits & static_cast<std::uint32_t>(desc.valueMask())));
}

int decodeField(const TFieldDesc& desc, std::span<const std::int32_t> block)
{
    std::uint32_t bits = 0;
    for (const TBitPart& p : desc.parts()) {
        const auto byte = static_cast<std::uint32_t>(block[p.Element]) & 0xFFu;
        bits |= ((byte >> p.Shift) & ((1u << p.Width) - 1u)) << p.ValueShift;
    }
    return fieldFromBits(desc, bits);
}

void encodeGroup(TSettingsGroup g, const TFieldValues& values,
                 std::span<const std::int32_t> carriedFrom, std::span<std::int32_t> block)
{
    const TGroupDesc& gd = groupDesc(g);
    for (std::size_t e = 0; e < gd.ElementCount; ++e)
        block[e] = carriedFrom[e] & gd.CarriedMask[e];
    for (TFieldId f : groupFields(g)) {
        const TFieldDesc& d = fieldDesc(f);
        const auto v = static_cast<std::uint32_t>(clampToField(d, values[fieldIndex(f)]));
        for (const TBitPart& p : d.parts()) {
            const std::uint32_t part = (v >> p.ValueShift) & ((1u << p.Width) - 1u);
            block[p.Element] |= static_cast<std::int32_t>(part << p.Shift);
        }
    }
}

void decodeGroup(TSettingsGroup g, std::span<const std::int32_t> block, TFieldValues& values)
{
    for (TFieldId f : groupFields(g))
        values[fieldIndex(f)] = decodeField(fieldDesc(f), block);
}
