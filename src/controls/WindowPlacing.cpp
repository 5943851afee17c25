#include "WindowPlacing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

void setFrameCorner(QWidget& window, const QPoint& corner)
{
    window.move(corner);
    // QWidget::move() does nothing when the corner equals the present
    // position, and an unplaced window stands at (0, 0): the window system
    // would then place it as it likes. Naming the frame position of the native
    // window marks it as placed by the program.
    if (QWindow* handle = window.windowHandle())
        handle->setFramePosition(corner);
}

} // namespace

TWindowPlacement currentPlacement(const QWidget& window)
{
    TWindowPlacement p;
    p.maximised = window.isMaximized();
    if (p.maximised) {
        const QRect g = window.geometry();
        p.left = g.x() - 8;
        p.top = g.y() - 8;
        p.width = window.normalGeometry().width();
        p.height = window.normalGeometry().height();
    } else {
        p.left = window.x(); // the frame's corner
        p.top = window.y();
        p.width = window.width();
        p.height = window.height();
    }
    return p;
}

void applyPlacement(QWidget& window, const TPlacementDecision& d)
{
    if (d.resize)
        window.resize(d.size);
    if (d.move)
        setFrameCorner(window, d.position);
    if (d.maximise)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void centreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize frame = window.frameGeometry().size().expandedTo(window.size());
    setFrameCorner(window, area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

std::vector<QRect> displayRects()
{
    std::vector<QRect> displays;
    for (QScreen* screen : QGuiApplication::screens())
        displays.push_back(screen->geometry());
    return displays;
}
