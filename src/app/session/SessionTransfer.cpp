// Settings transfer: group reads and writes, the full read, the one-shot
// command buttons, the channel enables, direct and indirect register access
// and the "load.txt" register script.
#include "CustomerPanel.h"
#include "FileIo.h"
#include "GroupTransfer.h"
#include "HexText.h"
#include "KelvanHidTool.h"
#include "MemoryMap.h"
#include "RegisterScript.h"
#include "Session.h"
#include "SessionTexts.h"


namespace {

QString hexList(std::span<const std::uint8_t> bytes)
{
    QString text;
    for (std::uint8_t b : bytes)
        text += QString::asprintf("%02X ", b);
    return text.trimmed();
}

// The groups whose writes are added to the sent-commands list.
bool logsWrites(TSettingsGroup g)
{
    return g == TSettingsGroup::SarUI || g == TSettingsGroup::Thr || g == TSettingsGroup::Hall ||
           g == TSettingsGroup::Device || g == TSettingsGroup::Tim;
}

}  // namespace

TExchangeResult TSession::ReadRegisters(std::uint8_t address, std::uint8_t count,
                                        std::vector<std::uint8_t>& out)
{
    TKvnByteArray data{};
    const TExchangeResult res = FHidTool->I2CRead(address, count, data);
    if (res == 0)
        out.assign(data.begin(), data.begin() + count);
    return res;
}

TExchangeResult TSession::WriteRegisters(std::span<const std::uint8_t> buffer)
{
    if (buffer.empty() || buffer.size() > 255)
        return 0x0BFE;  // refused as a bad parameter, like the tool would
    TKvnByteArray data{};
    std::copy(buffer.begin(), buffer.end(), data.begin());
    return FHidTool->CommsWrite(static_cast<std::uint8_t>(buffer.size()), data);
}

void TSession::HandOver(TSettingsGroup g, std::span<const std::int32_t> values)
{
    FSettings.setPrevious(g, values);
    FSettings.set(g, FSettings.previous(g));
}

bool TSession::ReadGroup(TSettingsGroup g)
{
    if (!S.FGuiUpdate) {
        if (!CheckPowerOn())
            return false;
        if (!StopStreaming())
            return true;
    }
    std::vector<std::vector<std::uint8_t>> bytes;
    for (const TBurst& burst : groupDesc(g).reads()) {
        bytes.emplace_back();
        if (!HandleRes(ReadRegisters(burst.Address, burst.Count, bytes.back())))
            return false;
    }
    std::vector<std::span<const std::uint8_t>> spans(bytes.begin(), bytes.end());
    const auto values = valuesFromRead(g, spans);
    if (!values)
        return false;
    HandOver(g, *values);
    if (g == TSettingsGroup::Device)
        ApplyChannelBoxesFromRead(bytes[0].size() > 1 ? bytes[0][1] : S.FChEnDis);
    emit settingsChanged();
    if (!S.FGuiUpdate)
        RestartStreaming();
    return true;
}

bool TSession::WriteGroup(TSettingsGroup g)
{
    if (S.FLoadingSettings)
        return true;
    if (!CheckPowerOn())
        return false;
    TOneShotCommands cmds;
    cmds.FReseed = S.FReseed;
    cmds.FRedoATI = S.FRedoATI;
    cmds.FAckReset = S.FAckReset;
    cmds.FSoftReset = S.FSoftReset;
    cmds.FHAllForceCal = S.FHAllForceCal;
    const auto buffers = groupWriteBuffers(g, FSettings.current(g), cmds);
    for (std::size_t i = 0; i < buffers.size(); ++i) {
        const TExchangeResult res = WriteRegisters(buffers[i]);
        if (logsWrites(g))
            emit registerWriteLogged(buffers[i][0], static_cast<int>(buffers[i].size() - 1),
                                     hexList(std::span(buffers[i]).subspan(1)));
        // A failed part ends the write and fails it, the last part too: callers
        // such as Apply must not take an unwritten group as applied.
        if (!HandleRes(res))
            return false;
        // A one-shot command is done once the write that carried it succeeded,
        // whatever happens to the later parts.
        if (buffers[i][0] == reg::SystemSettings) {
            S.FRedoATI = false;
            S.FReseed = false;
            S.FSoftReset = false;
        } else if (buffers[i][0] == reg::HallUiSettings) {
            S.FHAllForceCal = false;
        }
        if (i + 1 == buffers.size())
            KvnAddItem(QString::fromUtf8(groupDesc(g).WriteMessage.data(),
                                         static_cast<int>(groupDesc(g).WriteMessage.size())),
                       TMessageType::Info);
    }
    return true;
}

bool TSession::ReadFromDevice(bool ReadAll)
{
    S.FGuiUpdate = true;
    S.FLoadingSettings = true;
    auto finish = [this](bool result) {
        S.FGuiUpdate = false;
        S.FLoadingSettings = false;
        return result;
    };
    if (!CheckPowerOn())
        return finish(false);
    if (!StopStreaming())
        return finish(true);

    // Every group first; nothing is handed over unless all reads succeed.
    std::array<std::vector<std::vector<std::uint8_t>>, kGroupCount> raw;
    for (const TSettingsGroup g : kReadAllOrder) {
        auto& bytes = raw[groupIndex(g)];
        for (const TBurst& burst : groupDesc(g).reads()) {
            bytes.emplace_back();
            if (!HandleRes(ReadRegisters(burst.Address, burst.Count, bytes.back())))
                return finish(false);
        }
    }
    if (!ReadAll)
        RestartStreaming();

    auto handOver = [&](TSettingsGroup g) {
        const auto& bytes = raw[groupIndex(g)];
        std::vector<std::span<const std::uint8_t>> spans(bytes.begin(), bytes.end());
        if (const auto values = valuesFromRead(g, spans))
            HandOver(g, *values);
    };
    handOver(TSettingsGroup::PxsSetup);
    S.UI_SAR = FSettings.sarUiEnabled();
    W.movementOverrideEnabled = S.UI_SAR;
    SARStreaming(S.UI_SAR);
    for (const TSettingsGroup g : {TSettingsGroup::PxsUI, TSettingsGroup::SarUI,
                                   TSettingsGroup::Thr, TSettingsGroup::Hall,
                                   TSettingsGroup::Temp, TSettingsGroup::Device})
        handOver(g);
    S.FEventMode = FSettings.eventModeChosen();
    const auto& device = raw[groupIndex(TSettingsGroup::Device)];
    ApplyChannelBoxesFromRead(device[0].size() > 1 ? device[0][1] : S.FChEnDis);
    handOver(TSettingsGroup::Tim);
    LinkEngToCh(FSettings);
    emit settingsChanged();
    return finish(true);
}

void TSession::ApplyChannelBoxesFromRead(std::uint8_t activeChs)
{
    const bool loading = S.FLoadingSettings;
    S.FLoadingSettings = true;
    FChannelBoxes = channelBoxesFromActiveChs(activeChs, S.UI_SAR, FSettings.movementOverride());
    S.FLoadingSettings = loading;
    S.FActiveChannels = std::find(FChannelBoxes.begin(), FChannelBoxes.end(), true) !=
                        FChannelBoxes.end();
    emit channelBoxesChanged();
}

// ---- One-shot commands ----------------------------------------------------

void TSession::RedoATIButtonClick()
{
    S.FRedoATI = true;
    WriteGroup(TSettingsGroup::Device);
}

void TSession::ReseedButtonClick()
{
    S.FReseed = true;
    WriteGroup(TSettingsGroup::Device);
}

void TSession::SoftResetButtonClick()
{
    S.FSoftReset = true;
    WriteGroup(TSettingsGroup::Device);
}

void TSession::ShowResetButtonClick()
{
    S.FAckCount = 0;
    S.FAckReset = true;
    if (WriteGroup(TSettingsGroup::Device)) {
        B.showResetEnabled = false;
        emitButtons();
    }
}

void TSession::HallForceCalibration()
{
    S.FHAllForceCal = true;
    WriteGroup(TSettingsGroup::Hall);
}

// ---- Channel enables --------------------------------------------------------

void TSession::WriteChannelMask()
{
    if (S.FLoadingSettings || !CheckPowerOn())
        return;
    const std::uint8_t mask = activeChsMask(FChannelBoxes);
    S.FActiveChannels = mask != 0;
    S.FChEnDis = mask;
    const std::uint8_t buffer[2] = {0xD1, mask};
    emit registerWriteLogged(0xD1, 1, QString::asprintf("%02X", mask));
    WriteRegisters(buffer);
}

void TSession::ChannelCheckClick(int channel, bool checked)
{
    if (channel < 0 || channel > 5)
        return;
    FChannelBoxes[static_cast<std::size_t>(channel)] = checked;
    emit channelBoxesChanged();
    WriteChannelMask();
}

void TSession::AllCheckClick(bool checked)
{
    const bool loading = S.FLoadingSettings;
    S.FLoadingSettings = true;
    FChannelBoxes.fill(checked);
    S.FLoadingSettings = loading;
    emit channelBoxesChanged();
    WriteChannelMask();
    if (checked)
        RedoATIButtonClick();
}

void TSession::ExtraBarCheckClick(int bar, bool checked)
{
    (bar == 0 ? FSetup.CH6Check : FSetup.CH7Check) = checked;
    StopStreaming();
    FSetup.SetupStreaming();
    RestartStreaming();
    emit settingsChanged();
}

void TSession::DebugGoClick()
{
    StopStreaming();
    FSetup.SetupStreaming();
    RestartStreaming();
    emit settingsChanged();
}

// ---- Direct and indirect register access -----------------------------------

std::optional<std::uint8_t> TSession::MemoryRead(const QString& address)
{
    if (!CheckPowerOn())
        return std::nullopt;
    const bool streaming = S.FIsStreaming && !S.FIsPaused;
    if (streaming && !HandleRes(FDevice->StopStreaming()))
        return std::nullopt;
    std::optional<std::uint8_t> value;
    const auto parsed = parseHexByte(address.trimmed().toStdString());
    if (address.trimmed().isEmpty() || !parsed) {
        KvnAddItem(QString::fromLatin1(sessionmsg::kNoAddress), TMessageType::Error);
    } else {
        std::vector<std::uint8_t> v;
        if (!HandleRes(ReadRegisters(*parsed, 1, v)))
            return std::nullopt;  // the stream stays stopped
        value = v[0];
    }
    if (streaming)
        StreamStart();
    return value;
}

void TSession::MemoryWrite(const QString& address, const QString& data)
{
    if (!CheckPowerOn())
        return;
    const auto a = parseHexByte(address.trimmed().toStdString());
    const auto d = parseHexByte(data.trimmed().toStdString());
    if (!a || !d) {
        KvnAddItem(QString::fromLatin1(sessionmsg::kNoAddressOrData), TMessageType::Error);
        return;
    }
    const std::uint8_t buffer[2] = {*a, *d};
    emit registerWriteLogged(*a, 1, QString::asprintf("%02X", *d));
    HandleRes(WriteRegisters(buffer));
}

std::optional<std::uint8_t> TSession::IndirectRead(const QString& address)
{
    if (!CheckPowerOn())
        return std::nullopt;
    const auto a = parseHexByte(address.trimmed().toStdString());
    if (!a)
        return std::nullopt;
    if (!StopStreaming())
        return std::nullopt;
    std::optional<std::uint8_t> value;
    const std::uint8_t setAddress[2] = {0xF0, *a};
    const std::uint8_t pointer[1] = {0xF1};
    TKvnByteArray data{};
    if (HandleRes(WriteRegisters(setAddress)) && HandleRes(WriteRegisters(pointer)) &&
        HandleRes(FHidTool->CommsRead(1, data)))
        value = data[0];
    if (!S.FGuiUpdate)
        RestartStreaming();
    return value;
}

void TSession::IndirectWrite(const QString& address, const QString& data)
{
    const auto a = parseHexByte(address.trimmed().toStdString());
    const auto d = parseHexByte(data.trimmed().toStdString());
    if (!a || !d) {
        KvnAddItem(QString::fromLatin1(sessionmsg::kNoAddressOrData), TMessageType::Error);
        return;
    }
    const std::uint8_t setAddress[2] = {0xF0, *a};
    emit registerWriteLogged(0xF0, 1, QString::asprintf("%02X", *a));
    if (!HandleRes(WriteRegisters(setAddress)))
        return;
    const std::uint8_t setData[2] = {0xF1, *d};
    emit registerWriteLogged(0xF1, 1, QString::asprintf("%02X", *d));
    HandleRes(WriteRegisters(setData));
}

// ---- The register script ----------------------------------------------------

void TSession::LoadButtonClick()
{
    const auto error = [this] {
        KvnAddItem(QString::fromLatin1(sessionmsg::kLoadTxtError), TMessageType::Error);
    };
    // The whole script is checked before anything is written.
    std::string text;
    std::string readError;
    if (files::readWholeFile(FAppPath / "load.txt", text, readError) != files::TReadStatus::Ok) {
        error();
        return;
    }
    const std::optional<TRegisterWrites> writes = parseRegisterScript(text);
    if (!writes) {
        error();
        return;
    }
    for (const auto& bytes : *writes) {
        if (!HandleRes(WriteRegisters(bytes)))
            break;
    }
    ReadFromDevice(false);
}
