#include "SettingsFile.h"

#include "FileIo.h"
#include "IniDocument.h"
#include "SettingsModel.h"
#include "SetupModel.h"

#include <span>

namespace {

constexpr const char* kIC = "IC";
constexpr const char* kDevice = "Device";
constexpr const char* kSettingPrefix = "Setting";
constexpr const char* kOther = "Other";
constexpr const char* kDeltaOnly = "DeltaOnly";
constexpr const char* kComms = "Comms";
constexpr const char* kChannels = "Channels";
constexpr const char* kStreaming = "Streaming";
constexpr std::array<const char*, 3> kStreamingKeys = {"CS", "LT", "PT"};

// Read defaults of keys missing from a file.
constexpr int kDefaultRegister = 0;
constexpr bool kDefaultDeltaOnly = false;
constexpr int kDefaultComms = 0;
constexpr int kCommsChoices = 3; // "RDY Active Low", "RDY Active High", "Polling"
constexpr bool kDefaultChannel = true;
constexpr bool kDefaultStreaming = true;

std::string settingKey(std::size_t index)
{
    return kSettingPrefix + std::to_string(index);
}

std::string channelKey(std::size_t index)
{
    return "CH" + std::to_string(index);
}

// The block a group saves: the report-rate and timing group keeps the values
// the chip has (last read, loaded or applied), every other group what the
// settings window holds now, applied or not.
std::span<const std::int32_t> savedBlock(const TSettingsModel& model, TSettingsGroup g)
{
    return g == TSettingsGroup::Tim ? model.previous(g) : model.current(g);
}

void readContent(const TIniDocument& doc, TSettingsFileContent& c)
{
    for (TSettingsGroup g : kIniOrder) {
        const TGroupDesc& desc = groupDesc(g);
        std::array<std::int32_t, kMaxGroupElements> values{};
        for (std::size_t i = 0; i < desc.ElementCount; ++i)
            values[i] = doc.hexByte(desc.IniSection, settingKey(i), kDefaultRegister);
        c.groups[groupIndex(g)] = values;
    }
    c.deltaOnly = doc.boolean(kOther, kDeltaOnly, kDefaultDeltaOnly);
    const int comms = doc.integer(kOther, kComms, kDefaultComms);
    if (comms < 0 || comms >= kCommsChoices)
        throw TIniValueError(kOther, kComms, std::to_string(comms),
                             "a communication choice 0 to 2");
    c.comms = comms;
    TChannelBoxes channels{};
    for (std::size_t n = 0; n < channels.size(); ++n)
        channels[n] = doc.boolean(kChannels, channelKey(n), kDefaultChannel);
    c.channels = channels;
    std::array<bool, 3> streaming{};
    for (std::size_t k = 0; k < streaming.size(); ++k)
        streaming[k] = doc.boolean(kStreaming, kStreamingKeys[k], kDefaultStreaming);
    c.streaming = streaming;
}

} // namespace

std::string settingsFileText(const TSettingsModel& model, const TSetupModel& setup,
                             const TChannelBoxes& channelBoxes)
{
    TIniDocument doc;
    doc.setText(kIC, kDevice, kSettingsDevice);
    for (TSettingsGroup g : kIniOrder) {
        const TGroupDesc& desc = groupDesc(g);
        const auto block = savedBlock(model, g);
        for (std::size_t i = 0; i < desc.ElementCount; ++i)
            doc.setHexByte(desc.IniSection, settingKey(i), block[i] & 0xFF);
    }
    doc.setBoolean(kOther, kDeltaOnly, setup.BaselineView);
    doc.setInteger(kOther, kComms, setup.CommsIndex);
    for (std::size_t n = 0; n < channelBoxes.size(); ++n)
        doc.setBoolean(kChannels, channelKey(n), channelBoxes[n]);
    const std::array<bool, 3> streaming = {setup.CSCheck, setup.LTACheck, setup.PTCheck};
    for (std::size_t k = 0; k < streaming.size(); ++k)
        doc.setBoolean(kStreaming, kStreamingKeys[k], streaming[k]);
    return doc.serialise();
}

bool saveSettingsFile(const std::filesystem::path& file, const TSettingsModel& model,
                      const TSetupModel& setup, const TChannelBoxes& channelBoxes,
                      std::string& error)
{
    return files::writeWholeFile(file, settingsFileText(model, setup, channelBoxes), error);
}

TSettingsFileRead parseSettingsFile(const std::string& text)
{
    using S = TSettingsFileRead::TStatus;
    TSettingsFileRead read;
    // A file that is not text (NUL bytes, invalid encoding) is a bad file as a
    // whole: reading on past the damage would take zeros for what follows.
    if (const auto reason = files::notTextReason(text)) {
        read.status = S::Unreadable;
        read.detail = "the file is not a text file (" + *reason + ")";
        return read;
    }
    TIniDocument doc;
    doc.parse(text);
    const auto device = doc.value(kIC, kDevice);
    if (!device || *device != kSettingsDevice) {
        read.status = S::WrongDevice;
        read.detail = device ? "the file is for \"" + *device + "\"" : "the file names no device";
        return read;
    }
    try {
        readContent(doc, read.content);
        read.status = S::Ok;
    } catch (const TIniValueError& e) {
        read.status = S::BadValue;
        read.detail = e.what();
    }
    return read;
}

TSettingsFileRead readSettingsFile(const std::filesystem::path& file)
{
    std::string text;
    std::string error;
    if (files::readWholeFile(file, text, error) != files::TReadStatus::Ok) {
        TSettingsFileRead read;
        read.status = TSettingsFileRead::TStatus::Unreadable;
        read.detail = error.empty() ? "there is no file " + files::pathText(file) : error;
        return read;
    }
    return parseSettingsFile(text);
}

TSettingsLoadPlan applySettingsFile(const TSettingsFileRead& read, TSettingsModel& model,
                                    TSetupModel& setup, TChannelBoxes& channelBoxes)
{
    using S = TSettingsFileRead::TStatus;
    TSettingsLoadPlan plan;
    if (read.status != S::Ok && read.status != S::BadValue)
        return plan;
    plan.complete = read.status == S::Ok;
    const TSettingsFileContent& c = read.content;

    for (TSettingsGroup g : kIniOrder) {
        const auto& values = c.groups[groupIndex(g)];
        if (!values)
            break;
        const std::span<const std::int32_t> block(values->data(), groupDesc(g).ElementCount);
        if (plan.complete) {
            model.setPrevious(g, block);
            model.set(g, model.previous(g));
        } else {
            model.set(g, block);
            model.detectChange(g);
        }
    }
    if (c.deltaOnly)
        setup.BaselineView = *c.deltaOnly;
    if (c.comms)
        setup.CommsIndex = *c.comms;
    if (c.channels) {
        channelBoxes = *c.channels;
        plan.writes.push_back({TSettingsWrite::TKind::ChannelMask, TSettingsGroup::Device});
    }
    if (c.streaming) {
        setup.CSCheck = (*c.streaming)[0];
        setup.LTACheck = (*c.streaming)[1];
        setup.PTCheck = (*c.streaming)[2];
    }
    setup.detectSetupChecksChange();
    if (!plan.complete)
        return plan;

    const bool uiSar = model.sarUiEnabled();
    plan.uiSar = uiSar;
    setup.DoChStream = uiSar;
    setup.SetupStreaming();
    setup.snapshotStreaming();

    using G = TSettingsGroup;
    const auto group = [&plan](G g) { plan.writes.push_back({TSettingsWrite::TKind::Group, g}); };
    group(G::Device);
    group(G::PxsSetup);
    group(uiSar ? G::SarUI : G::PxsUI);
    group(G::Hall);
    group(G::Tim);
    group(G::Thr);
    // The temperature values are loaded and snapshotted like every other
    // group, so they are written too; otherwise the settings window would show
    // them as the chip's while the chip still holds its old values.
    group(G::Temp);
    return plan;
}
