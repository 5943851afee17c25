#include "KelvanLogo.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

TKelvanLogo::TKelvanLogo(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Logo"));
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(QStringLiteral("Kelvan"));
}

void TKelvanLogo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Kept in proportion: the drawing is scaled to the widget's height.
    const qreal scale = height() / 70.0;
    p.translate(std::max(0.0, (width() - 300 * scale) / 2), 0);
    p.scale(scale, scale);

    const QRectF badge(4, 5, 60, 60);
    QLinearGradient fill(badge.topLeft(), badge.bottomRight());
    fill.setColorAt(0, QColor(0, 92, 170));
    fill.setColorAt(1, QColor(0, 54, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(badge, 12, 12);

    // The "K": a stem and two arms.
    p.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(22, 18), QPointF(22, 52));
    QPainterPath arms;
    arms.moveTo(47, 18);
    arms.lineTo(26, 36);
    arms.lineTo(47, 52);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arms);
    // A sensing arc around the badge's corner.
    p.setPen(QPen(QColor(120, 200, 255), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(36, 8, 22, 22), 0, 90 * 16);

    QFont name = font();
    name.setBold(true);
    name.setPixelSize(34);
    name.setLetterSpacing(QFont::PercentageSpacing, 108);
    p.setFont(name);
    p.setPen(QColor(0, 60, 120));
    p.drawText(QRectF(76, 5, 220, 42), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KELVAN"));
    QFont tag = font();
    tag.setPixelSize(12);
    p.setFont(tag);
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRectF(78, 44, 220, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Sensing solutions"));
}

void TKelvanLogo::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
