#pragma once
// The minimum tool firmware versions of minver.ini, which the firmware-update
// program keeps beside its executable:
//
//   [CT]
//   HB110N=0106140B
//   RD300=0127
//
// Eight keys, one per tool model, each hexadecimal text (default "0"). A full
// version is VVVVBBRR: version in the high 16 bits, build in bits 15..8,
// release in bits 7..0. HB110N, RD300N and HB110A hold full versions, HB110
// and RD300 a bare 16-bit version.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct TMinVer {
    std::int32_t HB100 = 0;
    std::int32_t RD300 = 0;
    std::int32_t RM300 = 0;
    std::int32_t HB120 = 0;
    std::int32_t HB110 = 0;
    std::int32_t HB110A = 0;
    std::int32_t HB110N = 0;
    std::int32_t RD300N = 0;

    bool operator==(const TMinVer&) const = default;
};

// The keys in the order they are read.
inline constexpr std::array<const char*, 8> kMinVerKeys = {
    "HB100", "RD300", "RM300", "HB120", "HB110", "HB110A", "HB110N", "RD300N"};
inline constexpr const char* kMinVerSection = "CT";

struct TMinVerRead {
    TMinVer values;
    // The key whose value was not hexadecimal (reading stopped there); empty
    // when every key was read.
    std::string badKey;
};

// Parses the bytes of a minver.ini file. The keys are read in order; a value
// that is not 1 to 8 hexadecimal digits ends the reading: the minimums read
// before it keep their values, the rest stay 0. Never throws.
TMinVerRead parseMinVer(std::string_view bytes);

// The minimum of key number index (0..7) in kMinVerKeys order.
std::int32_t& minVerField(TMinVer& v, std::size_t index);
