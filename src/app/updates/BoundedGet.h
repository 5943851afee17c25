#pragma once
// One HTTP GET with bounds: only allowed addresses (redirects included), at
// most maxBytes, and a stall bound (no bytes for stallTimeoutMs fails it).
// Runs on the thread that owns it, driven by its event loop.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;

struct TGetLimits {
    int stallTimeoutMs = 30000;
    qint64 maxBytes = 512LL * 1024 * 1024;
    int maxRedirects = 5;
};

class TBoundedGet : public QObject {
    Q_OBJECT
public:
    enum class TStatus { Ok, Refused, Failed, TooLarge, Stalled, Cancelled };

    // sink: where the body goes; nullptr keeps it in memory (body()).
    TBoundedGet(QNetworkAccessManager& network, QUrl url, TGetLimits limits,
                QIODevice* sink = nullptr, QObject* parent = nullptr);
    ~TBoundedGet() override;

    void start();
    // Closes the connection; finished(Cancelled) follows.
    void cancel();

    const QByteArray& body() const { return FBody; }
    qint64 received() const { return FReceived; }
    // Why it failed, for logs and the command line.
    const QString& detail() const { return FDetail; }

signals:
    // total: the content length, or -1 for chunked transfers and unknown lengths.
    void progress(qint64 received, qint64 total);
    void finished(TBoundedGet::TStatus status);

private:
    void onMetaData();
    void onReadyRead();
    void onFinished();
    void fail(TStatus status, const QString& detail);
    void finish(TStatus status);

    QNetworkAccessManager& FNetwork;
    QUrl FUrl;
    TGetLimits FLimits;
    QIODevice* FSink;
    QPointer<QNetworkReply> FReply;
    QTimer FStall;
    QByteArray FBody;
    qint64 FReceived = 0;
    qint64 FTotal = -1;
    bool FDone = false;
    QString FDetail;
};
