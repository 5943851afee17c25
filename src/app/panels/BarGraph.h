#pragma once
// The bar graph (BarGraph): the count series "CS" and the long-term-average
// series "LTA" side by side, bar n at X = n, bars coloured one by one. Frames
// only change its data; it is repainted by replotIfDirty(), which the 10 ms
// bar timer calls. Behind the bars it shows the watermark until the first
// Start, the "WaitText" picture centred while settings load, or nothing.

#include "DisplayTypes.h"

#include <cstdint>

#include <qcustomplot.h>

class TColouredBars;
struct TBaselineViewLook;

class TBarGraph : public QCustomPlot {
    Q_OBJECT
public:
    enum class TBackground { Watermark, Wait, None };

    // The pictures must outlive the graph (the main window's Pictures).
    TBarGraph(const QPixmap& watermark, const QPixmap& wait, QWidget* parent = nullptr);

    // A frame's bars. Marks the graph dirty; nothing is drawn here.
    void showData(const TBarGraphData& bars);
    // Repaints when the data changed since the last repaint. Returns whether it did.
    bool replotIfDirty();
    bool dirty() const { return FDirty; }
    // Calls of replotIfDirty and the repaints they did so far (for measurements).
    std::uint64_t replotChecks() const { return FReplotChecks; }
    std::uint64_t replotCount() const { return FReplots; }

    // "Baseline View": left axis range and step, LTA series colour.
    void setBaselineView(const TBaselineViewLook& look);
    // Left axis range and step (0..4500 step 100 at creation).
    void setValueAxis(double min, double max, double step);
    // Room for 8 bars (engineering bars 6 and 7) or 6.
    void setEngineeringBars(bool on);
    int barSlots() const { return FSlots; }

    // Bars greyed while they show the values of a stream that has ended.
    void setStale(bool stale);
    bool stale() const { return FStale; }

    // ShowBarBackground: the picture behind the bars.
    void ShowBarBackground(TBackground background);
    TBackground background() const { return FBackground; }

    // Pixel X (graph coordinates) of X = n on the bottom axis, as of the last
    // repaint (PositionChannelLabels repaints first).
    int barPixelX(int n) const;

    // "CS" holds bars 0..5, bars 6 and 7 are drawn by the engineering series.
    TColouredBars* countSeries() const { return FCounts; }
    TColouredBars* engineeringSeries() const { return FExtra; }
    TColouredBars* ltaSeries() const { return FLtas; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setSeries(TColouredBars* bars, const TBarValue* values, int count, int firstKey);

    TColouredBars* FCounts = nullptr;
    TColouredBars* FLtas = nullptr;
    TColouredBars* FExtra = nullptr;
    QCPBarsGroup* FGroup = nullptr;
    QSharedPointer<QCPAxisTickerFixed> FTicker;
    const QPixmap* FWatermark;
    const QPixmap* FWait;
    TBackground FBackground = TBackground::Watermark;
    int FSlots = 6;
    bool FDirty = true;
    std::uint64_t FReplotChecks = 0;
    std::uint64_t FReplots = 0;
    bool FStale = false;
};
