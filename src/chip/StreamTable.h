#pragma once
// The stream address table: which register blocks make up one streamed frame,
// and where each block starts in the frame.
//
// Entry k describes frame data byte k: a register address starts a run of
// consecutive registers there, 0 continues the run. Frame offsets count the
// frame's 3 header bytes (data byte k is at offset k + 3).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

inline constexpr int kFrameHeader = 3;
inline constexpr std::size_t kStreamTableSize = 32768;
// Same type as the tool's TKvnByteArray, so the table goes to the tool as is.
using TStreamBytes = std::array<std::uint8_t, kStreamTableSize>;

inline constexpr int kDebugRows = 20;      // one-byte debug addresses, rows 0..19
inline constexpr int kExtraAddresses = 22; // plus the two 16-bit extra bars, 20 and 21
inline constexpr int kExtraBar1 = 20;      // CH6Check, Bar1Val
inline constexpr int kExtraBar2 = 21;      // CH7Check, Bar2Val

// What SetupStreaming reads.
struct TStreamSelection {
    bool PT = true;          // "Prox && Touch"
    bool CS = true;          // "Count Samples"
    bool LTA = true;         // "Long Term Averages (LTA)"
    bool DoChStream = false; // ACTIVE_CHS streamed (while SAR UI is enabled)
    // Rows 0..21: the address to stream, nullopt for an empty (or rejected) row.
    // Address 0 cannot start a run in the table and is never streamed.
    std::array<std::optional<std::uint8_t>, kExtraAddresses> Addresses{};
    bool CH6Check = false; // row 20 streamed only while ticked
    bool CH7Check = false; // row 21 streamed only while ticked
};

// Where each block sits in a frame. Start indices of absent blocks are 0.
struct TStreamLayout {
    bool SysFlagsActive = true;
    bool PTActive = false;
    bool CSActive = false;
    bool LTAActive = false;
    bool ChActive = false; // 0xD1 in the frame (DoChStream)
    int SysFlagsStartIndex = 0;
    int PTStartIndex = 0;
    int SarStartIndex = 0;
    int MetalStartIndex = 0;
    int HallStartIndex = 0;
    int TempStartIndex = 0;
    int CSStartIndex = 0;
    int LTAStartIndex = 0;
    int ChStartIndex = 0;
    int QRDStartIndex = 0;
    std::array<int, kExtraAddresses> AdrStartIndexArray{};
    std::array<bool, kExtraAddresses> AdrActiveArray{};
    int StreamLength = 0; // frame data bytes (FStreamLength)

    int frameSize() const { return StreamLength + kFrameHeader; }
};

struct TStreamTable {
    TStreamLayout Layout;
    TStreamBytes Bytes{}; // only the first Layout.StreamLength entries are sent
};

// The layout alone (pure).
TStreamLayout buildStreamLayout(const TStreamSelection& sel);
// Layout and bytes (pure). bytes is fully rewritten.
void buildStreamTable(const TStreamSelection& sel, TStreamTable& table);
