#include "ScopeChart.h"

#include "ScopeTrace.h"

#include <QVariantAnimation>
#include <cmath>

using scope::TAxisRange;

namespace {

constexpr int kMinZoomDragPx = 4; // smaller drags are clicks
constexpr double kMinLabelGapXPx = 60;
constexpr double kMinLabelGapYPx = 22;

QCPRange toQcp(const TAxisRange& r)
{
    QCPRange q;
    q.lower = r.Min; // QCPRange(lower, upper) would swap an inverted range
    q.upper = r.Max;
    return q;
}

} // namespace

TScopeChart::TScopeChart(QWidget* parent) : QCustomPlot(parent)
{
    setObjectName(QStringLiteral("ScopeGraph"));
    setAccessibleName(QStringLiteral("Scope Chart"));
    setInteractions(QCP::Interactions());
    setSelectionRectMode(QCP::srmNone);
    setNoAntialiasingOnDrag(true);
    setAntialiasedElements(QCP::aeNone);
    setNotAntialiasedElements(QCP::aeAll);
    setMouseTracking(true);
    legend->setVisible(false);

    FXTicker.reset(new QCPAxisTickerFixed);
    FYTicker.reset(new QCPAxisTickerFixed);
    for (const auto& t : {FXTicker, FYTicker})
        t->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    xAxis->setTicker(FXTicker);
    yAxis->setTicker(FYTicker);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setNumberFormat(QStringLiteral("f"));
        axis->setNumberPrecision(0);
    }
    xAxis->grid()->setVisible(false);
    setAxes({0, scope::kXRangeStart}, {scope::kYMinStart, scope::kYMaxStart});

    for (int t = 0; t < scope::kTraces; ++t) {
        auto* trace = new TScopeTrace(xAxis, yAxis);
        trace->setName(QString::fromLatin1(scope::kTraceTable[static_cast<std::size_t>(t)].Title));
        trace->setAntialiased(false);
        FTraces[static_cast<std::size_t>(t)] = trace;
    }

    FZoomRect = new QCPItemRect(this);
    FZoomRect->setLayer(QStringLiteral("overlay"));
    FZoomRect->topLeft->setType(QCPItemPosition::ptAbsolute);
    FZoomRect->bottomRight->setType(QCPItemPosition::ptAbsolute);
    FZoomRect->setPen(QPen(QColor(40, 40, 40), 1, Qt::DotLine));
    FZoomRect->setBrush(QColor(90, 130, 200, 70));
    FZoomRect->setClipToAxisRect(false);
    FZoomRect->setVisible(false);

    FAnimation = new QVariantAnimation(this);
    FAnimation->setStartValue(0.0);
    FAnimation->setEndValue(1.0);
    FAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(FAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        const double f = v.toDouble();
        auto mix = [f](const TAxisRange& a, const TAxisRange& b) {
            return TAxisRange{a.Min + (b.Min - a.Min) * f, a.Max + (b.Max - a.Max) * f};
        };
        xAxis->setRange(toQcp(mix(FFromX, FToX)));
        yAxis->setRange(toQcp(mix(FFromY, FToY)));
        replot(rpQueuedReplot);
    });

    connect(this, &QCustomPlot::beforeReplot, this, &TScopeChart::updateLabelSteps);
}

void TScopeChart::setAxes(const TAxisRange& x, const TAxisRange& y)
{
    if (FAnimation && FAnimation->state() == QAbstractAnimation::Running)
        FAnimation->stop();
    xAxis->setRange(toQcp(x));
    yAxis->setRange(toQcp(y));
}

TAxisRange TScopeChart::xRange() const
{
    return {xAxis->range().lower, xAxis->range().upper};
}

TAxisRange TScopeChart::yRange() const
{
    return {yAxis->range().lower, yAxis->range().upper};
}

void TScopeChart::animateTo(const TAxisRange& x, const TAxisRange& y)
{
    if (FAnimationMs <= 0) {
        setAxes(x, y);
        replot(rpQueuedReplot);
        return;
    }
    FAnimation->stop();
    FFromX = xRange();
    FFromY = yRange();
    FToX = x;
    FToY = y;
    FAnimation->setDuration(FAnimationMs);
    FAnimation->start();
}

bool TScopeChart::animating() const
{
    return FAnimation->state() == QAbstractAnimation::Running;
}

void TScopeChart::setYLabelIncrement(double increment)
{
    FYIncrement = increment;
}

QPointF TScopeChart::valueAt(const QPointF& pixel) const
{
    return {xAxis->pixelToCoord(pixel.x()), yAxis->pixelToCoord(pixel.y())};
}

void TScopeChart::updateLabelSteps()
{
    const QRect area = axisRect()->rect();
    FXTicker->setTickStep(scope::labelStep(scope::kXLabelStep, xAxis->range().size(), area.width(),
                                           kMinLabelGapXPx));
    FYTicker->setTickStep(
        scope::labelStep(FYIncrement, yAxis->range().size(), area.height(), kMinLabelGapYPx));
}

void TScopeChart::showZoomRect(const QPoint& from, const QPoint& to)
{
    FZoomRect->topLeft->setCoords(std::min(from.x(), to.x()), std::min(from.y(), to.y()));
    FZoomRect->bottomRight->setCoords(std::max(from.x(), to.x()), std::max(from.y(), to.y()));
    FZoomRect->setVisible(true);
    layer(QStringLiteral("overlay"))->replot();
}

void TScopeChart::hideZoomRect()
{
    if (!FZoomRect->visible())
        return;
    FZoomRect->setVisible(false);
    layer(QStringLiteral("overlay"))->replot();
}

void TScopeChart::mousePressEvent(QMouseEvent* event)
{
    if (FDrag != TDrag::None)
        return;
    if (!axisRect()->rect().contains(event->pos()))
        return;
    FPressPos = event->pos();
    if (event->button() == Qt::LeftButton) {
        FDrag = TDrag::Zoom;
    } else if (event->button() == Qt::RightButton) {
        FDrag = TDrag::Pan;
        FPanX = xRange();
        FPanY = yRange();
        emit pointerLeft();
    }
}

void TScopeChart::mouseMoveEvent(QMouseEvent* event)
{
    switch (FDrag) {
    case TDrag::Zoom: showZoomRect(FPressPos, event->pos()); break;
    case TDrag::Pan: {
        const QRect area = axisRect()->rect();
        if (area.width() <= 0 || area.height() <= 0)
            break;
        const double dx = double(event->pos().x() - FPressPos.x()) * FPanX.span() / area.width();
        const double dy = double(event->pos().y() - FPressPos.y()) * FPanY.span() / area.height();
        const TAxisRange x{FPanX.Min - dx, FPanX.Max - dx};
        const TAxisRange y{FPanY.Min + dy, FPanY.Max + dy};
        setAxes(x, y);
        replot(rpQueuedReplot);
        emit panned(x, y);
        break;
    }
    case TDrag::None:
        if (axisRect()->rect().contains(event->pos()))
            emit pointerMoved(event->position());
        break;
    }
}

void TScopeChart::mouseReleaseEvent(QMouseEvent* event)
{
    const TDrag drag = FDrag;
    if ((drag == TDrag::Zoom && event->button() != Qt::LeftButton) ||
        (drag == TDrag::Pan && event->button() != Qt::RightButton))
        return;
    FDrag = TDrag::None;
    if (drag != TDrag::Zoom)
        return;
    hideZoomRect();
    const QPoint end = event->pos();
    const int dx = end.x() - FPressPos.x();
    if (dx <= -kMinZoomDragPx) {
        emit zoomUndone();
        return;
    }
    if (dx < kMinZoomDragPx || std::abs(end.y() - FPressPos.y()) < kMinZoomDragPx)
        return; // a click
    const QPointF a = valueAt(FPressPos);
    const QPointF b = valueAt(end);
    const TAxisRange x{std::min(a.x(), b.x()), std::max(a.x(), b.x())};
    const TAxisRange y{std::min(a.y(), b.y()), std::max(a.y(), b.y())};
    animateTo(x, y);
    emit zoomed(x, y);
}

void TScopeChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept(); // no plottable or axis selection here
}

void TScopeChart::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

void TScopeChart::enterEvent(QEnterEvent* event)
{
    QCustomPlot::enterEvent(event);
    emit pointerEntered();
}

void TScopeChart::leaveEvent(QEvent* event)
{
    QCustomPlot::leaveEvent(event);
    emit pointerLeft();
}
