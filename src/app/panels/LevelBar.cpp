#include "LevelBar.h"

#include "StaleLook.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

// A tick step of 1, 2 or 5 times a power of ten giving about `wanted` steps.
double niceStep(double span, int wanted)
{
    if (span <= 0)
        return 1;
    const double raw = span / wanted;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / mag;
    return (f < 1.5 ? 1 : f < 3.5 ? 2 : f < 7.5 ? 5 : 10) * mag;
}

} // namespace

TLevelBar::TLevelBar(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize TLevelBar::sizeHint() const
{
    return {200, fontMetrics().height() + 30};
}

QSize TLevelBar::minimumSizeHint() const
{
    return {120, fontMetrics().height() + 30};
}

void TLevelBar::setRange(double min, double max)
{
    if (max <= min)
        max = min + 1;
    if (min == FMin && max == FMax)
        return;
    FMin = min;
    FMax = max;
    update();
}

void TLevelBar::setBar(bool shown, double value, const QColor& colour)
{
    if (shown == FBarShown && value == FBarValue && colour == FColour)
        return;
    FBarShown = shown;
    FBarValue = value;
    FColour = colour;
    update();
}

void TLevelBar::setValueMarkShown(bool on)
{
    if (on != FValueMark) {
        FValueMark = on;
        update();
    }
}

void TLevelBar::setMarker(bool shown, double value)
{
    if (shown == FMarkerShown && value == FMarkerValue)
        return;
    FMarkerShown = shown;
    FMarkerValue = value;
    update();
}

void TLevelBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void TLevelBar::setStale(bool stale)
{
    if (stale == FStale)
        return;
    FStale = stale;
    update();
}

void TLevelBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont small = font();
    small.setPointSizeF(std::max(6.5, small.pointSizeF() - 1.5));
    p.setFont(small);
    const QFontMetrics fm(small);

    const int labelH = fm.height();
    const QRect plot = rect().adjusted(8, 3, -10, -(labelH + 6));
    p.fillRect(plot, Qt::white);
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(plot.adjusted(0, 0, -1, -1));

    const double span = FMax - FMin;
    const auto xOf = [&](double v) {
        const double c = std::clamp(v, FMin, FMax);
        return plot.left() + (c - FMin) / span * (plot.width() - 1);
    };

    // Axis ticks and labels.
    const double step = niceStep(span, plot.width() >= 180 ? 4 : 2);
    p.setPen(QColor(0x40, 0x40, 0x40));
    for (double t = std::ceil(FMin / step) * step; t <= FMax + step * 1e-6; t += step) {
        const int x = qRound(xOf(t));
        p.drawLine(x, plot.bottom() + 1, x, plot.bottom() + 4);
        const QString text = QString::number(t, 'f', 0);
        const int w = fm.horizontalAdvance(text);
        const int tx = std::clamp(x - w / 2, 0, width() - w);
        p.drawText(tx, plot.bottom() + 5 + fm.ascent(), text);
    }

    const double base = std::clamp(0.0, FMin, FMax);
    const int barTop = plot.top() + plot.height() / 5;
    const int barH = plot.height() - 2 * (plot.height() / 5);
    if (FBarShown) {
        const double x0 = xOf(base), x1 = xOf(FBarValue);
        QRectF bar(std::min(x0, x1), barTop, std::max(std::abs(x1 - x0), 1.0), barH);
        const QColor fill = FStale ? stalelook::shade(FColour) : FColour;
        p.setPen(QPen(fill.darker(135), 1));
        p.setBrush(fill);
        p.drawRect(bar);
        if (FValueMark) {
            const QString text = QString::number(FBarValue, 'f', 0);
            const int w = fm.horizontalAdvance(text) + 6;
            QRect mark(0, barTop + (barH - fm.height() - 2) / 2, w, fm.height() + 2);
            const int right = qRound(std::max(x0, x1));
            mark.moveLeft(right + 3 + w <= plot.right() ? right + 3 : right - w - 3);
            p.setPen(QColor(0x60, 0x60, 0x60));
            p.setBrush(QColor(0xFF, 0xFF, 0xE1));
            p.drawRect(mark);
            p.setPen(Qt::black);
            p.drawText(mark, Qt::AlignCenter, text);
        }
    }
    if (base > FMin && base < FMax) {
        p.setPen(QColor(0x80, 0x80, 0x80));
        const int x = qRound(xOf(base));
        p.drawLine(x, plot.top() + 1, x, plot.bottom() - 1);
    }
    if (FMarkerShown) {
        p.setRenderHint(QPainter::Antialiasing, true);
        const double x = xOf(FMarkerValue);
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
        p.drawLine(QPointF(x, plot.top() + 2), QPointF(x, plot.bottom() - 2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x20, 0x20));
        const QPointF tri[3] = {
            {x - 5, double(plot.top())}, {x + 5, double(plot.top())}, {x, plot.top() + 6.0}};
        p.drawPolygon(tri, 3);
    }
}
