#include "ColouredBars.h"

#include "StaleLook.h"

#include <algorithm>

TColouredBars::TColouredBars(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPBars(keyAxis, valueAxis)
{
    setSelectable(QCP::stNone);
    setAntialiased(false);
}

void TColouredBars::setBarColour(int index, const QColor& colour)
{
    if (index < 0)
        return;
    if (index >= FColours.size())
        FColours.resize(index + 1);
    FColours[index] = colour;
}

QColor TColouredBars::barColour(int index) const
{
    const QColor c = index >= 0 && index < FColours.size() ? FColours[index] : QColor();
    return c.isValid() ? c : FSeriesColour;
}

void TColouredBars::draw(QCPPainter* painter)
{
    if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty())
        return;
    QCPBarsDataContainer::const_iterator begin, end;
    getVisibleDataBounds(begin, end);
    applyDefaultAntialiasingHint(painter);
    const QCPRange range = mValueAxis->range();
    for (auto it = begin; it != end; ++it) {
        if (it->value == 0)
            continue;
        QColor fill = barColour(static_cast<int>(it - mDataContainer->constBegin()));
        if (FStale)
            fill = stalelook::shade(fill);
        const double shown = std::clamp(it->value, range.lower, range.upper);
        const QRectF bar = getBarRect(it->key, shown).normalized();
        painter->setPen(QPen(fill.darker(135), 1));
        painter->setBrush(fill);
        painter->drawPolygon(QPolygonF(bar));
        if (shown != it->value)
            drawCut(painter, bar, it->value, it->value > range.upper);
    }
}

void TColouredBars::drawCut(QCPPainter* painter, const QRectF& bar, double value, bool top) const
{
    // A break across the bar near its cut end...
    const double y = top ? bar.top() + 7 : bar.bottom() - 7;
    QPolygonF zigzag;
    const int teeth = 4;
    for (int i = 0; i <= teeth * 2; ++i)
        zigzag << QPointF(bar.left() + bar.width() * i / (teeth * 2), y + ((i % 2) ? -3 : 3));
    painter->setPen(QPen(Qt::white, 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(zigzag);
    // ...and the value beside it, inside the chart.
    const QString text = QString::number(value, 'f', 0);
    QFont f = painter->font();
    f.setPointSizeF(std::max(7.0, f.pointSizeF() - 1));
    painter->setFont(f);
    const QFontMetricsF fm(f);
    const QSizeF size(fm.horizontalAdvance(text) + 6, fm.height() + 2);
    const double boxY = top ? y + 6 : y - 6 - size.height();
    const QRectF box(bar.center().x() - size.width() / 2, boxY, size.width(), size.height());
    painter->setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    painter->setBrush(QColor(255, 255, 255, 230));
    painter->drawRect(box);
    painter->setPen(Qt::black);
    painter->drawText(box, Qt::AlignCenter, text);
}

void TColouredBars::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const
{
    painter->setPen(QPen(FSeriesColour.darker(135), 1));
    painter->setBrush(FSeriesColour);
    painter->drawRect(rect.adjusted(2, 2, -2, -2));
}
