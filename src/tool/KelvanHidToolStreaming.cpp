// Streaming start and stop of the tool command component; the streaming
// state lives in the bound device list.

#include "KelvanHidTool.h"

#include "HidDevice.h"
#include "KelvanDevList.h"

#include <algorithm>

namespace {
constexpr std::uint32_t kChunk = 32;
constexpr std::uint32_t kArrayBytes = std::tuple_size_v<TKvnByteArray>;
}  // namespace

bool TKelvanHidTool::CurrentHoldsSlot() const
{
    const std::int32_t index = EffectiveIndex();
    if (index < 0)
        return false;
    const HidDevice* device = FDevList->FCTData.Device[static_cast<std::size_t>(index)].get();
    return FDevList->FStreamingDevices.SlotOf(device) >= 0;
}

TExchangeResult TKelvanHidTool::SetLongStreamingLength(std::uint16_t Size)
{
    Begin(0x14, 2);
    Put16(4, Size);
    const TExchangeResult r = Exchange();
    if (r == 0 && FDevList) {
        FDevList->FLongStreamingLength = Size;
        FDevList->FLongStreamingSetupPackets = 0;
        FDevList->FLongStreamingSetupLength = 0;
    }
    return r;
}

TExchangeResult TKelvanHidTool::SetLongStreamingLength(std::uint16_t Size, std::uint16_t SetupSize)
{
    if (SetupSize < 4)
        return 254;
    Begin(0x14, 4);
    Put16(4, Size);
    Put16(6, SetupSize);
    const TExchangeResult r = Exchange();
    if (r == 0 && FDevList) {
        FDevList->FLongStreamingLength = Size;
        FDevList->FLongStreamingSetupLength = SetupSize;
        FDevList->FLongStreamingSetupPackets =
            static_cast<std::int32_t>((SetupSize + kChunk - 1) / kChunk);
    }
    return r;
}

// Sends a template in 32-byte pieces (one empty piece for an empty template).
// Byte 3 holds the piece number, or with countdown the template bytes not yet
// sent, this piece's included.
TExchangeResult TKelvanHidTool::SendTemplate(std::uint8_t commandCode, std::uint32_t length,
                                             const TKvnByteArray& bytes, bool countdown,
                                             int& lastPiece)
{
    std::uint32_t pos = 0;
    int piece = 0;
    lastPiece = 0;
    do {
        const std::uint32_t n = std::min(kChunk, length - pos);
        Begin(commandCode,
              static_cast<std::uint8_t>(countdown ? length - pos : static_cast<std::uint32_t>(piece)));
        std::copy_n(bytes.begin() + pos, n, Send.begin() + 4);
        if (const TExchangeResult r = Exchange())
            return r;
        lastPiece = piece;
        pos += n;
        ++piece;
    } while (pos < length);
    return 0;
}

TExchangeResult TKelvanHidTool::StartLongStreaming(const TKvnByteArray& BytesToStream)
{
    if (!FDevList)
        return 2;
    TKelvanDevList& list = *FDevList;
    if (CurrentHoldsSlot())
        return 8;
    const std::uint32_t length = list.FLongStreamingSetupPackets != 0
                                     ? list.FLongStreamingSetupLength
                                     : list.FLongStreamingLength;
    if (length > kArrayBytes)
        return 0x15FE;  // "Invalid Parameter": a template longer than the array
    int lastPiece = 0;
    if (const TExchangeResult r = SendTemplate(0x15, length, BytesToStream, false, lastPiece))
        return r;

    list.FIsStreaming = true;
    if (list.FLongStreamingSetupPackets == 0) {
        list.FLongStreamingPackets = lastPiece;
    } else {
        const std::int32_t frameLength = list.FLongStreamingLength;
        list.FLongStreamingPackets = (frameLength + 31) / 32 - 1;
    }
    list.FDoLongStream = true;
    ++list.FStreamingDevices.NumberOfDevices;
    // The first free slot: for one tool the slot NumberOfDevices - 1, and a
    // restart of one of several tools never overwrites another's slot.
    const int slot = list.FStreamingDevices.FirstEmptySlot();
    list.FStreamingDevices.SetDevice(slot, CurrentDevice());
    list.FStreamingDevices.SetDeviceID(slot, FLastDevID);
    list.FStreamingCounter.Append(FLastDevID, 0);
    return 0;
}

TExchangeResult TKelvanHidTool::StartStreaming(std::uint8_t NoBytesToStream,
                                               const TKvnByteArray& BytesToStream)
{
    if (!FDevList)
        return 2;
    TKelvanDevList& list = *FDevList;
    if (CurrentHoldsSlot())
        return 8;
    std::uint32_t version = 0;
    GetCTFWVersion(version);  // refreshes LastDevID; result not examined
    int lastPiece = 0;
    if (const TExchangeResult r =
            SendTemplate(0x0C, NoBytesToStream, BytesToStream, true, lastPiece))
        return r;

    list.FIsStreaming = true;
    ++list.FStreamingDevices.NumberOfDevices;
    const int slot = list.FStreamingDevices.FirstEmptySlot();
    list.FStreamingDevices.SetDevice(slot, CurrentDevice());
    list.FStreamingDevices.SetDeviceID(slot, FLastDevID);
    list.FStreamingCounter.Append(FLastDevID, 0);
    return 0;
}

TExchangeResult TKelvanHidTool::StopStreaming()
{
    if (!FDevList)
        return 2;
    TKelvanDevList& list = *FDevList;

    // 1.
    const std::int32_t index = EffectiveIndex();
    if (index >= 0) {
        const int slot = list.FStreamingDevices.SlotOf(
            list.FCTData.Device[static_cast<std::size_t>(index)].get());
        if (slot >= 0) {
            list.FStreamingDevices.SetDevice(slot, nullptr);
            --list.FStreamingDevices.NumberOfDevices;
        }
    }
    // 2.
    std::uint32_t version = 0;
    GetCTFWVersion(version);
    // 3.
    Begin(0x0D, 0);
    if (const TExchangeResult r = Exchange())
        return r;
    // 4.
    if (list.FStreamingDevices.NumberOfDevices < 1)
        list.FIsStreaming = false;
    list.FDoLongStream = false;
    // 5.
    const int p = list.FStreamingCounter.IndexOfDevID(FLastDevID);
    if (p >= 0) {
        list.FStreamingCounter.Delete(p);
        list.FJustStopped = true;
    }
    return 0;
}

TExchangeResult TKelvanHidTool::InStreamingWrite(std::uint8_t DataLeng, std::uint8_t ChanNum,
                                                 std::uint8_t ChanIndex, std::uint8_t Address,
                                                 const TKvnByteArray& Data)
{
    Begin(0x1B, static_cast<std::uint8_t>(DataLeng + 3));
    Send[4] = ChanNum;
    Send[5] = ChanIndex;
    Send[6] = Address;
    std::copy_n(Data.begin(), DataLeng, Send.begin() + 7);
    return Exchange();
}
