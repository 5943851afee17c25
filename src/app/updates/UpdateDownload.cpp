#include "UpdateDownload.h"

#include "InstallerFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>

TUpdateDownload::TUpdateDownload(QNetworkAccessManager& network, TUpdateFolders folders,
                                 QString regName, QUrl url, QString md5,
                                 TDownloadSettings settings, QObject* parent)
    : QObject(parent),
      FNetwork(network),
      FFolders(std::move(folders)),
      FRegName(std::move(regName)),
      FUrl(std::move(url)),
      FMD5(std::move(md5)),
      FSettings(std::move(settings))
{
    FFolder = FFolders.downloadFolder(FRegName);
}

TUpdateDownload::~TUpdateDownload() = default;

void TUpdateDownload::start()
{
    // Every end is reported from the event loop, never from inside start().
    QDir().mkpath(FFolders.updatesFolder());
    if (QFileInfo(FFolder).isSymLink() || !QDir().mkpath(FFolder)) {
        QTimer::singleShot(0, this, [this] {
            fail(QStringLiteral("cannot make the download folder %1").arg(FFolder));
        });
        return;
    }
    FTemp = std::make_unique<QTemporaryFile>(
        QDir(FFolders.updatesFolder()).filePath(FRegName + QStringLiteral("-XXXXXX.part")));
    if (!FTemp->open()) {
        QTimer::singleShot(0, this, [this] {
            fail(QStringLiteral("cannot store the download: %1").arg(FTemp->errorString()));
        });
        return;
    }
    FGet = new TBoundedGet(FNetwork, FUrl, FSettings.limits, FTemp.get(), this);
    connect(FGet, &TBoundedGet::progress, this, [this](qint64 got, qint64 total) {
        emit received(got);
        if (total <= 0)
            return; // chunked or unknown length: no percentage
        const int percent = static_cast<int>(100 * got / total);
        if (percent != FPercent) {
            FPercent = percent;
            emit progress(percent);
        }
    });
    connect(FGet, &TBoundedGet::finished, this, &TUpdateDownload::onFetched);
    FGet->start();
}

void TUpdateDownload::cancel()
{
    if (FDone)
        return;
    FCancelled = true;
    if (FGet)
        FGet->cancel();
    else if (FExtractor)
        FExtractor->cancel();
}

void TUpdateDownload::onFetched(TBoundedGet::TStatus status)
{
    const QString detail = FGet->detail();
    FGet->deleteLater();
    FGet = nullptr;
    if (status == TBoundedGet::TStatus::Cancelled || FCancelled) {
        FCancelled = true;
        fail(detail);
        return;
    }
    if (status != TBoundedGet::TStatus::Ok) {
        fail(detail);
        return;
    }
    FTemp->close();
    // The folder holds this download only.
    if (!clearDownloadFolder(FFolder)) {
        fail(QStringLiteral("cannot empty the download folder %1").arg(FFolder));
        return;
    }
    const QString archive = QDir(FFolder).filePath(QString::fromLatin1(kArchiveName));
    if (!FTemp->rename(archive)) {
        fail(QStringLiteral("cannot save %1: %2").arg(archive, FTemp->errorString()));
        return;
    }
    FTemp->setAutoRemove(false);
    FTemp.reset();
    FExtractor = new TArchiveExtractor(FSettings.archiver, this);
    connect(FExtractor, &TArchiveExtractor::finished, this, &TUpdateDownload::onExtracted);
    FExtractor->start(archive, FFolder);
}

void TUpdateDownload::onExtracted(bool ok)
{
    const QString detail = FExtractor->detail();
    FExtractor->deleteLater();
    FExtractor = nullptr;
    QFile::remove(QDir(FFolder).filePath(QString::fromLatin1(kArchiveName)));
    if (!ok) {
        fail(detail);
        return;
    }
    const QString installer = findInstaller(FFolder);
    if (installer.isEmpty()) {
        fail(QStringLiteral("the archive holds no installer"));
        return;
    }
    FResult.InstallFile = installer;
    FResult.Success = true;
    if (!FMD5.isEmpty() && FMD5 != QLatin1String("temp")) {
        const QString digest = fileMD5(installer);
        if (digest != FMD5) {
            FResult.Success = false;
            FResult.MD5Failed = true;
            FResult.Detail = QStringLiteral("MD5 %1, expected %2").arg(digest, FMD5);
            QFile::remove(installer);
        } else {
            FResult.MD5Check = true;
        }
    }
    finish();
}

void TUpdateDownload::fail(const QString& detail)
{
    FResult.Success = false;
    FResult.Cancelled = FCancelled;
    FResult.InstallFile.clear();
    FResult.Detail = detail;
    finish();
}

void TUpdateDownload::finish()
{
    if (FDone)
        return;
    FDone = true;
    FTemp.reset();
    emit finished(FResult);
}
