#pragma once
// The maker's logo, drawn: a blue badge with a white "K" and the name beside it.

#include <QWidget>

class TKelvanLogo : public QWidget {
    Q_OBJECT
public:
    explicit TKelvanLogo(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {300, 70}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
