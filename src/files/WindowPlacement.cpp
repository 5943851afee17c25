#include "WindowPlacement.h"

#include <algorithm>

namespace {

bool onAnyDisplay(const QPoint& point, const std::vector<QRect>& displays)
{
    return std::any_of(displays.begin(), displays.end(),
                       [&](const QRect& r) { return r.contains(point); });
}

} // namespace

TPlacementDecision placeWindow(const TWindowPlacement& saved, const std::vector<QRect>& displays)
{
    TPlacementDecision decision;
    const QPoint corner(saved.left, saved.top);
    if (saved.maximised) {
        if (onAnyDisplay(corner + QPoint(10, 10), displays)) {
            decision.move = true;
            decision.position = corner;
            decision.maximise = true;
        }
        return decision;
    }
    if (onAnyDisplay(corner, displays)) {
        decision.move = true;
        decision.position = corner;
        if (saved.width > 0 && saved.height > 0) {
            decision.resize = true;
            decision.size = QSize(saved.width, saved.height);
        }
    }
    return decision;
}
