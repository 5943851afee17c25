#pragma once
// Assembly buffer of a streamed frame that spans several reports.

#include "KvnTypes.h"

#include <cstdint>

struct TStreamingPacket {
    TKvnByteArray Packet{};
    std::uint16_t PacketSize = 0;  // bytes of the assembled frame
    std::int32_t PacketPos = 0;    // next write position
    bool InProgress = false;
    bool FireEvent = false;        // an assembled frame waits to be delivered
};
