#pragma once
// The scope's chart (ScopeGraph): thirteen TScopeTrace lines over one X axis
// (bottom, samples) and one Y axis (left), both with fixed ranges and whole
// number labels. No legend, no title.
//
// Mouse: dragging with the left button from left to right zooms into the
// dragged rectangle (animated, a filled rectangle shows while dragging);
// dragging from right to left asks for the zoom to be undone; moving with the
// right button held pans the view. Pointer movement, entering and leaving are
// reported for the cursor read-out.

#include "ScopeAxes.h"
#include "ScopeTraces.h"

#include <array>
#include <qcustomplot.h>

class QVariantAnimation;
class TScopeTrace;

class TScopeChart : public QCustomPlot {
    Q_OBJECT
public:
    explicit TScopeChart(QWidget* parent = nullptr);

    TScopeTrace* trace(int t) const { return FTraces[static_cast<std::size_t>(t)]; }

    // Both axis ranges at once; a running zoom animation ends here.
    void setAxes(const scope::TAxisRange& x, const scope::TAxisRange& y);
    scope::TAxisRange xRange() const;
    scope::TAxisRange yRange() const;
    // Moves the axes to these ranges, animated (at once when the animation
    // time is 0).
    void animateTo(const scope::TAxisRange& x, const scope::TAxisRange& y);
    void setZoomAnimationMs(int ms) { FAnimationMs = ms; }
    bool animating() const;
    // Label increment of the Y axis (the X axis labels every 100 samples).
    void setYLabelIncrement(double increment);
    double yLabelIncrement() const { return FYIncrement; }

    // Chart values at a pixel of the widget.
    QPointF valueAt(const QPointF& pixel) const;

signals:
    // A left-to-right drag chose this view (the chart moves there itself).
    void zoomed(scope::TAxisRange x, scope::TAxisRange y);
    // A right-to-left drag: the zoom is to be undone.
    void zoomUndone();
    // The right button moved the view (the chart is there already).
    void panned(scope::TAxisRange x, scope::TAxisRange y);
    // The pointer moved over the chart to this widget position.
    void pointerMoved(QPointF pixel);
    void pointerEntered();
    // The pointer left the chart, or the right button was pressed on it.
    void pointerLeft();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void updateLabelSteps();
    void showZoomRect(const QPoint& from, const QPoint& to);
    void hideZoomRect();

    std::array<TScopeTrace*, scope::kTraces> FTraces{};
    QSharedPointer<QCPAxisTickerFixed> FXTicker;
    QSharedPointer<QCPAxisTickerFixed> FYTicker;
    QCPItemRect* FZoomRect = nullptr;
    QVariantAnimation* FAnimation = nullptr;
    scope::TAxisRange FFromX, FFromY, FToX, FToY;
    int FAnimationMs = 200;
    double FYIncrement = scope::kYIncStart;

    enum class TDrag { None, Zoom, Pan };
    TDrag FDrag = TDrag::None;
    QPoint FPressPos;
    scope::TAxisRange FPanX, FPanY;
};
