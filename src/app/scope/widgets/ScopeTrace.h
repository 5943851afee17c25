#pragma once
// One scope trace on the chart: a plain line, square pen ends, no point
// markers. It draws straight from the scope's buffers (handed over by pointer
// on every update tick, never copied). Only points in and next to the visible
// X range are drawn, at most four per pixel column (first, lowest, highest,
// last), and a NaN value leaves a gap. A line wider than one pixel is drawn
// as one-pixel lines side by side (the painter's fast path; stroking a wide
// pen costs several times as much).

#include <qcustomplot.h>
#include <vector>

class TScopeTrace : public QCPAbstractPlottable {
    Q_OBJECT
public:
    TScopeTrace(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // The trace's points, read in place at every repaint; they must stay
    // valid until the next call. count 0 empties the trace.
    void setPoints(const double* x, const double* y, int count);
    int pointCount() const { return FCount; }
    // Points drawn by the last repaint (after the per-column reduction).
    int drawnPoints() const { return FDrawn; }

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    void flushColumn();
    void flushLine(QCPPainter* painter);
    void drawLine(QCPPainter* painter, const QPointF* points, int count);

    const double* FX = nullptr;
    const double* FY = nullptr;
    int FCount = 0;
    int FDrawn = 0;
    int FWidth = 1; // pixels of the line being drawn
    // Reused between repaints: no allocation once it has grown.
    std::vector<QPointF> FLine;
    // The pixel column being collected.
    bool FInColumn = false;
    double FColumn = 0;
    QPointF FFirst, FLow, FHigh, FLast;
    int FInColumnCount = 0;
};
