#include "Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QPixmap canvas(int w, int h, qreal dpr)
{
    QPixmap pm(qRound(w * dpr), qRound(h * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

QPixmap ball(int size, QColor colour, qreal dpr)
{
    QPixmap pm = canvas(size, size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    QRadialGradient g(r.center() - QPointF(size * 0.18, size * 0.18), size * 0.65);
    g.setColorAt(0.0, colour.lighter(185));
    g.setColorAt(0.45, colour);
    g.setColorAt(1.0, colour.darker(170));
    p.setPen(QPen(colour.darker(200), 1));
    p.setBrush(g);
    p.drawEllipse(r);
    return pm;
}

QPixmap textPicture(int w, int h, const QString& text, QColor colour, int pointSize, bool frame,
                    qreal dpr)
{
    QPixmap pm = canvas(w, h, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (frame) {
        p.setPen(QPen(QColor(0x00, 0x6B, 0xD7), 2));
        p.setBrush(QColor(255, 255, 255, 235));
        p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 10, 10);
    }
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(pointSize);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter | Qt::TextWordWrap, text);
    return pm;
}

QPixmap arrow(int w, int h, bool left, qreal dpr)
{
    QPixmap pm = canvas(w, h, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const qreal m = h / 2.0;
    if (left) {
        path.moveTo(4, m);
        path.lineTo(h * 0.7, 4);
        path.lineTo(h * 0.7, m - h * 0.15);
        path.lineTo(w - 4, m - h * 0.15);
        path.lineTo(w - 4, m + h * 0.15);
        path.lineTo(h * 0.7, m + h * 0.15);
        path.lineTo(h * 0.7, h - 4);
    } else {
        path.moveTo(w - 4, m);
        path.lineTo(w - h * 0.7, 4);
        path.lineTo(w - h * 0.7, m - h * 0.15);
        path.lineTo(4, m - h * 0.15);
        path.lineTo(4, m + h * 0.15);
        path.lineTo(w - h * 0.7, m + h * 0.15);
        path.lineTo(w - h * 0.7, h - 4);
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(0x00, 0x40, 0x80), 1.5));
    p.setBrush(QColor(0x00, 0x6B, 0xD7, 60));
    p.drawPath(path);
    return pm;
}

QPixmap tap(int size, qreal dpr)
{
    QPixmap pm = canvas(size, size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    for (int i = 3; i >= 1; --i) {
        p.setPen(QPen(QColor(0x00, 0x6B, 0xD7, 50 * (4 - i)), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, size * 0.15 * i, size * 0.15 * i);
    }
    p.setBrush(QColor(0x00, 0x6B, 0xD7, 120));
    p.drawEllipse(c, size * 0.1, size * 0.1);
    return pm;
}

}  // namespace

Pictures Pictures::draw(qreal dpr)
{
    const QColor grey(0x9A, 0x9A, 0x9A), blue(0x00, 0x6B, 0xD7), red(0xFF, 0x33, 0x33);
    Pictures pics;
    pics.CHNone = ball(26, grey, dpr);
    pics.CHProx = ball(26, blue, dpr);
    pics.CHTouch = ball(26, red, dpr);
    pics.CHNoneScope = ball(14, grey, dpr);
    pics.CHProxScope = ball(14, blue, dpr);
    pics.CHTouchScope = ball(14, red, dpr);
    pics.BackText = textPicture(420, 120, QStringLiteral("MFS380A"), QColor(0, 0, 0, 22), 54,
                                false, dpr);
    pics.WaitText = textPicture(300, 90, QStringLiteral("Please Wait...\nLoading settings"),
                                QColor(0x00, 0x40, 0x80), 16, true, dpr);
    pics.FlickLeft = arrow(120, 48, true, dpr);
    pics.FlickRight = arrow(120, 48, false, dpr);
    pics.Tap = tap(64, dpr);
    return pics;
}
