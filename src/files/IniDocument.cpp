#include "IniDocument.h"

#define SI_CONVERT_ICU
#include <SimpleIni.h>
#include <charconv>
#include <cstdio>

TIniValueError::TIniValueError(std::string section, std::string key, std::string value,
                               const char* expected)
    : std::runtime_error("[" + section + "] " + key + "=" + value + " is not " + expected),
      FSection(std::move(section)), FKey(std::move(key)), FValue(std::move(value))
{
}

namespace files {

std::optional<int> parseDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int> parseHex(std::string_view text)
{
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<bool> parseBoolean(std::string_view text)
{
    const auto number = parseDecimal(text);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

std::string booleanText(bool value)
{
    return value ? "-1" : "0";
}

std::string hexByteText(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(value));
    return buf;
}

} // namespace files

namespace {

std::string str(std::string_view v)
{
    return std::string(v);
}

} // namespace

struct TIniDocument::Impl {
    CSimpleIniA ini{true, false, false}; // UTF-8 text, one value per key, no multi-line values

    Impl() { ini.SetSpaces(false); }
};

TIniDocument::TIniDocument() : d(std::make_unique<Impl>()) {}
TIniDocument::~TIniDocument() = default;
TIniDocument::TIniDocument(TIniDocument&&) noexcept = default;
TIniDocument& TIniDocument::operator=(TIniDocument&&) noexcept = default;

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Calls line(text) for every line, whatever ends it (CR LF, LF or CR).
template <class Line> void forEachLine(std::string_view text, Line&& line)
{
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        line(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        text.remove_prefix(next);
    }
}

} // namespace

void TIniDocument::parse(std::string_view text)
{
    d->ini.Reset();
    d->ini.SetSpaces(false);
    std::string section; // keys above the first section line have none
    forEachLine(text, [&](std::string_view raw) {
        // Names and values are C strings: a NUL byte (never in a file this
        // program reads, which must be text) ends the line.
        std::string_view line = trimmed(raw.substr(0, raw.find('\0')));
        // A byte-order mark starts the file; one at the start of another line
        // (files joined together) is no part of a name either.
        while (line.substr(0, 3) == "\xEF\xBB\xBF")
            line = trimmed(line.substr(3));
        if (line.empty() || line.front() == ';' || line.front() == '#')
            return;
        if (line.front() == '[') {
            const auto close = line.find(']');
            section = str(trimmed(line.substr(1, close == std::string_view::npos ? close : close - 1)));
            if (d->ini.GetSectionSize(section.c_str()) < 0)
                d->ini.SetValue(section.c_str(), nullptr, nullptr);
            return;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            return;
        const std::string key = str(trimmed(line.substr(0, equals)));
        if (key.empty() || d->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr)
            return; // the first one wins
        d->ini.SetValue(section.c_str(), key.c_str(), str(trimmed(line.substr(equals + 1))).c_str());
    });
}

std::string TIniDocument::serialise() const
{
    // Written here rather than by SimpleIni's own saver, which ends lines the
    // platform's way and puts two blank lines between sections.
    std::string out;
    CSimpleIniA::TNamesDepend sections;
    d->ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    // Keys without a section ("[]" or above the first section line) can only
    // be written first, before any section line.
    sections.sort([](const CSimpleIniA::Entry& a, const CSimpleIniA::Entry& b) {
        return *a.pItem == '\0' && *b.pItem != '\0';
    });
    for (const auto& section : sections) {
        CSimpleIniA::TNamesDepend keys;
        d->ini.GetAllKeys(section.pItem, keys);
        keys.sort(CSimpleIniA::Entry::LoadOrder());
        if (*section.pItem == '\0' && keys.empty())
            continue; // nothing above the first section
        if (!out.empty())
            out += "\r\n";
        if (*section.pItem != '\0') { // keys above the first section have none
            out += "[";
            out += section.pItem;
            out += "]\r\n";
        }
        for (const auto& key : keys) {
            out += key.pItem;
            out += "=";
            out += d->ini.GetValue(section.pItem, key.pItem, "");
            out += "\r\n";
        }
    }
    return out;
}

bool TIniDocument::hasSection(std::string_view section) const
{
    return d->ini.GetSectionSize(str(section).c_str()) >= 0;
}

std::optional<std::string> TIniDocument::value(std::string_view section, std::string_view key) const
{
    const char* v = d->ini.GetValue(str(section).c_str(), str(key).c_str(), nullptr);
    if (v == nullptr)
        return std::nullopt;
    return std::string(v);
}

std::string TIniDocument::text(std::string_view section, std::string_view key,
                               std::string_view def) const
{
    auto v = value(section, key);
    return v ? *v : str(def);
}

int TIniDocument::integer(std::string_view section, std::string_view key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    const auto n = files::parseDecimal(*v);
    if (!n)
        throw TIniValueError(str(section), str(key), *v, "a decimal integer");
    return *n;
}

bool TIniDocument::boolean(std::string_view section, std::string_view key, bool def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    const auto b = files::parseBoolean(*v);
    if (!b)
        throw TIniValueError(str(section), str(key), *v, "a boolean (an integer)");
    return *b;
}

int TIniDocument::hexByte(std::string_view section, std::string_view key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    const auto n = files::parseHex(*v);
    if (!n || *n > 0xFF)
        throw TIniValueError(str(section), str(key), *v, "a hexadecimal byte (00 to FF)");
    return *n;
}

void TIniDocument::setText(std::string_view section, std::string_view key, std::string_view value)
{
    // A line break inside a value would end the line and corrupt the file.
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw std::invalid_argument("[" + str(section) + "] " + str(key) +
                                    ": a value cannot hold a line break");
    d->ini.SetValue(str(section).c_str(), str(key).c_str(), str(value).c_str());
}

void TIniDocument::setInteger(std::string_view section, std::string_view key, int value)
{
    setText(section, key, std::to_string(value));
}

void TIniDocument::setBoolean(std::string_view section, std::string_view key, bool value)
{
    setText(section, key, files::booleanText(value));
}

void TIniDocument::setHexByte(std::string_view section, std::string_view key, int value)
{
    setText(section, key, files::hexByteText(value));
}

void TIniDocument::removeKey(std::string_view section, std::string_view key)
{
    d->ini.Delete(str(section).c_str(), str(key).c_str(), false);
}
