#pragma once
// A colour swatch (ColorShape0 and friends): a small filled square showing a
// trace colour. A mouse click (on button release) emits clicked().

#include <QColor>
#include <QWidget>

class TColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit TColourSwatch(QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return FColour; }
    QSize sizeHint() const override { return {18, 18}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor FColour = Qt::black;
};
