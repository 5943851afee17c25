#pragma once
// The controls of one settings field, made from its row of the field table:
// a radio group, a check box, a spin field with its track bar, unit and shown
// label, or a drop-down list with its label. The editor shows a value and
// reports the user's edits; it does not touch any model.

#include "FieldTable.h"

#include <QObject>
#include <QString>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;
class QWidget;
class TKvnRadioGroup;

class TFieldEditor : public QObject {
    Q_OBJECT
public:
    // Creates the controls as children of parent; the caller lays them out.
    TFieldEditor(const TFieldDesc& desc, QWidget* parent);

    const TFieldDesc& desc() const { return FDesc; }
    TFieldId field() const { return FDesc.Id; }

    // Shows value (already in range) without reporting an edit.
    void setValue(int value);
    int value() const;
    // Hides or shows every control of the field.
    void setVisible(bool visible);
    void setEnabled(bool enabled);

    // The controls, null where the field has none.
    TKvnRadioGroup* Radio = nullptr;
    QCheckBox* Check = nullptr;
    QSpinBox* Spin = nullptr;
    QSlider* Track = nullptr;
    QComboBox* List = nullptr;
    QLabel* Label = nullptr; // caption beside a spin or list
    QLabel* Unit = nullptr;  // "x 500ms"
    QLabel* Shown = nullptr; // "6.25%"
    // The control that holds the value.
    QWidget* editor() const;
    // Every control of the field.
    std::vector<QWidget*> widgets() const;

signals:
    // The user changed the value (not emitted by setValue).
    void edited(TFieldId field, int value);

private:
    void userEdit(int value);
    void showText(int value);

    const TFieldDesc& FDesc;
    bool FSetting = false;
};
