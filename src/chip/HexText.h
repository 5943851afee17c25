#pragma once
// Register addresses and values as text: hexadecimal digits without prefix.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One hexadecimal number (1 to 8 digits, either case, nothing else); nullopt
// for empty text or any other character.
std::optional<std::uint32_t> parseHexText(std::string_view text);
// A register address of a text box: one hexadecimal number of 0..255.
std::optional<std::uint8_t> parseHexByte(std::string_view text);
// At least two upper-case digits: 5 -> "05", 171 -> "AB".
std::string hexByteText(std::uint32_t value);
