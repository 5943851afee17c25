#pragma once
// Page 16 of the settings window, "Capacitance Calculation": the load
// capacitance of CH0 to CH2 with a progress bar per channel while it runs.

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class TCapacitanceCalculation;
class TSession;
struct TCapacitanceResult;

class TCapacitancePage : public QWidget {
    Q_OBJECT
public:
    explicit TCapacitancePage(TSession& session, QWidget* parent = nullptr);
    ~TCapacitancePage() override;

    TCapacitanceCalculation& calculation() { return *FCalc; }

    QPushButton* CalculateLoadCapacitanceButton = nullptr;
    QCheckBox* UseCurSettingsCalculationCheckbox = nullptr;
    std::array<QLabel*, 3> CapLabels{};       // CapLabel0..2
    std::array<QLabel*, 3> LoadCapLabels{};   // CH0LoadCapLabel..CH2LoadCapLabel
    std::array<QProgressBar*, 3> Progress{};

    void CalculateLoadCapacitanceButtonClick();

private:
    void showButtons();
    void showRowLabels();
    void showResult(const TCapacitanceResult& result);

    TSession& FSession;
    TCapacitanceCalculation* FCalc = nullptr;
};
