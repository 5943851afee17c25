#pragma once
// The simplified ("customer") panel of a Senvara channel page, made from the
// chip layer's table of simplified controls. Every edit goes to the channel's
// TCustomerPanel and is copied into the engineering fields (LinkToEng).

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class TKvnRadioGroup;
struct TCustomerPanel;
struct TPanelControlDesc;

class TCustomerPanelView : public QWidget {
    Q_OBJECT
public:
    TCustomerPanelView(int channel, QWidget* parent = nullptr);

    int channel() const { return FChannel; }
    // Shows the panel's values and visibility.
    void showPanel(const TCustomerPanel& panel);
    // Writes the controls into panel (the simplified panel's state).
    void readPanel(TCustomerPanel& panel) const;

    // The control of a simplified caption ("Sensor Mode", "CS Size", ...).
    QWidget* control(const QString& caption) const;

signals:
    // The user changed a simplified control.
    void edited();

private:
    struct TControl {
        const TPanelControlDesc* Desc;
        TKvnRadioGroup* Radio = nullptr;
        QComboBox* List = nullptr;
        QSpinBox* Spin = nullptr;
        QCheckBox* Check = nullptr;
        QWidget* Container = nullptr; // what is shown and hidden
        QLabel* Shown = nullptr;      // the ATI target's value x 32
    };

    int FChannel;
    std::vector<TControl> FControls;
    QGroupBox* FRxBox = nullptr;
    bool FSetting = false;
};
