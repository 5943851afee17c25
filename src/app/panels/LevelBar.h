#pragma once
// A small horizontal bar chart with a fixed axis: one bar from the base (0)
// to a value, an optional value mark at the bar's end and an optional marker
// (a second value drawn as a needle). HallBar, MetalBar, TempBar and QRDGraph
// are level bars. Setters repaint only when something changed.

#include <QColor>
#include <QWidget>

class TLevelBar : public QWidget {
    Q_OBJECT
public:
    explicit TLevelBar(QWidget* parent = nullptr);

    void setRange(double min, double max);
    double minimum() const { return FMin; }
    double maximum() const { return FMax; }
    void setBar(bool shown, double value, const QColor& colour);
    bool barShown() const { return FBarShown; }
    double barValue() const { return FBarValue; }
    QColor barColour() const { return FColour; }
    void setValueMarkShown(bool on);
    void setMarker(bool shown, double value);
    // Stale: the bar is drawn in grey (the values of a stream that has ended).
    void setStale(bool stale);
    bool stale() const { return FStale; }
    bool markerShown() const { return FMarkerShown; }
    double markerValue() const { return FMarkerValue; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double FMin = 0, FMax = 100;
    bool FBarShown = false;
    double FBarValue = 0;
    QColor FColour = Qt::darkGreen;
    bool FValueMark = false;
    bool FMarkerShown = false;
    double FMarkerValue = 0;
    bool FStale = false;
};
