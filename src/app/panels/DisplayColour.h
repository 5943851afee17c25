#pragma once
// Display colours (RGB, red in the high byte) as QColor.

#include <QColor>
#include <cstdint>

inline QColor displayColour(std::uint32_t rgb)
{
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}
