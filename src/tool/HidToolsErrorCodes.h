#pragma once
// The tool error table: every non-zero exchange result has one line of text
// shown to the user.

#include "KvnTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct TErrorRecord {
    std::uint16_t ErrorCode = 0;
    std::string_view Text;
};

inline constexpr std::size_t kErrorRecordSlots = 151;
inline constexpr std::size_t kErrorRecordsFilled = 103;

// Slots 0 to 102 hold the known codes in table order; the rest keep code 0
// and an empty text. Constant from program start; never changed.
extern const std::array<TErrorRecord, kErrorRecordSlots> HIDToolsErrorCodes;

// The message for an exchange result. Codes whose low byte is 0xFD, 0xFE or
// 0xFF are general refusals and are looked up by that byte alone. A code
// without an entry (and 0) gives "Unknown error code".
std::string ToolErrorText(TExchangeResult Code);
