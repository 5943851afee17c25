#pragma once
// Placing a top-level window from its saved placement, and reading the
// placement to save. Left and Top are the corner of the window's frame, as
// the preferences file has always kept them; Width and Height its client size.

#include "WindowPlacement.h"

class QWidget;

// The placement to save: frame corner and client size of the restored
// window; for a maximised one the corner just outside its display.
TWindowPlacement currentPlacement(const QWidget& window);
// Carries out a decision of placeWindow. A corner that equals the window's
// present position (0, 0 before it was ever moved) is set all the same, so
// that the window system does not choose a place of its own.
void applyPlacement(QWidget& window, const TPlacementDecision& decision);
// Centres the window on the screen that holds it (the primary one before it
// is shown).
void centreOnScreen(QWidget& window);
// The rectangles of the displays connected now.
std::vector<QRect> displayRects();
