#pragma once
// The pictures of the main window, drawn by the program once at start-up.

#include <QPixmap>

struct Pictures {
    QPixmap CHNone, CHProx, CHTouch;                  // large channel-state balls
    QPixmap CHNoneScope, CHProxScope, CHTouchScope;   // small markers
    QPixmap BackText;   // pale watermark with the chip's name
    QPixmap WaitText;   // "Please Wait... Loading settings"
    QPixmap FlickLeft, FlickRight, Tap;  // gesture pictures

    // Draws every picture; device pixel ratio dpr for sharp output on high-dpi screens.
    static Pictures draw(qreal dpr = 1.0);
};
