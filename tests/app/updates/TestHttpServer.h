#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the update tests: each path answers
// with a fixed body, sent with a content length or chunked, optionally
// stalling after some bytes or redirecting.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

struct TTestRoute {
    TTestRoute(QByteArray b = {}) : body(std::move(b)) {}
    TTestRoute& withStatus(int s, QByteArray where = {})
    {
        status = s;
        location = std::move(where);
        return *this;
    }
    TTestRoute& sentChunked()
    {
        chunked = true;
        return *this;
    }
    TTestRoute& stallingAfter(qint64 bytes)
    {
        stallAfter = bytes;
        return *this;
    }
    TTestRoute& declaring(qint64 length)
    {
        declaredLength = length;
        return *this;
    }

    QByteArray body;
    int status = 200;
    bool chunked = false;
    qint64 stallAfter = -1;     // send this many body bytes, then nothing more
    qint64 declaredLength = -1; // Content-Length to announce instead of the body's
    QByteArray location;        // with status 3xx
};

class TTestHttpServer : public QObject {
    Q_OBJECT
public:
    TTestHttpServer();
    quint16 port() const { return FServer.serverPort(); }
    QUrl url(const QString& path) const;
    void route(const QString& path, TTestRoute r) { FRoutes[path] = std::move(r); }
    int hits(const QString& path) const { return FHits.value(path); }
    // Connections closed by the client while the answer was stalled.
    int abandoned() const { return FAbandoned; }

private:
    void answer(class QTcpSocket* socket, const QByteArray& request);

    QTcpServer FServer;
    QHash<QString, TTestRoute> FRoutes;
    QHash<QString, int> FHits;
    int FAbandoned = 0;
};
