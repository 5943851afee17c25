#pragma once
// A register address or value field: at most two hexadecimal digits, shown in
// upper case. Typing anything but a hexadecimal digit (or an edit key) is
// dropped.

#include <QLineEdit>

class THexEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit THexEdit(QWidget* parent = nullptr);
};
