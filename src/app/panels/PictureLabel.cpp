#include "PictureLabel.h"

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
    switch (mark) {
    case TMark::None:
        setPixmap(*FNone);
        break;
    case TMark::Prox:
        setPixmap(*FProx);
        break;
    case TMark::Touch:
    case TMark::QuickRelease:
        setPixmap(*FTouch);
        break;
    }
}
