#pragma once
// A bar series whose bars each have their own colour (QCPBars draws all bars
// with one brush). Bar i of the data takes colour i; bars without a colour
// take the series colour. Each bar is outlined in a darker shade of its fill.

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

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    QVector<QColor> FColours;
    QColor FSeriesColour;
};
