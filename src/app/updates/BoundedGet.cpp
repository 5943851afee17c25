#include "BoundedGet.h"

#include "UpdateUrl.h"

#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

TBoundedGet::TBoundedGet(QNetworkAccessManager& network, QUrl url, TGetLimits limits,
                         QIODevice* sink, QObject* parent)
    : QObject(parent), FNetwork(network), FUrl(std::move(url)), FLimits(limits), FSink(sink)
{
    FStall.setSingleShot(true);
    FStall.setInterval(FLimits.stallTimeoutMs);
    connect(&FStall, &QTimer::timeout, this, [this] {
        fail(TStatus::Stalled,
             QStringLiteral("no data for %1 ms").arg(FLimits.stallTimeoutMs));
    });
}

TBoundedGet::~TBoundedGet()
{
    if (FReply) {
        FReply->disconnect(this);
        FReply->abort();
        FReply->deleteLater();
    }
}

void TBoundedGet::start()
{
    if (!isAllowedUpdateUrl(FUrl)) {
        // Reported from the event loop, like every other end.
        FDetail = QStringLiteral("address refused: %1").arg(FUrl.toString());
        QTimer::singleShot(0, this, [this] { finish(TStatus::Refused); });
        return;
    }
    QNetworkRequest request(FUrl);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(FLimits.maxRedirects);
    FReply = FNetwork.get(request);
    connect(FReply, &QNetworkReply::redirected, this, [this](const QUrl& target) {
        if (isAllowedUpdateUrl(target))
            emit FReply->redirectAllowed();
        else
            fail(TStatus::Refused, QStringLiteral("redirect refused: %1").arg(target.toString()));
    });
    connect(FReply, &QNetworkReply::metaDataChanged, this, &TBoundedGet::onMetaData);
    connect(FReply, &QNetworkReply::readyRead, this, &TBoundedGet::onReadyRead);
    connect(FReply, &QNetworkReply::finished, this, &TBoundedGet::onFinished);
    FStall.start();
}

void TBoundedGet::cancel()
{
    fail(TStatus::Cancelled, QStringLiteral("cancelled"));
}

void TBoundedGet::onMetaData()
{
    FStall.start();
    const QByteArray encoding = FReply->rawHeader("Transfer-Encoding");
    const qint64 length = FReply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    FTotal = encoding.toLower().contains("chunked") || length <= 0 ? -1 : length;
    if (FTotal > FLimits.maxBytes)
        fail(TStatus::TooLarge, QStringLiteral("%1 bytes is more than the %2 allowed")
                                    .arg(FTotal)
                                    .arg(FLimits.maxBytes));
}

void TBoundedGet::onReadyRead()
{
    if (FDone || !FReply)
        return;
    FStall.start();
    const QByteArray chunk = FReply->readAll();
    if (chunk.isEmpty())
        return;
    FReceived += chunk.size();
    if (FReceived > FLimits.maxBytes) {
        fail(TStatus::TooLarge,
             QStringLiteral("more than the %1 bytes allowed").arg(FLimits.maxBytes));
        return;
    }
    if (FSink) {
        if (FSink->write(chunk) != chunk.size()) {
            fail(TStatus::Failed, QStringLiteral("cannot store the download: %1")
                                      .arg(FSink->errorString()));
            return;
        }
    } else {
        FBody += chunk;
    }
    emit progress(FReceived, FTotal);
}

void TBoundedGet::onFinished()
{
    if (FDone || !FReply)
        return;
    onReadyRead();
    if (FDone)
        return;
    if (FReply->error() != QNetworkReply::NoError) {
        fail(TStatus::Failed, FReply->errorString());
        return;
    }
    const int status = FReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299) {
        fail(TStatus::Failed, QStringLiteral("HTTP status %1").arg(status));
        return;
    }
    finish(TStatus::Ok);
}

void TBoundedGet::fail(TStatus status, const QString& detail)
{
    if (FDone)
        return;
    FDetail = detail;
    if (FReply) {
        FReply->disconnect(this);
        FReply->abort();
        FReply->deleteLater();
        FReply = nullptr;
    }
    finish(status);
}

void TBoundedGet::finish(TStatus status)
{
    if (FDone)
        return;
    FDone = true;
    FStall.stop();
    emit finished(status);
}
