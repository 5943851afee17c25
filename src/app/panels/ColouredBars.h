#pragma once
// A bar series whose bars each have their own colour (QCPBars draws all bars
// with one brush). Bar i of the data takes colour i; bars without a colour
// take the series colour. Each bar is outlined in a darker shade of its fill.
// A bar whose value lies beyond the value axis is cut at the axis, marked
// with a break and labelled with its value. Stale bars are drawn in grey.

#include <QColor>
#include <QVector>
#include <qcustomplot.h>

class TColouredBars : public QCPBars {
    Q_OBJECT
public:
    TColouredBars(QCPAxis* keyAxis, QCPAxis* valueAxis);

    void setBarColour(int index, const QColor& colour);
    QColor barColour(int index) const;
    void setSeriesColour(const QColor& colour) { FSeriesColour = colour; }
    QColor seriesColour() const { return FSeriesColour; }
    void setStale(bool stale) { FStale = stale; }
    bool stale() const { return FStale; }

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    // The break and value label of a bar cut at the top or bottom of the axis.
    void drawCut(QCPPainter* painter, const QRectF& bar, double value, bool top) const;

    QVector<QColor> FColours;
    QColor FSeriesColour;
    bool FStale = false;
};
