#pragma once
// The demo window's pictures, drawn by the program once: "SARNone",
// "SARProx", "SARTouch" and "SARDeep" (49 x 40), indexed by TDemoPicture.

#include "DemoIndicators.h"

#include <QPixmap>
#include <array>

struct DemoPictures {
    std::array<QPixmap, 4> Demo;

    const QPixmap& operator[](TDemoPicture p) const { return Demo[static_cast<std::size_t>(p)]; }
    // Device pixel ratio dpr for sharp output on high-dpi screens.
    static DemoPictures draw(qreal dpr = 1.0);
};
