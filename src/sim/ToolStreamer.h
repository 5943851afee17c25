#pragma once
// The configuration tool's streaming: takes a stream template in pieces and,
// while streaming, reads one frame from the chip per ready cycle and sends it
// as streaming reports.
//
// Template: entry k names the register of payload byte k; a non-zero entry
// starts a run at that register, a zero entry continues the run with the next
// register. Long streaming sends a frame of L payload bytes in ceil(L / 32)
// reports numbered 0, 1, ... (report byte 3); short streaming sends N bytes
// with report byte 3 holding the payload bytes still to come, this report's
// included. Every report of a frame carries the same frame counter, which
// starts at 0 and counts frames modulo 256.

#include "SimTypes.h"

#include <cstdint>
#include <vector>

namespace sim {

class SimChip;

class ToolStreamer {
public:
    static constexpr int kPiece = 32;
    static constexpr std::uint16_t kMaxLength = 1024;

    enum class Kind { None, Short, Long };

    // Long-stream frame length L and, when it differs, the template length.
    void setLongLength(std::uint16_t length, std::uint16_t setupLength);
    std::uint16_t longLength() const { return longLength_; }
    std::uint16_t templateLength() const { return setupLength_ ? setupLength_ : longLength_; }

    // Template pieces. Return false when the piece is out of sequence; set
    // complete when the template is whole.
    bool longPiece(std::uint8_t piece, const std::uint8_t* data, bool& complete);
    bool shortPiece(std::uint8_t remaining, const std::uint8_t* data, bool& complete);
    // Starts streaming with the template just completed.
    void start(Kind kind);
    void stop();
    Kind kind() const { return kind_; }
    bool streaming() const { return kind_ != Kind::None; }

    // One frame read from the chip, as reports.
    void frame(const SimChip& chip, std::uint8_t toolId, std::vector<Report>& out);
    // Frames sent since the tool started.
    std::uint64_t framesSent() const { return framesSent_; }
    // A streaming error report carrying one error number.
    static Report errorReport(std::uint8_t toolId, std::uint8_t number);

private:
    std::vector<std::uint8_t> receiving_;
    int nextPiece_ = 0;
    int shortRemaining_ = 0;
    std::uint16_t longLength_ = 0;
    std::uint16_t setupLength_ = 0;

    Kind kind_ = Kind::None;
    std::vector<std::uint8_t> addresses_;  // register of each payload byte
    std::uint8_t counter_ = 0;
    std::uint64_t framesSent_ = 0;
};

}  // namespace sim
