#pragma once
// Types shared by the configuration-tool components and their users.

#include <array>
#include <cstdint>

// Carries tool reports, register data blocks and stream templates.
using TKvnByteArray = std::array<std::uint8_t, 32768>;

// Result of every configuration-tool operation: 0 is success, anything else
// has a message in the error table (ToolErrorText).
using TExchangeResult = std::uint16_t;
