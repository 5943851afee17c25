#pragma once
// Where a window goes at its first activation, decided from its saved
// placement and the rectangles of the displays connected now.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// A window's placement as the preferences file keeps it.
struct TWindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximised = false; // "State" = "Max"
};

// What to do with the window. Nothing set: leave it where it is.
struct TPlacementDecision {
    bool move = false; // move the window's top-left corner to position
    QPoint position;
    bool resize = false; // give the window size
    QSize size;
    bool maximise = false;

    bool operator==(const TPlacementDecision&) const = default;
};

// A restored window goes to its saved top-left corner, with its saved size,
// when that corner lies on a display. A maximised window goes to its saved
// corner and is maximised when the point 10 pixels right of and below the
// corner lies on a display (the saved corner of a maximised window lies just
// outside its display). A position on no display leaves the window alone.
// A saved size that is not positive is not applied.
TPlacementDecision placeWindow(const TWindowPlacement& saved, const std::vector<QRect>& displays);
