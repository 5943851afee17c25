#pragma once
// The register script "load.txt": one register write per line, hexadecimal
// bytes separated by commas, the register address first ("D0, 08"). Blanks
// around a byte are allowed; a line with fewer than two fields is skipped;
// the script ends at its first empty line. A field that is not one
// hexadecimal byte makes the whole script bad, so nothing of it is written.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

using TRegisterWrites = std::vector<std::vector<std::uint8_t>>;

// The writes in script order; nothing when the script is bad.
std::optional<TRegisterWrites> parseRegisterScript(std::string_view text);
