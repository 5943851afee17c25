#pragma once
// "2 Channel SAR UI Demo": for each of the two SAR antennas whether it senses
// proximity, touch and deep touch; the demo's event counter; "Load Settings"
// and the "Mode" radio group. A fixed-size window of its own, centred on the
// screen. A picture changes only when its state does.

#include "DemoIndicators.h"
#include "DemoPictures.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class TKvnRadioGroup;

class TDemoForm : public QWidget {
    Q_OBJECT
public:
    explicit TDemoForm(QWidget* parent = nullptr);

    void SetCH0Prox(bool State) { set(TDemoIndicator::CH0Prox, State); }
    void SetCH0Touch(bool State) { set(TDemoIndicator::CH0Touch, State); }
    void SetCH0Deep(bool State) { set(TDemoIndicator::CH0Deep, State); }
    void SetCH1Prox(bool State) { set(TDemoIndicator::CH1Prox, State); }
    void SetCH1Touch(bool State) { set(TDemoIndicator::CH1Touch, State); }
    void SetCH1Deep(bool State) { set(TDemoIndicator::CH1Deep, State); }
    void set(TDemoIndicator indicator, bool State);
    // The next Set... reassigns every picture (the demo starts afresh).
    void forgetStates();
    // The picture an indicator shows now, and how often pictures were assigned.
    TDemoPicture shown(TDemoIndicator indicator) const;
    int assignments() const { return FAssignments; }

    void setEventCounter(int count);
    // Sets "Mode" without running its command (0 streaming, 1 event mode).
    void showMode(int index);

    QLabel* image(TDemoIndicator indicator) const
    {
        return FImages[static_cast<std::size_t>(indicator)];
    }
    QLabel* eventCounterLabel;
    QPushButton* LoadSarSettings;
    TKvnRadioGroup* CommsModeRadioDemo;

signals:
    void loadSettingsClicked();
    void modeChosen(int index);
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* antennaGroup(const QString& title, int channel);

    DemoPictures FDemo;
    std::array<QLabel*, kDemoIndicators> FImages{};
    std::array<int, kDemoIndicators> FShown{}; // TDemoPicture, -1 before the first Set...
    int FAssignments = 0;
    bool FCentred = false;
};
