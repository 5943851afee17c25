#pragma once
// Colours travel as 24-bit integers with red in the low byte, green in the
// middle and blue in the high byte (as stored in the preferences file).

#include <QColor>

inline QColor kvnColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline int kvnColorValue(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}
