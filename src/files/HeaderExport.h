#pragma once
// The C header export: the chip's complete configuration as one #define per
// settings register, from the current blocks of the settings model and the
// main window's channel boxes (ACTIVE_CHS).
//
// Use (File, "Export H File", after the pending-changes question and the save
// dialog, default name kHeaderDefaultName): exportHeader(path, model, boxes,
// error); true -> filemsg::kHeaderExported, false -> kHeaderExportError.

#include <array>
#include <filesystem>
#include <string>

class TSettingsModel;

inline constexpr const char* kHeaderDefaultName = "MFS380A_Init.h";

namespace headerexport {

// The file's bytes: a comment block with single line feeds inside, CRLF after
// every line, one "#define NAME<tabs>0xHH" line per register, the device and
// timing registers in one section with ACTIVE_CHS between 0xD0 and 0xD2.
std::string headerText(const TSettingsModel& model, const std::array<bool, 6>& channelBoxes);

} // namespace headerexport

// Writes headerText to file. The file is replaced only once the whole text is
// written; on failure the old file stays and error says why.
bool exportHeader(const std::filesystem::path& file, const TSettingsModel& model,
                  const std::array<bool, 6>& channelBoxes, std::string& error);
