#pragma once
// A sensor panel of the main window: a clickable header ("HALL Flags", "SAR
// Flags", "Hysteresis", "Temperature") above a content grid. A click on the
// header asks for the matching settings page.

#include <QFrame>

class QGridLayout;
class QLabel;
class QToolButton;

class TSensorPanel : public QFrame {
    Q_OBJECT
public:
    TSensorPanel(const QString& title, const QString& settingsPage, QWidget* parent = nullptr);

    QToolButton* header() const { return FHeader; }
    // Pictures, read-outs and bars greyed while they show the values of a
    // stream that has ended or none has come; the header stays as it is.
    void setStale(bool stale);
    bool stale() const { return FStale; }

signals:
    void headerClicked();

protected:
    QGridLayout* grid() const { return FGrid; }
    // A small caption label for the content grid.
    QLabel* caption(const QString& text);
    // A read-out label: bold, framed, centred.
    QLabel* readout(const QString& name, int minWidth = 52);

private:
    QToolButton* FHeader;
    QGridLayout* FGrid;
    QList<QLabel*> FReadouts;
    bool FStale = false;
};
