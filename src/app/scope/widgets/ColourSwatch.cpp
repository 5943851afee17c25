#include "ColourSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TColourSwatch::TColourSwatch(QWidget* parent) : QWidget(parent)
{
    setFixedSize(18, 18);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void TColourSwatch::setColour(const QColor& colour)
{
    if (FColour == colour)
        return;
    FColour = colour;
    update();
}

void TColourSwatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(hasFocus() ? palette().highlight().color() : QColor(60, 60, 60), 1));
    p.setBrush(FColour);
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

void TColourSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit clicked();
}

void TColourSwatch::keyPressEvent(QKeyEvent* event)
{
    // Keyboard users open the colour dialog with Space or Enter.
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}
