#include "ToolStreamer.h"

#include "SimChip.h"

#include <algorithm>

namespace sim {

void ToolStreamer::setLongLength(std::uint16_t length, std::uint16_t setupLength)
{
    longLength_ = length;
    setupLength_ = setupLength == length ? 0 : setupLength;
}

bool ToolStreamer::longPiece(std::uint8_t piece, const std::uint8_t* data, bool& complete)
{
    complete = false;
    const int total = templateLength();
    if (piece == 0) {
        receiving_.clear();
        nextPiece_ = 0;
    }
    if (piece != nextPiece_ || total == 0 || piece * kPiece >= total) {
        nextPiece_ = -1;  // wait for a new piece 0
        return false;
    }
    const int n = std::min(kPiece, total - piece * kPiece);
    receiving_.insert(receiving_.end(), data, data + n);
    ++nextPiece_;
    complete = static_cast<int>(receiving_.size()) >= total;
    return true;
}

bool ToolStreamer::shortPiece(std::uint8_t remaining, const std::uint8_t* data, bool& complete)
{
    complete = false;
    if (remaining == 0)
        return false;
    if (shortRemaining_ == 0 || remaining != shortRemaining_) {
        receiving_.clear();  // a new template starts
        shortRemaining_ = remaining;
    }
    const int n = std::min<int>(kPiece, remaining);
    receiving_.insert(receiving_.end(), data, data + n);
    shortRemaining_ = remaining - n;
    complete = shortRemaining_ == 0;
    return true;
}

void ToolStreamer::start(Kind kind)
{
    std::size_t length = receiving_.size();
    if (kind == Kind::Long)
        length = longLength_;  // a shorter template continues its last run
    addresses_.assign(length, 0);
    std::uint8_t address = 0;
    for (std::size_t k = 0; k < length; ++k) {
        const std::uint8_t entry = k < receiving_.size() ? receiving_[k] : 0;
        address = entry != 0 ? entry : (k == 0 ? 0 : static_cast<std::uint8_t>(address + 1));
        addresses_[k] = address;
    }
    kind_ = kind;
    counter_ = 0;
    nextPiece_ = 0;
    shortRemaining_ = 0;
}

void ToolStreamer::stop()
{
    kind_ = Kind::None;
}

void ToolStreamer::frame(const SimChip& chip, std::uint8_t toolId, std::vector<Report>& out)
{
    if (kind_ == Kind::None)
        return;
    const int length = static_cast<int>(addresses_.size());
    int offset = 0;
    int index = 0;
    do {
        Report report{};
        report[1] = static_cast<std::uint8_t>(0x0F | (toolId << 4));
        report[2] = counter_;
        report[3] = static_cast<std::uint8_t>(kind_ == Kind::Long ? index : length - offset);
        const int n = std::min(kPiece, length - offset);
        for (int i = 0; i < n; ++i)
            report[static_cast<std::size_t>(4 + i)] =
                chip.streamRead(addresses_[static_cast<std::size_t>(offset + i)]);
        out.push_back(report);
        offset += n;
        ++index;
    } while (offset < length);
    ++counter_;
    ++framesSent_;
}

Report ToolStreamer::errorReport(std::uint8_t toolId, std::uint8_t number)
{
    Report report{};
    report[1] = static_cast<std::uint8_t>(0x0E | (toolId << 4));
    report[5] = number;  // bytes 2 to 4 stay 0: no message id, no command
    return report;
}

}  // namespace sim
