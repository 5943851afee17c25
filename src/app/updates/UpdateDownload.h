#pragma once
// One product's download: the archive is fetched into a temporary file in the
// updates folder, the download folder is emptied, the archive is saved there
// as "TempFile.zip", unpacked flat, deleted, and the installer is looked for
// and checked against the expected digest (a mismatch deletes it).

#include "ArchiveExtractor.h"
#include "BoundedGet.h"
#include "LocalUpdates.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;
class QTemporaryFile;

struct TDownloadSettings {
    TGetLimits limits;
    TArchiverSettings archiver;
};

struct TDownloadResult {
    bool Success = false;
    bool Cancelled = false;
    bool MD5Check = false;  // the digest was checked and matched
    bool MD5Failed = false; // the digest did not match; the installer was deleted
    QString InstallFile;    // the installer (also set, though deleted, on a mismatch)
    QString Detail;         // why it failed, for logs and the command line
};

class TUpdateDownload : public QObject {
    Q_OBJECT
public:
    // md5: the expected digest; empty or "temp" for none.
    TUpdateDownload(QNetworkAccessManager& network, TUpdateFolders folders, QString regName,
                    QUrl url, QString md5, TDownloadSettings settings, QObject* parent = nullptr);
    ~TUpdateDownload() override;

    void start();
    // Stops the transfer or the unpacking; finished() follows with Cancelled.
    void cancel();
    const QString& regName() const { return FRegName; }

signals:
    // 0..100; not sent for chunked transfers.
    void progress(int percent);
    void received(qint64 bytes);
    void finished(const TDownloadResult& result);

private:
    void onFetched(TBoundedGet::TStatus status);
    void onExtracted(bool ok);
    void fail(const QString& detail);
    void finish();

    QNetworkAccessManager& FNetwork;
    TUpdateFolders FFolders;
    QString FRegName;
    QUrl FUrl;
    QString FMD5;
    TDownloadSettings FSettings;
    QString FFolder;
    std::unique_ptr<QTemporaryFile> FTemp;
    QPointer<TBoundedGet> FGet;
    QPointer<TArchiveExtractor> FExtractor;
    TDownloadResult FResult;
    int FPercent = -1;
    bool FCancelled = false;
    bool FDone = false;
};
