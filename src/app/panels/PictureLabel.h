#pragma once
// A state picture (neutral, prox or touch ball). The pixmap is reassigned only
// when the mark changes; assignments() counts how often it was. A stale
// picture (the stream has ended) shows its mark greyed.

#include "DisplayTypes.h"

#include <QLabel>

class QPixmap;

class TPictureLabel : public QLabel {
    Q_OBJECT
public:
    // The three pictures must outlive the label (the main window's Pictures).
    TPictureLabel(const QPixmap& none, const QPixmap& prox, const QPixmap& touch,
                  QWidget* parent = nullptr);

    void setMark(TMark mark);
    TMark mark() const { return FMark; }
    int assignments() const { return FAssignments; }
    void setStale(bool stale);
    bool stale() const { return FStale; }

private:
    void showMark();

    const QPixmap* FNone;
    const QPixmap* FProx;
    const QPixmap* FTouch;
    TMark FMark = TMark::None;
    int FAssignments = 0;
    bool FStale = false;
};
