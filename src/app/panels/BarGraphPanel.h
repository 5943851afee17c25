#pragma once
// The bar graph panel: the bar graph, the channel strip under it and the
// command buttons "Redo ATI", "Reseed", "Show Reset", "Soft Reset". A resize
// starts the 50 ms re-position timer (RePosTimer); PositionChannelLabels then
// repaints the graph once and centres each strip column under its bar.

#include "BarGraph.h"
#include "ChannelStrip.h"

#include <QWidget>
#include <vector>

class QPushButton;
class QTimer;
struct Pictures;

class TBarGraphPanel : public QWidget {
    Q_OBJECT
public:
    explicit TBarGraphPanel(const Pictures& pictures, QWidget* parent = nullptr);

    TBarGraph* barGraph() const { return FGraph; }
    TChannelStrip* strip() const { return FStrip; }
    QPushButton* showResetButton() const { return FShowReset; }
    // "Redo ATI", "Reseed", "Show Reset" and "Soft Reset" talk to the chip:
    // enabled only while it has its supply ("Show Reset" also only until it
    // has been used, until the next reset).
    void setCommandButtons(bool chipPowered, bool showResetEnabled);
    // Bars, pictures and read-outs greyed: the stream has ended.
    void setStale(bool stale);

    // Engineering bars 6 and 7 in the graph and the strip.
    void setEngineeringMode(bool on);
    void PositionChannelLabels();
    // Starts the re-position timer (as a resize does).
    void schedulePositioning();

signals:
    void redoAtiClicked();
    void reseedClicked();
    void showResetClicked();
    void softResetClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TBarGraph* FGraph;
    TChannelStrip* FStrip;
    QPushButton* FShowReset = nullptr;
    std::vector<QPushButton*> FCommands;
    QTimer* FRePosTimer;
};
