// The streaming engine's data handler: one input report at a time, in
// arrival order, on the user-interface thread. No allocation per report:
// frames are assembled in a fixed buffer and single-report frames are handed
// on without a copy.

#include "KelvanDevList.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint8_t kStatusStream = 0xF;
constexpr std::uint8_t kStatusError = 0xE;
constexpr std::uint8_t kStatusEvent = 0xB;
constexpr int kPayloadOffset = 3;
constexpr int kPiece = 32;
constexpr int kHeadBytes = kPayloadOffset + kPiece;  // frame bytes 0 to 34
constexpr int kPacketCapacity = static_cast<int>(std::tuple_size_v<TKvnByteArray>);

// Report bytes past the end of a short report read as 0.
inline std::uint8_t byteAt(const std::uint8_t* data, std::uint16_t size, int i)
{
    return i < size ? data[i] : 0;
}

// Copies n bytes from data[from], zero-filling what the report does not hold.
inline void copyBytes(std::uint8_t* dst, const std::uint8_t* data, std::uint16_t size, int from,
                      int n)
{
    const int available = std::clamp(static_cast<int>(size) - from, 0, n);
    if (available > 0)
        std::memcpy(dst, data + from, static_cast<std::size_t>(available));
    if (available < n)
        std::memset(dst + available, 0, static_cast<std::size_t>(n - available));
}

}  // namespace

void TKelvanDevList::DeviceData(HidDevice& HidDev, const std::uint8_t* Data, std::uint16_t Size)
{
    std::uint8_t HIDToolID = 0;
    const std::uint8_t status = byteAt(Data, Size, 0) & 0x0F;
    bool deliverDeviceData = true;

    if (FRawStream) {
        if (OnStreaming && status == kStatusStream)
            OnStreaming(Size, 0, Data);
    } else if (OnStreaming && FCTData.Count > 0 && FIsStreaming) {
        HIDToolID = static_cast<std::uint8_t>(byteAt(Data, Size, 0) >> 4);
        const int p = FStreamingCounter.IndexOfDevID(HIDToolID);
        if (status == kStatusStream && p >= 0) {
            StreamingReport(HidDev, Data, Size, HIDToolID, p, deliverDeviceData);
        } else if (status == kStatusError && byteAt(Data, Size, 3) == 0 && OnStreamingError &&
                   FIsStreaming) {
            OnStreamingError(static_cast<std::uint16_t>(byteAt(Data, Size, 3) * 256 +
                                                        byteAt(Data, Size, 4)));
        }
    } else if (status == kStatusEvent && byteAt(Data, Size, 1) == 0xFF && OnStreaming) {
        // Event reports reach the application only while nothing streams.
        OnStreaming(Size, 0, Data);
    }

    if (deliverDeviceData && OnDeviceData)
        OnDeviceData(Size, HIDToolID, Data);
}

void TKelvanDevList::StreamingReport(HidDevice& HidDev, const std::uint8_t* Data,
                                     std::uint16_t Size, std::uint8_t HIDToolID, int p,
                                     bool& deliverDeviceData)
{
    const bool known = IsKnownTool(&HidDev);

    // Frame counter: one event per mismatch, then follow the received value.
    // The first mismatch after a stop or removal, and the one after it, are
    // a resynchronisation.
    if (known) {
        const int expected = FStreamingCounter.CounterValue(p);
        const int received = byteAt(Data, Size, 1);
        if (expected != received) {
            FStreamingCounter.SetCounter(p, received);
            if (FJustStopped && (expected == 0 || expected == 1)) {
                FJustStopped = false;
                FJustFixed = true;
            } else if (FJustFixed) {
                FJustFixed = false;
            } else {
                // The counter wraps at 256: a gap counts the frames modulo 256.
                FFramesMissed += static_cast<std::uint64_t>((received - expected) & 0xFF);
                if (OnStreamingDataMissed)
                    OnStreamingDataMissed(HIDToolID);
            }
        }
    }

    // Payload length of this report.
    int length = 0;
    TStreamingPacket& sp = FStreamingPacket;
    if (!FDoLongStream) {
        length = byteAt(Data, Size, 2);  // payload bytes still to come, this report's included
    } else {
        const int k = byteAt(Data, Size, 2);  // report number within the frame
        if (k == FTempPacketNum && FTempPacketNum < FLongStreamingPackets) {
            length = FLongStreamingLength;
            ++FTempPacketNum;
        } else if (k != FTempPacketNum) {
            // Out of sequence: drop the frame in assembly and this report.
            FTempPacketNum = 0;
            sp.InProgress = false;
            deliverDeviceData = false;
            return;
        } else {
            length = FLongStreamingLength % kPiece;
            if (length == 0)
                length = kPiece;
        }
    }

    // Assembly of frames that span several reports.
    if (sp.InProgress) {
        const int n = std::min(length, kPiece);
        if (sp.PacketPos + n > kPacketCapacity) {
            // Longer than any frame the buffer can hold: drop it.
            FTempPacketNum = 0;
            sp.InProgress = false;
            deliverDeviceData = false;
            return;
        }
        copyBytes(sp.Packet.data() + sp.PacketPos, Data, Size, kPayloadOffset, n);
        sp.PacketPos += n;
        if (length <= kPiece) {
            sp.InProgress = false;
            FTempPacketNum = 0;
            sp.FireEvent = true;
        }
    } else if (length > kPiece) {
        if (length + kPayloadOffset > kPacketCapacity) {
            FTempPacketNum = 0;
            deliverDeviceData = false;
            return;
        }
        sp.InProgress = true;
        sp.PacketSize = static_cast<std::uint16_t>(length + kPayloadOffset);
        copyBytes(sp.Packet.data(), Data, Size, 0, kHeadBytes);
        if (FDoLongStream)
            sp.Packet[2] = 0xFF;
        sp.PacketPos = kHeadBytes;
    }

    // Delivery once no frame is in assembly any more.
    if (!known || sp.InProgress)
        return;
    const int next = FStreamingCounter.CounterValue(p) + 1;
    FStreamingCounter.SetCounter(p, next > 255 ? 0 : next);
    if (sp.FireEvent) {
        sp.FireEvent = false;
        if (OnStreaming)
            OnStreaming(sp.PacketSize, HIDToolID, sp.Packet.data());
    } else if (OnStreaming) {
        OnStreaming(Size, HIDToolID, Data);
    }
}
