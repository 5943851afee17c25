#include "TestHttpServer.h"

#include <QTcpSocket>

TTestHttpServer::TTestHttpServer()
{
    FServer.listen(QHostAddress::LocalHost);
    connect(&FServer, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = FServer.nextPendingConnection()) {
            auto* request = new QByteArray;
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                *request += socket->readAll();
                if (request->contains("\r\n\r\n") && !socket->property("answered").toBool()) {
                    socket->setProperty("answered", true);
                    answer(socket, *request);
                }
            });
            connect(socket, &QTcpSocket::disconnected, socket, [this, socket, request] {
                if (socket->property("stalled").toBool())
                    ++FAbandoned;
                delete request;
                socket->deleteLater();
            });
        }
    });
}

QUrl TTestHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void TTestHttpServer::answer(QTcpSocket* socket, const QByteArray& request)
{
    const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = first.size() > 1 ? QString::fromLatin1(first[1]) : QString();
    ++FHits[path];
    const auto it = FRoutes.constFind(path);
    TTestRoute r;
    if (it == FRoutes.constEnd()) {
        r.status = 404;
        r.body = "not found";
    } else {
        r = *it;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + " X\r\n";
    if (!r.location.isEmpty())
        head += "Location: " + r.location + "\r\n";
    head += "Connection: close\r\n";
    QByteArray body = r.body;
    const bool stall = r.stallAfter >= 0 && r.stallAfter < body.size();
    if (stall)
        body = body.left(r.stallAfter);
    if (r.chunked) {
        head += "Transfer-Encoding: chunked\r\n\r\n";
        QByteArray out;
        for (qsizetype i = 0; i < body.size(); i += 1000) {
            const QByteArray part = body.mid(i, 1000);
            out += QByteArray::number(part.size(), 16) + "\r\n" + part + "\r\n";
        }
        if (!stall)
            out += "0\r\n\r\n";
        socket->write(head + out);
    } else {
        const qint64 length = r.declaredLength >= 0 ? r.declaredLength : r.body.size();
        head += "Content-Length: " + QByteArray::number(length) + "\r\n\r\n";
        socket->write(head + body);
    }
    if (stall) {
        socket->setProperty("stalled", true);
        return; // the connection stays open, silent
    }
    socket->disconnectFromHost();
}
