#pragma once
// --sim-tool PID:VERSION:BUILD:RELEASE[:SERIAL]: one simulated tool with a
// chosen product id, firmware and serial number, e.g. 0x108:0106:20:0B or
// 103:0127:4:0B:RD-7. PID, VERSION and RELEASE are hexadecimal (PID may carry
// 0x), BUILD decimal; without SERIAL the simulator numbers the tools.

#include "SimTypes.h"

#include <QString>
#include <optional>

// The tool of one option value; nothing with error set when it is malformed.
std::optional<sim::ToolConfig> parseSimTool(const QString& text, QString& error);

inline constexpr const char* kSimToolSyntax = "PID:VERSION:BUILD:RELEASE[:SERIAL]";
