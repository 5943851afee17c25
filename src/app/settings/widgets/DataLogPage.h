#pragma once
// Page 12 "Data Logging" of the settings window: the columns and rate of the
// data log and its "Start Log" / "Stop Log" button. The boxes are kept in the
// session's TSettingsWindowState::logSelection; while a log runs they are
// disabled (the log keeps the columns it started with).

#include "SettingsPage.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

class TDataLogPage final : public TSettingsPage {
    Q_OBJECT
public:
    explicit TDataLogPage(TSettingsForm& form);

    // "Sensors"
    QCheckBox* LogQRDCheck;
    QCheckBox* LogHallCheck;
    QCheckBox* LogMDCheck;
    // "Channel Specific"
    std::array<QCheckBox*, 6> LogCountChecks{}; // LogCh0Check .. LogCh5Check
    std::array<QCheckBox*, 3> LogLTAChecks{};   // LogCh0LTACheck ..
    std::array<QCheckBox*, 3> LogDTChecks{};    // LogCh0DTCheck ..
    std::array<QCheckBox*, 3> LogPChecks{};     // LogCh0PCheck ..
    std::array<QCheckBox*, 3> LogTChecks{};     // LogCh0TCheck ..
    // "Logging"
    QComboBox* LogCombo;
    QLabel* SampleRateLabel;
    QSpinBox* SampleRateSpin;
    QPushButton* LogDataButton;

protected:
    void showSettings() override;

private:
    QWidget* buildSensorsGroup();
    QWidget* buildChannelGroup();
    QWidget* buildLoggingGroup();
    // The boxes into the session's log selection.
    void selectionEdited();
    void LogDataButtonClick();
    // Options enabled unless a log runs; the spin only for "Log Every (X Samples)".
    void showOptionsEnabled(bool logging, bool everyX);

    QList<QLabel*> FLabels; // greyed with their boxes while a log runs
};
