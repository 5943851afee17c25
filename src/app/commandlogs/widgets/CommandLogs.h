#pragma once
// The two command logs of the main window and their hook on the session:
// a log receives what is sent only while it is open. Opening "Send
// Commands" hangs it on every report written to the tool; opening "Show Send
// Commands" hangs it on every register write (the main window's
// FEasyShowSend). Closing a window takes it off again.

#include <QObject>
#include <memory>

class QWidget;
class TEasyShowSendForm;
class TSendCommands;
class TSession;

class TCommandLogs : public QObject {
    Q_OBJECT
public:
    // The windows are made now, hidden, as windows of their own above owner.
    TCommandLogs(TSession& session, QWidget* owner);
    // Destroys the windows ("Send Commands" writes its placement).
    ~TCommandLogs() override;

    // The settings window's "Show Send Commands" button.
    void showSendCommands();
    // The main window's Options, "Show Send Commands".
    void showEasyShowSend();

    TSendCommands* sendCommands() const { return FSendCommands.get(); }
    TEasyShowSendForm* easyShowSend() const { return FEasyShowSendForm.get(); }
    // Register writes are being added to "Show Send Commands".
    bool FEasyShowSend() const { return static_cast<bool>(FWrites); }
    // Reports are being added to "Send Commands".
    bool loggingReports() const { return static_cast<bool>(FReports); }

private:
    TSession& FSession;
    std::unique_ptr<TSendCommands> FSendCommands;
    std::unique_ptr<TEasyShowSendForm> FEasyShowSendForm;
    QMetaObject::Connection FReports;
    QMetaObject::Connection FWrites;
};
