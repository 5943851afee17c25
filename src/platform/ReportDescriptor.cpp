#include "ReportDescriptor.h"

#include <map>
#include <vector>

namespace {

struct Globals {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

std::uint32_t itemValue(const std::uint8_t* p, std::size_t n)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i)
        v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return v;
}

std::uint16_t bytesWithId(std::uint64_t bits)
{
    const std::uint64_t bytes = (bits + 7) / 8 + 1;
    return static_cast<std::uint16_t>(bytes > 0xFFFF ? 0xFFFF : bytes);
}

}  // namespace

ReportLayout parseReportDescriptor(const std::uint8_t* data, std::size_t size)
{
    ReportLayout layout;
    if (!data || size == 0)
        return layout;
    Globals globals;
    std::vector<Globals> stack;
    std::map<std::uint32_t, std::uint64_t> inputBits;
    std::map<std::uint32_t, std::uint64_t> outputBits;
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t prefix = data[i];
        if (prefix == 0xFE) {  // long item: size, tag, data
            if (i + 2 >= size || i + 3 + data[i + 1] > size)
                return layout;  // truncated
            i += 3 + data[i + 1];
            continue;
        }
        const std::size_t n = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (i + 1 + n > size)
            return layout;  // truncated
        const std::uint32_t value = itemValue(data + i + 1, n);
        const unsigned type = (prefix >> 2) & 3;
        const unsigned tag = prefix >> 4;
        if (type == 1) {  // global
            switch (tag) {
            case 7: globals.reportSize = value; break;
            case 8:
                globals.reportId = value;
                layout.numbered = true;
                break;
            case 9: globals.reportCount = value; break;
            case 10: stack.push_back(globals); break;
            case 11:
                if (!stack.empty()) {
                    globals = stack.back();
                    stack.pop_back();
                }
                break;
            default: break;
            }
        } else if (type == 0) {  // main
            const std::uint64_t bits =
                static_cast<std::uint64_t>(globals.reportSize) * globals.reportCount;
            if (tag == 8)
                inputBits[globals.reportId] += bits;
            else if (tag == 9)
                outputBits[globals.reportId] += bits;
        }
        i += 1 + n;
    }
    for (const auto& [id, bits] : inputBits) {
        (void)id;
        if (bytesWithId(bits) > layout.inputLength)
            layout.inputLength = bytesWithId(bits);
    }
    for (const auto& [id, bits] : outputBits) {
        (void)id;
        if (bytesWithId(bits) > layout.outputLength)
            layout.outputLength = bytesWithId(bits);
    }
    layout.valid = true;
    return layout;
}
