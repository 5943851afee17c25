#include "DemoPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kWidth = 49;
constexpr int kHeight = 40;

// An antenna mast with as many radio waves on each side as the level: none
// (grey, no waves), prox (blue, one), touch (red, two), deep touch (dark red,
// three).
QPixmap antenna(const QColor& fill, int waves, qreal dpr)
{
    QPixmap pm(qRound(kWidth * dpr), qRound(kHeight * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF badge(1, 1, kWidth - 2, kHeight - 2);
    p.setPen(QPen(fill.darker(150), 1));
    p.setBrush(fill);
    p.drawRoundedRect(badge, 7, 7);

    const QColor ink = waves == 0 ? QColor(0x70, 0x70, 0x70) : QColor(Qt::white);
    const QPointF top(kWidth / 2.0, 12);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // Mast and its feet.
    p.drawLine(top, QPointF(top.x(), kHeight - 7));
    p.drawLine(QPointF(top.x() - 6, kHeight - 7), QPointF(top.x(), top.y() + 8));
    p.drawLine(QPointF(top.x() + 6, kHeight - 7), QPointF(top.x(), top.y() + 8));
    p.setBrush(ink);
    p.drawEllipse(top, 2.6, 2.6);
    // Waves.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= waves; ++i) {
        const qreal r = 4.5 + i * 4.5;
        const QRectF arc(top.x() - r, top.y() - r, 2 * r, 2 * r);
        p.drawArc(arc, -40 * 16, 80 * 16); // right
        p.drawArc(arc, 140 * 16, 80 * 16); // left
    }
    return pm;
}

} // namespace

DemoPictures DemoPictures::draw(qreal dpr)
{
    DemoPictures pics;
    pics.Demo[0] = antenna(QColor(0xE4, 0xE4, 0xE4), 0, dpr); // SARNone
    pics.Demo[1] = antenna(QColor(0x00, 0x6B, 0xD7), 1, dpr); // SARProx
    pics.Demo[2] = antenna(QColor(0xFF, 0x33, 0x33), 2, dpr); // SARTouch
    pics.Demo[3] = antenna(QColor(0x9E, 0x20, 0x1D), 3, dpr); // SARDeep
    return pics;
}
