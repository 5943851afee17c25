#pragma once
// Report lengths from a HID report descriptor: the longest input and output
// report, in bytes, with the report-ID byte counted (as the tool link expects:
// a full-speed tool with 64-byte reports gives 65), and whether the device
// numbers its reports.

#include <cstddef>
#include <cstdint>

struct ReportLayout {
    std::uint16_t inputLength = 0;
    std::uint16_t outputLength = 0;
    bool numbered = false;  // reports carry a report-ID byte on the wire
    bool valid = false;     // the descriptor could be parsed
};

ReportLayout parseReportDescriptor(const std::uint8_t* data, std::size_t size);
