#include "HeaderExport.h"

#include "FileIo.h"
#include "GroupTransfer.h"
#include "HexText.h"
#include "MemoryMap.h"
#include "SettingsGroups.h"
#include "SettingsModel.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

constexpr const char* kEol = "\r\n";

constexpr const char* kOpeningComment =
    "/*\n"
    "* This file contains all the necessary settings for the MFS380A and this file can\n"
    "* be changed from the GUI or edited here\n"
    "* File:   MFS380A_init.h\n"
    "* Author: Kelvan\n"
    "*/";

// The group whose block holds the register, if any.
std::optional<TSettingsGroup> groupOf(std::uint8_t address)
{
    for (TSettingsGroup g : kAllGroups)
        if (groupDesc(g).elementOf(address) >= 0)
            return g;
    return std::nullopt;
}

// A register's exported value: ACTIVE_CHS from the channel boxes, every other
// register from the current block of its group.
int exportedValue(std::uint8_t address, const TSettingsModel& model,
                  const std::array<bool, 6>& channelBoxes)
{
    if (address == reg::ActiveChs)
        return activeChsMask(channelBoxes);
    const auto g = groupOf(address);
    if (!g)
        throw std::logic_error("no settings group holds register " + hexByteText(address));
    return model.current(*g)[static_cast<std::size_t>(groupDesc(*g).elementOf(address))] & 0xFF;
}

void addDefine(std::string& out, std::uint8_t address, int value)
{
    const TRegisterInfo* info = registerInfo(address);
    if (info == nullptr)
        throw std::logic_error("register " + hexByteText(address) + " has no export name");
    out += "#define ";
    out += info->Name;
    out.append(static_cast<std::size_t>(info->HeaderTabs), '\t');
    out += "0x";
    out += hexByteText(static_cast<std::uint32_t>(value));
    out += kEol;
}

// One section: its two comment lines, one line per register first..last,
// then an empty line.
void addSection(std::string& out, const THeaderComment& comment, std::uint8_t first,
                std::uint8_t last, const TSettingsModel& model,
                const std::array<bool, 6>& channelBoxes)
{
    out += comment.Title;
    out += kEol;
    out += comment.Position;
    out += kEol;
    for (unsigned a = first; a <= last; ++a) {
        const auto address = static_cast<std::uint8_t>(a);
        addDefine(out, address, exportedValue(address, model, channelBoxes));
    }
    out += kEol;
}

} // namespace

namespace headerexport {

std::string headerText(const TSettingsModel& model, const std::array<bool, 6>& channelBoxes)
{
    std::string out;
    out += kOpeningComment;
    out += kEol;
    out += kEol;
    out += "#ifndef MFS380A_INIT_H";
    out += kEol;
    out += "#define MFS380A_INIT_H";
    out += kEol;
    out += kEol;

    // A group with two comment pairs exports each write burst as a section of
    // its own. A group with one pair opens a section that runs on through the
    // following groups that have none (the device section carries on through
    // the timing registers, with ACTIVE_CHS at 0xD1 in between).
    for (std::size_t i = 0; i < kHeaderOrder.size(); ++i) {
        const TGroupDesc& desc = groupDesc(kHeaderOrder[i]);
        const auto comments = desc.headerComments();
        if (comments.size() == desc.writes().size() && comments.size() > 1) {
            for (std::size_t k = 0; k < comments.size(); ++k) {
                const TBurst burst = desc.writes()[k];
                addSection(out, comments[k], burst.Address,
                           static_cast<std::uint8_t>(burst.Address + burst.Count - 1), model,
                           channelBoxes);
            }
        } else if (comments.size() == 1) {
            const auto regs = desc.registers();
            std::uint8_t last = regs.back();
            for (std::size_t j = i + 1;
                 j < kHeaderOrder.size() && groupDesc(kHeaderOrder[j]).headerComments().empty();
                 ++j)
                last = std::max(last, groupDesc(kHeaderOrder[j]).registers().back());
            addSection(out, comments[0], regs.front(), last, model, channelBoxes);
        }
    }

    out += "#endif\t/* MFS380A_INIT_H */";
    out += kEol;
    return out;
}

} // namespace headerexport

bool exportHeader(const std::filesystem::path& file, const TSettingsModel& model,
                  const std::array<bool, 6>& channelBoxes, std::string& error)
{
    std::string text;
    try {
        text = headerexport::headerText(model, channelBoxes);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return files::writeWholeFile(file, text, error);
}
