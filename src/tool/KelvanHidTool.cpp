// Exchange, tool selection and properties of the tool command component.

#include "KelvanHidTool.h"

#include "HidDevice.h"
#include "KelvanDevList.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace {

constexpr std::size_t kClearBytes = 80;
constexpr std::size_t kFallbackReportLength = 65;
constexpr std::uint8_t kStatusAnyId = 0xD;
constexpr std::uint8_t kStatusError = 0xE;
constexpr std::uint8_t kStatusStream = 0xF;

void clearHead(TKvnByteArray& a)
{
    std::fill_n(a.begin(), kClearBytes, std::uint8_t{0});
}

std::size_t reportLength(std::uint16_t length)
{
    const std::size_t n = length ? length : kFallbackReportLength;
    return std::min(n, std::tuple_size_v<TKvnByteArray>);
}

std::uint16_t parseDecimal(const std::string& text)
{
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value > 0xFFFF)
        return 0;
    return static_cast<std::uint16_t>(value);
}

std::int64_t steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TKelvanHidTool::TKelvanHidTool(Clock& clock) : FClock(clock) {}

TKelvanHidTool::~TKelvanHidTool()
{
    RemoveDevListEvents();
}

// ---- Exchange ----------------------------------------------------------------

TExchangeResult TKelvanHidTool::SendReceive(const TKvnByteArray& SendArray,
                                            TKvnByteArray& ReceiveArray)
{
    // 1. The report as written: a copy with the next message id (2 .. 254, 1, ...).
    if (&SendArray != &FSendCopy)
        FSendCopy = SendArray;
    ++FMessageID;
    if (FMessageID == 255)
        FMessageID = 1;
    FSendCopy[1] = FMessageID;

    // 2.
    clearHead(ReceiveArray);

    // 3.
    if (!FDevList || FDevList->FCTData.Count < 1)
        return 2;
    const TCTData& table = FDevList->FCTData;

    // 4. Fall back to entry 0, and steer to the selected serial number.
    FCurrentDeviceIndex = EffectiveIndex();

    // 5. Keep the device alive for the exchange even if a handler rescans.
    const std::shared_ptr<HidDevice> device =
        table.Device[static_cast<std::size_t>(FCurrentDeviceIndex)];
    hid::Capabilities caps;
    if (!device || !device->capabilities(caps))
        return 1;
    const std::size_t outLength = reportLength(caps.outputReportLength);
    const std::size_t inLength = reportLength(caps.inputReportLength);

    // 6.
    if (!device->flushQueue())
        return 1;

    // 7. The outcome of the write is not examined: a lost write shows as no reply.
    device->writeReport(FSendCopy.data(), outLength);

    // 8.
    if (OnSendCommands)
        OnSendCommands(FSendCopy);

    // 9. Every read is bounded: the reply must arrive within ReadTimeout of the
    //    write, however many streaming frames come first.
    const std::int64_t deadline = steadyMs() + FReadTimeoutMs;
    bool firstRead = true;
    auto readOne = [&]() -> TExchangeResult {
        const std::int64_t left = deadline - steadyMs();
        if (left <= 0 && !firstRead)
            return 3;
        firstRead = false;
        std::size_t length = 0;
        const hid::ReadStatus status = device->readReport(
            ReceiveArray.data(), inLength, length, static_cast<int>(std::max<std::int64_t>(left, 0)));
        if (status == hid::ReadStatus::Failed)
            return 12;
        if (status == hid::ReadStatus::Timeout)
            return 3;
        return 0;
    };
    if (const TExchangeResult r = readOne())
        return r;

    // 10. Reply search.
    auto status = [&] { return static_cast<std::uint8_t>(ReceiveArray[1] & 0x0F); };
    bool found = true;
    if (FMatchMsgIDs) {
        found = false;
        int counter = 1;
        for (;;) {
            if (status() == kStatusAnyId ||
                (ReceiveArray[2] == FMessageID && status() != kStatusStream)) {
                found = true;
                break;
            }
            if (counter >= kReplySearchLimit)
                break;
            clearHead(ReceiveArray);
            if (const TExchangeResult r = readOne())
                return r;
            if (status() != kStatusStream)
                ++counter;
        }
    }

    // 11.
    if (!found)
        return 3;
    if (status() == kStatusError)
        return static_cast<TExchangeResult>(ReceiveArray[4] << 8 | ReceiveArray[5]);
    return 0;
}

// ---- Tool selection ------------------------------------------------------------

std::int32_t TKelvanHidTool::EffectiveIndex() const
{
    if (!FDevList || FDevList->FCTData.Count < 1)
        return -1;
    const TCTData& table = FDevList->FCTData;
    std::int32_t index = FCurrentDeviceIndex;
    if (index > table.Count - 1 || index < 0)
        index = 0;
    if (!FSelectedSerial.empty() &&
        table.SerialNumber[static_cast<std::size_t>(index)] != FSelectedSerial) {
        const auto it =
            std::find(table.SerialNumber.begin(), table.SerialNumber.end(), FSelectedSerial);
        index = it == table.SerialNumber.end()
                    ? 0
                    : static_cast<std::int32_t>(it - table.SerialNumber.begin());
    }
    return index;
}

bool TKelvanHidTool::SetCurrentDevice(std::int32_t DeviceIndex)
{
    if (!FDevList || DeviceIndex < 0 || DeviceIndex > FDevList->FCTData.Count - 1)
        return false;
    FCurrentDeviceIndex = DeviceIndex;
    FSelectedObject = FDevList->FCTData.Device[static_cast<std::size_t>(DeviceIndex)];
    FDeviceSelected = true;
    return true;
}

bool TKelvanHidTool::SetCurrentSerial(const std::string& SerialNumberText)
{
    if (SerialNumberText.empty()) {
        FCurrentDeviceIndex = 0;
        FSelectedSerial.clear();
        return true;
    }
    if (!FDevList)
        return false;
    const auto& serials = FDevList->FCTData.SerialNumber;
    const auto it = std::find(serials.begin(), serials.end(), SerialNumberText);
    if (it == serials.end())
        return false;
    FCurrentDeviceIndex = static_cast<std::int32_t>(it - serials.begin());
    FSelectedSerial = SerialNumberText;
    return true;
}

bool TKelvanHidTool::ReselectDevice()
{
    FDeviceSelected = false;
    const std::shared_ptr<HidDevice> remembered = FSelectedObject.lock();
    if (!remembered || !FDevList)
        return false;
    const auto& devices = FDevList->FCTData.Device;
    const auto it = std::find(devices.begin(), devices.end(), remembered);
    if (it == devices.end())
        return false;
    FCurrentDeviceIndex = static_cast<std::int32_t>(it - devices.begin());
    FDeviceSelected = true;
    return true;
}

std::shared_ptr<HidDevice> TKelvanHidTool::CurrentDevice() const
{
    if (!FDevList || FCurrentDeviceIndex < 0 || FCurrentDeviceIndex >= FDevList->FCTData.Count)
        return nullptr;
    return FDevList->FCTData.Device[static_cast<std::size_t>(FCurrentDeviceIndex)];
}

std::uint16_t TKelvanHidTool::VendorID() const
{
    if (!FDevList || FCurrentDeviceIndex < 0 || FCurrentDeviceIndex >= FDevList->FCTData.Count)
        return 0;
    return parseDecimal(FDevList->FCTData.VendorID[static_cast<std::size_t>(FCurrentDeviceIndex)]);
}

std::uint16_t TKelvanHidTool::ProductID() const
{
    if (!FDevList || FCurrentDeviceIndex < 0 || FCurrentDeviceIndex >= FDevList->FCTData.Count)
        return 0;
    return parseDecimal(
        FDevList->FCTData.ProductID[static_cast<std::size_t>(FCurrentDeviceIndex)]);
}

std::string TKelvanHidTool::SerialNumber() const
{
    if (!FDevList || FCurrentDeviceIndex < 0 || FCurrentDeviceIndex >= FDevList->FCTData.Count)
        return {};
    return FDevList->FCTData.SerialNumber[static_cast<std::size_t>(FCurrentDeviceIndex)];
}

bool TKelvanHidTool::Connected() const
{
    return FDevList && FDevList->Connected();
}

bool TKelvanHidTool::IsStreaming() const
{
    return FDevList && FDevList->IsStreaming();
}

bool TKelvanHidTool::RawStream() const
{
    return FDevList && FDevList->RawStream();
}

void TKelvanHidTool::SetRawStream(bool value)
{
    if (FDevList)
        FDevList->SetRawStream(value);
}

// ---- Binding to the device list ------------------------------------------------

void TKelvanHidTool::SetKelvanDevList(TKelvanDevList* list)
{
    if (list == FDevList)
        return;
    RemoveDevListEvents();
    FDevList = list;
    AssignDevListEvent();
}

bool TKelvanHidTool::AssignDevListEvent()
{
    if (!FDevList)
        return false;
    FDevList->OnStreaming = [this](std::uint16_t Size, std::uint8_t HIDToolID,
                                   const std::uint8_t* Data) {
        if (OnStreaming)
            OnStreaming(Size, HIDToolID, Data);
    };
    FDevList->OnStreamingError = [this](std::uint16_t Code) {
        if (OnStreamingError)
            OnStreamingError(Code);
    };
    FDevList->OnStreamingDataMissed = [this](std::uint8_t HidToolID) {
        if (OnStreamingDataMissed)
            OnStreamingDataMissed(HidToolID);
    };
    return true;
}

void TKelvanHidTool::RemoveDevListEvents()
{
    if (!FDevList)
        return;
    FDevList->OnStreaming = nullptr;
    FDevList->OnStreamingError = nullptr;
    FDevList->OnStreamingDataMissed = nullptr;
}
