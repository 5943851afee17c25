#include "InstanceChannel.h"

#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

InstanceServer::InstanceServer(QObject* parent) : QObject(parent)
{
    connect(&FServer, &QLocalServer::newConnection, this, &InstanceServer::onConnection);
}

QString InstanceServer::defaultName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return QStringLiteral("KelvanMFS380A-") + user;
}

bool InstanceServer::listen(const QString& name)
{
    if (FServer.listen(name))
        return true;
    // A name left behind by a program that ended without cleaning up.
    if (!sendInstanceMessage(QString(), name, 300)) {
        QLocalServer::removeServer(name);
        return FServer.listen(name);
    }
    return false;
}

int InstanceServer::reply(const QString& text)
{
    if (text.contains(QLatin1String("Status")))
        return 1;
    if (text.contains(QLatin1String("Close")))
        return 2;
    return 0;
}

void InstanceServer::onConnection()
{
    while (QLocalSocket* socket = FServer.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that never finishes its line is dropped after a while.
        QTimer::singleShot(3000, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() < 4096)
                return;
            const QString text = QString::fromUtf8(socket->readLine(4096)).trimmed();
            const bool close = text.contains(QLatin1String("Close"));
            socket->write(QByteArray::number(reply(text)) + '\n');
            socket->flush();
            socket->disconnectFromServer();
            if (close)
                QTimer::singleShot(0, this, &InstanceServer::closeRequested);
        });
    }
}

std::optional<int> sendInstanceMessage(const QString& text, const QString& name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return std::nullopt;
    socket.write(text.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return std::nullopt;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return std::nullopt;
    }
    bool ok = false;
    const int answer = socket.readLine().trimmed().toInt(&ok);
    return ok ? std::optional<int>(answer) : std::nullopt;
}
