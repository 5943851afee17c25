#include "ColouredBars.h"

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
    for (auto it = begin; it != end; ++it) {
        if (it->value == 0)
            continue;
        const QColor fill = barColour(static_cast<int>(it - mDataContainer->constBegin()));
        painter->setPen(QPen(fill.darker(135), 1));
        painter->setBrush(fill);
        painter->drawPolygon(QPolygonF(getBarRect(it->key, it->value)));
    }
}

void TColouredBars::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const
{
    painter->setPen(QPen(FSeriesColour.darker(135), 1));
    painter->setBrush(FSeriesColour);
    painter->drawRect(rect.adjusted(2, 2, -2, -2));
}
