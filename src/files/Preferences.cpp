#include "Preferences.h"

#include "FileIo.h"
#include "FileMessages.h"
#include "IniDocument.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <system_error>

using namespace pref;

namespace {

std::string numbered(const char* prefix, std::size_t index)
{
    return std::string(prefix) + std::to_string(index);
}

// Reads a numbered list ("Recent0", "Recent1", ...) until the first missing
// or empty key, or until max entries.
std::vector<std::string> readList(const TIniDocument& doc, const char* section, const char* prefix,
                                  std::size_t max)
{
    std::vector<std::string> list;
    for (std::size_t i = 0; i < max; ++i) {
        const auto v = doc.value(section, numbered(prefix, i));
        if (!v || v->empty())
            break;
        list.push_back(*v);
    }
    return list;
}

// Writes the list from index 0 and removes the numbered keys past its end.
void writeList(TIniDocument& doc, const char* section, const char* prefix,
               const std::vector<std::string>& list)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        doc.setText(section, numbered(prefix, i), list[i]);
    for (std::size_t i = list.size(); doc.value(section, numbered(prefix, i)); ++i)
        doc.removeKey(section, numbered(prefix, i));
}

// Placement keys are taken as a whole: a window is only moved by a complete,
// valid set of saved values.
void readPlacementKeys(const TIniDocument& doc, const char* section, TWindowPlacement& placement)
{
    TWindowPlacement p = placement;
    p.maximised =
        doc.text(section, key::kState, def::kMaximised ? kStateMax : kStateNor) == kStateMax;
    p.left = doc.integer(section, key::kLeft, placement.left);
    p.top = doc.integer(section, key::kTop, placement.top);
    p.width = doc.integer(section, key::kWidth, placement.width);
    p.height = doc.integer(section, key::kHeight, placement.height);
    placement = p;
}

void writePlacementKeys(TIniDocument& doc, const char* section, const TWindowPlacement& p)
{
    doc.setInteger(section, key::kWidth, p.width);
    doc.setInteger(section, key::kHeight, p.height);
    doc.setInteger(section, key::kLeft, p.left);
    doc.setInteger(section, key::kTop, p.top);
    doc.setText(section, key::kState, p.maximised ? kStateMax : kStateNor);
}

// A debug stream address box holds nothing or one register address (00 to
// FF in hexadecimal digits). Reading and writing accept the same texts.
bool isDebugAddressText(std::string_view text)
{
    const auto adr = files::parseHex(text);
    return text.empty() || (adr && *adr <= 0xFF);
}

std::string debugAddress(const TIniDocument& doc, const std::string& name)
{
    std::string text = doc.text(section::kDebug, name, "");
    if (!isDebugAddressText(text))
        throw TIniValueError(section::kDebug, name, text, "a register address (00 to FF)");
    return text;
}

// What a box's text is stored as: the address without blanks around it, or
// nothing for a text that is no address (such a box takes no frame position).
std::string storedDebugAddress(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    text = first == std::string_view::npos ? std::string_view{} : text.substr(first);
    text = text.substr(0, text.find_last_not_of(" \t") + 1);
    return isDebugAddressText(text) ? std::string(text) : std::string();
}

} // namespace

std::filesystem::path TPreferences::standardPath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) // no data folder known: never fall back to the working folder
        base = QDir::homePath();
    return std::filesystem::path(base.toStdU16String()) / kFolder / kFileName;
}

const char* TPreferences::loadErrorText()
{
    return filemsg::kPreferencesLoadError;
}

TPreferences::TPreferences(std::filesystem::path file) : FPath(std::move(file)) {}

bool TPreferences::exists() const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(FPath, ec);
}

bool TPreferences::load(TIniDocument& doc, bool& missing) const
{
    std::string text;
    std::string error;
    const auto status = files::readTextFile(FPath, text, error);
    missing = status == files::TReadStatus::Missing;
    if (status == files::TReadStatus::Failed) {
        FLastError = error;
        return false;
    }
    doc.parse(text);
    return true;
}

bool TPreferences::store(const TIniDocument& doc)
{
    std::string error;
    if (!files::makeFolders(FPath.parent_path(), error) ||
        !files::writeWholeFile(FPath, doc.serialise(), error)) {
        FLastError = error;
        return false;
    }
    return true;
}

template <class Edit> bool TPreferences::edit(Edit&& change)
{
    TIniDocument doc;
    bool missing = false;
    if (!load(doc, missing))
        return false; // never overwrite a file that could not be read
    try {
        change(doc);
    } catch (const std::exception& e) {
        FLastError = e.what();
        return false;
    }
    return store(doc);
}

TPreferences::TStart TPreferences::prepare(int mainWindowWidth)
{
    std::string error;
    if (!files::makeFolders(FPath.parent_path(), error)) {
        FLastError = error;
        return TStart::Failed;
    }
    std::error_code ec;
    if (std::filesystem::exists(FPath, ec))
        return TStart::Existing;
    TIniDocument doc;
    doc.setInteger(section::kMainForm, key::kWidth, mainWindowWidth);
    return store(doc) ? TStart::FirstStart : TStart::Failed;
}

bool TPreferences::readMainForm(TMainFormPrefs& prefs) const
{
    TIniDocument doc;
    bool missing = false;
    if (!load(doc, missing))
        return false;
    try {
        const char* s = section::kMainForm;
        readPlacementKeys(doc, s, prefs.placement);
        prefs.placementRead = true;
        prefs.hints = doc.boolean(s, key::kHints, def::kHints);
        prefs.tips = doc.boolean(s, key::kTips, def::kTips);
        prefs.notifyReset = doc.boolean(s, key::kNotifyReset, def::kNotifyReset);
        prefs.updates = doc.boolean(s, key::kUpdates, def::kUpdates);
        prefs.updates1 = doc.boolean(s, key::kUpdates1, def::kUpdates1);
        prefs.resumeStreaming = doc.boolean(s, key::kResumeStreaming, def::kResumeStreaming);
        for (std::size_t i = 0; i < prefs.debugAddresses.size(); ++i)
            prefs.debugAddresses[i] = debugAddress(doc, numbered(key::kAdrPrefix, i));
        prefs.bar1 = doc.boolean(section::kDebug, key::kBar1, def::kBar1);
        prefs.bar2 = doc.boolean(section::kDebug, key::kBar2, def::kBar2);
    } catch (const TIniValueError& e) {
        FLastError = e.what();
        return false;
    }
    return true;
}

bool TPreferences::writeMainForm(const TMainFormPrefs& prefs)
{
    return edit([&](TIniDocument& doc) {
        const char* s = section::kMainForm;
        writePlacementKeys(doc, s, prefs.placement);
        doc.setBoolean(s, key::kHints, prefs.hints);
        doc.setBoolean(s, key::kTips, prefs.tips);
        doc.setBoolean(s, key::kNotifyReset, prefs.notifyReset);
        doc.setBoolean(s, key::kUpdates, prefs.updates);
        doc.setBoolean(s, key::kUpdates1, prefs.updates1);
        doc.setBoolean(s, key::kResumeStreaming, prefs.resumeStreaming);
        for (std::size_t i = 0; i < prefs.debugAddresses.size(); ++i)
            doc.setText(section::kDebug, numbered(key::kAdrPrefix, i),
                        storedDebugAddress(prefs.debugAddresses[i]));
        doc.setBoolean(section::kDebug, key::kBar1, prefs.bar1);
        doc.setBoolean(section::kDebug, key::kBar2, prefs.bar2);
    });
}

bool TPreferences::readScopeForm(TScopeFormPrefs& prefs) const
{
    TIniDocument doc;
    bool missing = false;
    if (!load(doc, missing))
        return false;
    try {
        const char* s = section::kScopeForm;
        for (std::size_t i = 0; i < prefs.colors.size(); ++i)
            prefs.colors[i] = doc.integer(s, key::kScopeColors[i], def::kScopeColors[i]);
        prefs.scopeMin = doc.integer(s, key::kScopeMin, def::kScopeMin);
        prefs.scopeMax = doc.integer(s, key::kScopeMax, def::kScopeMax);
        prefs.yInc = doc.integer(s, key::kYInc, def::kYInc);
        prefs.xRange = doc.integer(s, key::kXRange, def::kXRange);
        prefs.autoScale = doc.boolean(s, key::kAutoScale, def::kAutoScale);
        for (std::size_t i = 0; i < prefs.traces.size(); ++i)
            prefs.traces[i] = doc.boolean(s, key::kScopeTraces[i], def::kScopeTraces[i]);
        readPlacementKeys(doc, s, prefs.placement);
        prefs.placementRead = true;
    } catch (const TIniValueError& e) {
        FLastError = e.what();
        return false;
    }
    return true;
}

bool TPreferences::writeScopeForm(const TScopeFormPrefs& prefs)
{
    return edit([&](TIniDocument& doc) {
        const char* s = section::kScopeForm;
        writePlacementKeys(doc, s, prefs.placement);
        for (std::size_t i = 0; i < prefs.colors.size(); ++i)
            doc.setInteger(s, key::kScopeColors[i], prefs.colors[i]);
        doc.setInteger(s, key::kScopeMin, prefs.scopeMin);
        doc.setInteger(s, key::kScopeMax, prefs.scopeMax);
        doc.setInteger(s, key::kYInc, prefs.yInc);
        doc.setInteger(s, key::kXRange, prefs.xRange);
        doc.setBoolean(s, key::kAutoScale, prefs.autoScale);
        for (std::size_t i = 0; i < prefs.traces.size(); ++i)
            doc.setBoolean(s, key::kScopeTraces[i], prefs.traces[i]);
    });
}

bool TPreferences::readPlacement(const char* section, TWindowPlacement& placement) const
{
    TIniDocument doc;
    bool missing = false;
    if (!load(doc, missing))
        return false;
    try {
        readPlacementKeys(doc, section, placement);
    } catch (const TIniValueError& e) {
        FLastError = e.what();
        return false;
    }
    return true;
}

bool TPreferences::writePlacement(const char* section, const TWindowPlacement& placement)
{
    return edit([&](TIniDocument& doc) { writePlacementKeys(doc, section, placement); });
}

bool TPreferences::readRecent(std::vector<std::string>& paths) const
{
    TIniDocument doc;
    bool missing = false;
    if (!load(doc, missing))
        return false;
    paths = readList(doc, section::kSettingsForm, key::kRecentPrefix, SIZE_MAX);
    return true;
}

bool TPreferences::writeRecentEntry(std::size_t index, const std::string& path)
{
    return edit([&](TIniDocument& doc) {
        doc.setText(section::kSettingsForm, numbered(key::kRecentPrefix, index), path);
    });
}

bool TPreferences::writeRecent(const std::vector<std::string>& paths)
{
    return edit([&](TIniDocument& doc) {
        writeList(doc, section::kSettingsForm, key::kRecentPrefix, paths);
    });
}

bool TPreferences::clearRecent()
{
    return writeRecent({});
}

bool TPreferences::readPrevTools(std::vector<std::string>& serials) const
{
    TIniDocument doc;
    bool missing = false;
    if (!load(doc, missing))
        return false;
    serials = readList(doc, section::kCTTool, key::kPrevPrefix, def::kPrevToolsRead);
    return true;
}

bool TPreferences::writePrevTools(const std::vector<std::string>& serials)
{
    return edit(
        [&](TIniDocument& doc) { writeList(doc, section::kCTTool, key::kPrevPrefix, serials); });
}

bool TPreferences::resetIfMarked()
{
    if (!FResetAtExit)
        return true;
    std::error_code ec;
    std::filesystem::remove(FPath, ec);
    if (ec) {
        FLastError = "cannot delete " + files::pathText(FPath) + ": " + ec.message();
        return false;
    }
    FResetAtExit = false;
    return true;
}
