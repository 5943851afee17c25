#pragma once
// The picture of the OTP programming set-up: the configuration tool's
// connector wired to the MFS380A, drawn at its current size.

#include <QWidget>

class TConnectionDiagram : public QWidget {
    Q_OBJECT
public:
    explicit TConnectionDiagram(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {460, 230}; }
    QSize minimumSizeHint() const override { return {360, 190}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
