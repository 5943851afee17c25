#include "BarGraph.h"

#include "BaselineView.h"
#include "ColouredBars.h"
#include "DisplayColour.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr double kBarWidth = 0.36; // each of the pair, in X units

void styleAxis(QCPAxis* axis)
{
    const QColor axisColour(0x60, 0x60, 0x60);
    axis->setBasePen(QPen(axisColour, 1));
    axis->setTickPen(QPen(axisColour, 1));
    axis->setSubTickPen(QPen(axisColour, 1));
    axis->setTickLabelColor(QColor(0x30, 0x30, 0x30));
    axis->grid()->setPen(QPen(QColor(0xE2, 0xE2, 0xE2), 1, Qt::SolidLine));
    axis->grid()->setZeroLinePen(QPen(QColor(0x90, 0x90, 0x90), 1));
}

} // namespace

TBarGraph::TBarGraph(const QPixmap& watermark, const QPixmap& wait, QWidget* parent)
    : QCustomPlot(parent), FWatermark(&watermark), FWait(&wait)
{
    setObjectName(QStringLiteral("BarGraph"));
    setAutoAddPlottableToLegend(false);
    setNoAntialiasingOnDrag(true);
    setPlottingHint(QCP::phCacheLabels, true);
    setBackground(Qt::white);

    axisRect()->setAutoMargins(QCP::msLeft | QCP::msTop | QCP::msBottom);
    axisRect()->setMargins(QMargins(0, 0, 14, 0));
    axisRect()->setMinimumMargins(QMargins(66, 12, 14, 4));

    QFont tickFont = font();
    tickFont.setPointSizeF(std::max(7.0, tickFont.pointSizeF() - 1));
    yAxis->setTickLabelFont(tickFont);
    styleAxis(xAxis);
    styleAxis(yAxis);
    xAxis->setTickLabels(false);
    xAxis->setTicks(false);
    xAxis->grid()->setVisible(false);
    FTicker.reset(new QCPAxisTickerFixed);
    FTicker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    yAxis->setTicker(FTicker);
    yAxis->setSubTicks(false);
    setValueAxis(0, 4500, 100);
    setEngineeringBars(false);

    FGroup = new QCPBarsGroup(this);
    FGroup->setSpacingType(QCPBarsGroup::stAbsolute);
    FGroup->setSpacing(2);
    FCounts = new TColouredBars(xAxis, yAxis);
    FCounts->setName(QStringLiteral("CS"));
    FCounts->setSeriesColour(displayColour(dispcolour::CountSeries));
    FLtas = new TColouredBars(xAxis, yAxis);
    FLtas->setName(QStringLiteral("LTA"));
    FLtas->setSeriesColour(displayColour(dispcolour::LtaSeries));
    // The engineering bars 6 and 7 have no average beside them: drawn
    // centred on their X, outside the pair group.
    FExtra = new TColouredBars(xAxis, yAxis);
    FExtra->setName(QStringLiteral("CS67"));
    FExtra->setSeriesColour(displayColour(dispcolour::CountSeries));
    for (TColouredBars* bars : {FCounts, FLtas, FExtra}) {
        bars->setWidth(kBarWidth);
        bars->setWidthType(QCPBars::wtPlotCoords);
    }
    FCounts->setBarsGroup(FGroup);
    FLtas->setBarsGroup(FGroup);
}

void TBarGraph::setSeries(TColouredBars* bars, const TBarValue* values, int count, int firstKey)
{
    auto container = bars->data();
    if (container->size() != count) {
        container->clear();
        for (int n = 0; n < count; ++n)
            container->add(QCPBarsData(firstKey + n, values[n].Height));
    } else {
        int n = 0;
        for (auto it = container->begin(); it != container->end(); ++it, ++n)
            it->value = values[n].Height;
    }
    for (int n = 0; n < count; ++n)
        bars->setBarColour(n, displayColour(values[n].Colour));
}

void TBarGraph::showData(const TBarGraphData& bars)
{
    const int channelBars = std::min(bars.CountBars, kDisplayChannels);
    setSeries(FCounts, bars.Counts.data(), channelBars, 0);
    setSeries(FExtra, bars.Counts.data() + kDisplayChannels, bars.CountBars - channelBars,
              kDisplayChannels);
    setSeries(FLtas, bars.Ltas.data(), bars.LtaBars, 0);
    // Without averages the count bars stand centred on their X.
    const bool paired = bars.LtaBars > 0;
    if (paired != (FLtas->barsGroup() != nullptr))
        FLtas->setBarsGroup(paired ? FGroup : nullptr);
    FDirty = true;
}

bool TBarGraph::replotIfDirty()
{
    ++FReplotChecks;
    if (!FDirty)
        return false;
    FDirty = false;
    replot(rpQueuedRefresh);
    ++FReplots;
    return true;
}

void TBarGraph::setValueAxis(double min, double max, double step)
{
    FTicker->setTickStep(step);
    yAxis->setRange(min, max);
    FDirty = true;
}

void TBarGraph::setBaselineView(const TBaselineViewLook& look)
{
    setValueAxis(look.AxisMin, look.AxisMax, look.AxisStep);
    FLtas->setSeriesColour(displayColour(look.LtaSeriesColour));
}

void TBarGraph::setEngineeringBars(bool on)
{
    FSlots = on ? kDisplayChannels + kEngineeringBars : kDisplayChannels;
    xAxis->setRange(-0.5, FSlots - 0.5);
    FDirty = true;
}

void TBarGraph::setStale(bool stale)
{
    if (stale == FStale)
        return;
    FStale = stale;
    for (TColouredBars* bars : {FCounts, FLtas, FExtra})
        bars->setStale(stale);
    // No bar timer runs once the stream has ended: repaint now.
    FDirty = false;
    replot(rpQueuedReplot);
}

void TBarGraph::ShowBarBackground(TBackground background)
{
    if (background == FBackground)
        return;
    FBackground = background;
    update();
}

int TBarGraph::barPixelX(int n) const
{
    return qRound(xAxis->coordToPixel(n));
}

void TBarGraph::paintEvent(QPaintEvent* event)
{
    QCustomPlot::paintEvent(event);
    const QPixmap* pm = FBackground == TBackground::Watermark ? FWatermark
                        : FBackground == TBackground::Wait    ? FWait
                                                              : nullptr;
    if (!pm || pm->isNull())
        return;
    QPainter p(this);
    const QSizeF size = pm->deviceIndependentSize();
    const QPointF topLeft =
        QRectF(axisRect()->rect()).center() - QPointF(size.width() / 2, size.height() / 2);
    p.drawPixmap(topLeft, *pm);
}
