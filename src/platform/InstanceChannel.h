#pragma once
// The program's inter-process text message: a local socket named after the
// program (it stands in for the WM_COPYDATA message of the Windows build).
// Another process sends one line of text; the running program answers with
// one number: 1 when the text contains "Status", else 2 when it contains
// "Close" (and the program then closes), else 0.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <optional>

class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);
    // Starts listening; false when the name cannot be taken.
    bool listen(const QString& name = defaultName());
    QString errorString() const { return FServer.errorString(); }
    // The answer to a message text.
    static int reply(const QString& text);
    static QString defaultName();

signals:
    // A message asked the program to close (sent after the answer).
    void closeRequested();

private:
    void onConnection();
    QLocalServer FServer;
};

// Sends text to the running program and returns its answer; nothing when no
// program answers within timeoutMs.
std::optional<int> sendInstanceMessage(const QString& text,
                                       const QString& name = InstanceServer::defaultName(),
                                       int timeoutMs = 2000);
