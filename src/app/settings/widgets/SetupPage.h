#pragma once
// Page 0 "Setup" of the settings window: the configuration tool's supply and
// I2C link, the streamed blocks, the main bar graph's axis, "Baseline View"
// and the recent settings files. Every edit goes into the session's
// TSetupModel; Apply and Undo act on it (TSession).

#include "SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class TKvnRadioGroup;

class TSetupPage final : public TSettingsPage {
    Q_OBJECT
public:
    explicit TSetupPage(TSettingsForm& form);

    // "Kelvan Configuration Tool (USB Dongle)"
    QComboBox* VoltageCombo;
    QComboBox* CommsCombo;
    QLabel* PollingSpeedLabel;
    QSpinBox* PollingSpeedSpin;
    QComboBox* CommsSpeedCombo;
    TKvnRadioGroup* I2CPullupsRadioGroup;
    QLineEdit* I2CAddressEdit;
    // "Streaming Setup"
    QCheckBox* CSCheck;
    QCheckBox* LTACheck;
    QCheckBox* PTCheck;
    // "Bar Graph"
    QSpinBox* GraphMinSpin;
    QSpinBox* GraphMaxSpin;
    QSpinBox* GraphIncSpin;
    QLabel* Label59; // axis errors
    // "Display Options"
    QCheckBox* DeltaCheck;
    // "Save / Load Settings"
    QToolButton* SettingsFileButton;
    QComboBox* SettingsFileCombo;
    QPushButton* LoadSettingsButton;
    QPushButton* SaveSettingsButton;
    QPushButton* ClearRecentButton;

protected:
    void showSettings() override;

private:
    QWidget* buildToolGroup();
    QWidget* buildStreamingGroup();
    QWidget* buildBarGraphGroup();
    QWidget* buildDisplayGroup();
    QWidget* buildFilesGroup();
    // A setup-state control changed: into the model, then change detection.
    void setupEdited();
    void streamingEdited();
    void showPollingEnabled(int commsIndex);
    void browseSettingsFile();
    void toFront();
};
