#pragma once
// Page 9 of the settings window, "Engineering": the "Some Data Missed"
// notice, the power button, "Show Send Commands", and direct and indirect
// access to single chip registers. Everything here acts at once; nothing is
// part of Apply or Undo.

#include <QWidget>

class QLabel;
class QPushButton;
class THexEdit;
class TSession;

class TEngineeringPage : public QWidget {
    Q_OBJECT
public:
    explicit TEngineeringPage(TSession& session, QWidget* parent = nullptr);

    QLabel* DataMissLabel = nullptr;
    QPushButton* PowerButton = nullptr;
    QPushButton* ShowSendCommandsButton = nullptr;
    THexEdit* MMAddressEdit = nullptr;
    THexEdit* MMDataEdit = nullptr;
    QPushButton* ReadMMButton = nullptr;
    QPushButton* WriteMMButton = nullptr;
    THexEdit* DirAddrEdit = nullptr;
    THexEdit* DirDataEdit = nullptr;
    QPushButton* InDirReadButton = nullptr;
    QPushButton* InDirWriteButton = nullptr;

    // "Show Send Commands" is enabled once something shows the sent commands.
    void setSendCommandsAvailable(bool available);

signals:
    void showSendCommandsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showState();

    TSession& FSession;
};
