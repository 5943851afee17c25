#include "RegisterScript.h"

#include "HexText.h"

#include <sstream>
#include <string>

std::optional<TRegisterWrites> parseRegisterScript(std::string_view text)
{
    TRegisterWrites writes;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            break;
        std::vector<std::uint8_t> bytes;
        std::istringstream fields(line);
        std::string field;
        int count = 0;
        bool bad = false;
        while (std::getline(fields, field, ',')) {
            ++count;
            const auto first = field.find_first_not_of(" \t");
            const auto last = field.find_last_not_of(" \t");
            const auto value =
                first == std::string::npos
                    ? std::nullopt
                    : parseHexByte(std::string_view(field).substr(first, last - first + 1));
            if (!value)
                bad = true;
            else
                bytes.push_back(*value);
        }
        if (count < 2)
            continue;
        if (bad)
            return std::nullopt;
        writes.push_back(std::move(bytes));
    }
    return writes;
}
