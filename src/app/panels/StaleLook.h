#pragma once
// The look of read-outs that show the last values of a stream that has ended
// (Stop, Power Off, the tool unplugged): the values stay, greyed, until the
// next frame brings live ones.

#include <QColor>

class QLabel;
class QPixmap;

namespace stalelook {

// The stale shade of a colour: its grey of the same lightness, paled.
QColor shade(const QColor& live);
// Text colour of a stale read-out.
QColor textColour();
// Greys a label's text (stale) or gives it back its own colour. Only the
// text colour changes; the text stays.
void setLabelStale(QLabel* label, bool stale);
// A greyed copy of a picture.
QPixmap greyed(const QPixmap& picture);

} // namespace stalelook
