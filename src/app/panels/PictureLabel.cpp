#include "PictureLabel.h"

#include "StaleLook.h"

#include <QPixmap>

TPictureLabel::TPictureLabel(const QPixmap& none, const QPixmap& prox, const QPixmap& touch,
                             QWidget* parent)
    : QLabel(parent), FNone(&none), FProx(&prox), FTouch(&touch)
{
    setAlignment(Qt::AlignCenter);
    setPixmap(*FNone);
    setFixedSize(FNone->deviceIndependentSize().toSize());
}

void TPictureLabel::setMark(TMark mark)
{
    if (mark == FMark)
        return;
    FMark = mark;
    ++FAssignments;
    showMark();
}

void TPictureLabel::setStale(bool stale)
{
    if (stale == FStale)
        return;
    FStale = stale;
    showMark();
}

void TPictureLabel::showMark()
{
    const QPixmap* pm = FNone;
    switch (FMark) {
    case TMark::None:
        break;
    case TMark::Prox:
        pm = FProx;
        break;
    case TMark::Touch:
    case TMark::QuickRelease:
        pm = FTouch;
        break;
    }
    setPixmap(FStale ? stalelook::greyed(*pm) : *pm);
}
