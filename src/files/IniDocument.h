#pragma once
// One INI file in memory, read and written the way the Windows profile
// functions do: section and key names without regard to case, `key=value`
// lines without blanks, CRLF line ends, sections and keys kept in the order
// they were first read or set. Values are text; the typed readers apply this
// program's conventions (decimal integers, booleans "-1"/"0" read as "0" false
// and any other integer true, register bytes as hexadecimal digits).

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A value that is present but does not parse as the type asked for.
class TIniValueError : public std::runtime_error {
public:
    TIniValueError(std::string section, std::string key, std::string value, const char* expected);
    const std::string& section() const { return FSection; }
    const std::string& key() const { return FKey; }
    const std::string& value() const { return FValue; }

private:
    std::string FSection;
    std::string FKey;
    std::string FValue;
};

class TIniDocument {
public:
    TIniDocument();
    ~TIniDocument();
    TIniDocument(TIniDocument&&) noexcept;
    TIniDocument& operator=(TIniDocument&&) noexcept;
    TIniDocument(const TIniDocument&) = delete;
    TIniDocument& operator=(const TIniDocument&) = delete;

    // Replaces the content with the parsed text (any line ends, optional UTF-8
    // byte-order mark). As the Windows profile functions read a file: a
    // duplicate key or section does not override the first one (the keys only
    // a later copy of a section has are kept); a section line without its
    // closing bracket names the section by the rest of the line; lines with
    // no "=" and comment lines (";" or "#") hold nothing.
    void parse(std::string_view text);
    // The content as file bytes: CRLF line ends, `key=value`.
    std::string serialise() const;

    bool hasSection(std::string_view section) const;
    // The raw value, or nothing when the key is missing. Present but empty
    // gives an empty string.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Typed readers: a missing key gives def; a present value that does not
    // parse throws TIniValueError.
    std::string text(std::string_view section, std::string_view key, std::string_view def) const;
    int integer(std::string_view section, std::string_view key, int def) const;
    bool boolean(std::string_view section, std::string_view key, bool def) const;
    // One register byte written as hexadecimal digits (0 to FF).
    int hexByte(std::string_view section, std::string_view key, int def) const;

    void setText(std::string_view section, std::string_view key, std::string_view value);
    void setInteger(std::string_view section, std::string_view key, int value);
    void setBoolean(std::string_view section, std::string_view key, bool value);
    // Written with at least two upper-case hexadecimal digits.
    void setHexByte(std::string_view section, std::string_view key, int value);

    void removeKey(std::string_view section, std::string_view key);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Value conventions shared by every file of this program. Each returns nothing
// when the text is not one whole value of its kind.
namespace files {
std::optional<int> parseDecimal(std::string_view text);
std::optional<int> parseHex(std::string_view text);
std::optional<bool> parseBoolean(std::string_view text);
std::string booleanText(bool value); // "-1" or "0"
std::string hexByteText(int value);  // two upper-case digits, more if needed
} // namespace files
