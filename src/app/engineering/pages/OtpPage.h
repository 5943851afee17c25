#pragma once
// Page 15 of the settings window, "OTP Setup": the chip's current I2C address,
// the new address to program, Read Address and Write Address, and the
// connection diagram of the test set-up.

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class TOtpAddress;
class TSession;

class TOtpPage : public QWidget {
    Q_OBJECT
public:
    explicit TOtpPage(TSession& session, QWidget* parent = nullptr);

    TOtpAddress& otp() { return *FOtp; }

    QLabel* CurrentI2CAddressLabel = nullptr;
    QComboBox* NewI2CAddressCombo = nullptr;
    QPushButton* ReadAddressButton = nullptr;
    QPushButton* WriteAddressButton = nullptr;

private:
    void showState();

    TSession& FSession;
    TOtpAddress* FOtp = nullptr;
};
