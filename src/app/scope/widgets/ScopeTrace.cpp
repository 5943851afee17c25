#include "ScopeTrace.h"

#include <algorithm>
#include <cmath>

namespace {

// Far-off values stay within what the painter handles well.
constexpr double kPixelLimit = 1e7;

double clampPixel(double p)
{
    return std::clamp(p, -kPixelLimit, kPixelLimit);
}

} // namespace

TScopeTrace::TScopeTrace(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPAbstractPlottable(keyAxis, valueAxis)
{
    FLine.reserve(4096);
}

void TScopeTrace::setPoints(const double* x, const double* y, int count)
{
    FX = x;
    FY = y;
    FCount = (x && y && count > 0) ? count : 0;
}

double TScopeTrace::selectTest(const QPointF&, bool, QVariant*) const
{
    return -1;
}

QCPRange TScopeTrace::getKeyRange(bool& foundRange, QCP::SignDomain) const
{
    QCPRange r;
    foundRange = false;
    for (int i = 0; i < FCount; ++i) {
        if (std::isnan(FX[i]) || std::isnan(FY[i]))
            continue;
        if (!foundRange) {
            r = QCPRange(FX[i], FX[i]);
            foundRange = true;
        }
        r.expand(FX[i]);
    }
    return r;
}

QCPRange TScopeTrace::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const
{
    QCPRange r;
    foundRange = false;
    for (int i = 0; i < FCount; ++i) {
        if (std::isnan(FX[i]) || std::isnan(FY[i]))
            continue;
        if (!foundRange) {
            r = QCPRange(FY[i], FY[i]);
            foundRange = true;
        }
        r.expand(FY[i]);
    }
    return r;
}

void TScopeTrace::flushColumn()
{
    if (!FInColumn)
        return;
    FLine.push_back(FFirst);
    if (FInColumnCount > 1) {
        if (FLow.y() != FFirst.y() || FHigh.y() != FFirst.y()) {
            FLine.push_back(FLow);
            FLine.push_back(FHigh);
        }
        FLine.push_back(FLast);
    }
    FInColumn = false;
}

void TScopeTrace::drawLine(QCPPainter* painter, const QPointF* points, int count)
{
    if (count == 1)
        painter->drawPoint(points[0]);
    else
        painter->drawPolyline(points, count);
}

void TScopeTrace::flushLine(QCPPainter* painter)
{
    flushColumn();
    const int count = static_cast<int>(FLine.size());
    if (count > 0) {
        drawLine(painter, FLine.data(), count);
        // Wider lines: the same line again, moved right and down by up to
        // width - 1 pixels.
        for (int d = 1; d < FWidth; ++d) {
            for (const QPointF offset : {QPointF(d, 0), QPointF(0, d)}) {
                painter->translate(offset);
                drawLine(painter, FLine.data(), count);
                painter->translate(-offset);
            }
        }
    }
    FDrawn += count;
    FLine.clear();
}

void TScopeTrace::draw(QCPPainter* painter)
{
    FDrawn = 0;
    QCPAxis* keyAxis = mKeyAxis.data();
    QCPAxis* valueAxis = mValueAxis.data();
    if (FCount == 0 || !keyAxis || !valueAxis)
        return;

    // Both axes are linear: pixel = a * value + b.
    const double kb = keyAxis->coordToPixel(0);
    const double ka = keyAxis->coordToPixel(1) - kb;
    const double vb = valueAxis->coordToPixel(0);
    const double va = valueAxis->coordToPixel(1) - vb;
    const QCPRange keys = keyAxis->range();

    applyDefaultAntialiasingHint(painter);
    FWidth = 1;
    if (mPen.widthF() > 1 && !painter->testRenderHint(QPainter::Antialiasing)) {
        QPen thin = mPen;
        thin.setWidth(1);
        painter->setPen(thin);
        FWidth = qRound(mPen.widthF());
    } else {
        painter->setPen(mPen);
    }
    painter->setBrush(Qt::NoBrush);

    FInColumn = false;
    const double* x = FX;
    const double* y = FY;
    for (int i = 0; i < FCount; ++i) {
        const double xi = x[i];
        const double yi = y[i];
        if (std::isnan(xi) || std::isnan(yi)) {
            flushLine(painter); // a gap
            continue;
        }
        // Points outside the X range are drawn only next to one inside it, so
        // that the line runs out of the chart's edge.
        if (xi < keys.lower && !(i + 1 < FCount && x[i + 1] >= keys.lower))
            continue;
        if (xi > keys.upper && !(i > 0 && x[i - 1] <= keys.upper))
            continue;
        const QPointF p(clampPixel(ka * xi + kb), clampPixel(va * yi + vb));
        const double column = std::floor(p.x());
        if (FInColumn && column == FColumn) {
            ++FInColumnCount;
            if (p.y() < FLow.y())
                FLow = p;
            if (p.y() > FHigh.y())
                FHigh = p;
            FLast = p;
            continue;
        }
        flushColumn();
        FInColumn = true;
        FColumn = column;
        FFirst = FLow = FHigh = FLast = p;
        FInColumnCount = 1;
    }
    flushLine(painter);
}

void TScopeTrace::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const
{
    painter->setPen(mPen);
    painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}
