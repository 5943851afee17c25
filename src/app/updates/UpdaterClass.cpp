#include "UpdaterClass.h"

#include "InstalledPrograms.h"
#include "UpdateTexts.h"
#include "VersionCompare.h"
#include "VersionList.h"

#include <QFileInfo>
#include <QNetworkAccessManager>

QString TUpdateItem::buttonCaption() const
{
    if (FCompleted)
        return QString::fromLatin1(updtext::kCompleted);
    if (FDownloading)
        return QString::fromLatin1(updtext::kCancel);
    if (FInstallOnly)
        return QString::fromLatin1(updtext::kInstall);
    return QString::fromLatin1(updtext::kDownload);
}

int TUpdateItem::colour() const
{
    if (FCompleted)
        return updcolour::kCompleted;
    if (ItemError)
        return updcolour::kFailed;
    if (FInstallOnly && !FDownloading)
        return updcolour::kReady;
    return updcolour::kWhite;
}

TUpdaterClass::TUpdaterClass(TUpdaterOptions options, QObject* parent)
    : QObject(parent),
      FOptions(std::move(options)),
      FNetwork(std::make_unique<QNetworkAccessManager>()),
      FInstalled(FOptions.Installed)
{
    if (!FInstalled)
        FInstalled = std::shared_ptr<const TInstalledPrograms>(makeInstalledPrograms());
}

TUpdaterClass::~TUpdaterClass()
{
    Terminate();
    RemoveItems();
}

const TInstalledPrograms& TUpdaterClass::installed() const
{
    return *FInstalled;
}

void TUpdaterClass::CheckForUpdates()
{
    if (FCheck)
        return;
    Error = false;
    TGetLimits limits = FOptions.Download.limits;
    limits.maxBytes = FOptions.MaxVersionListBytes;
    FCheck = new TBoundedGet(*FNetwork, FOptions.WebUrl, limits, nullptr, this);
    connect(FCheck, &TBoundedGet::finished, this, &TUpdaterClass::WebCheckDone);
    FCheck->start();
}

TUpdaterClass::TRequest TUpdaterClass::ManualCheckRequest()
{
    if (checkRunning())
        return TRequest::Ignored;
    if (CheckIsItemsBusy() || CheckIsItemsError()) {
        emit stateChanged();
        emit showRequested();
        return TRequest::ShownOnly;
    }
    RemoveItems();
    WebGuiUpdate = true;
    ManualCheck = true;
    CheckForUpdates();
    return TRequest::Started;
}

void TUpdaterClass::Terminate()
{
    if (!FCheck)
        return;
    TBoundedGet* check = FCheck;
    FCheck = nullptr;
    check->disconnect(this);
    check->deleteLater(); // closes its connection
}

void TUpdaterClass::WebCheckDone(TBoundedGet::TStatus status)
{
    TBoundedGet* check = FCheck;
    FCheck = nullptr;
    FCheckDetail = check->detail();
    check->deleteLater();

    // Build and decide the records.
    TVersionList list = status == TBoundedGet::TStatus::Ok ? parseVersionList(check->body())
                                                           : ReadUpdateRecords(false, {});
    if (status == TBoundedGet::TStatus::Ok && !list.Success)
        FCheckDetail = QStringLiteral("the version list is malformed");
    FSuccess = list.Success;
    FRecords = std::move(list.Records);
    fillInstalledVersions(FRecords, installed(), FOptions.OwnVersion);
    readDownloadedVersions(FRecords, folders());
    CompareVersions(FRecords);

    // One row per offered record, in record order.
    RemoveItems();
    for (std::size_t i = 0; i < FRecords.size(); ++i) {
        const TUpdateRecord& r = FRecords[i];
        if (!r.offered())
            continue;
        TUpdateItem item;
        item.FDisplayName = r.AppName;
        item.FRegName = r.RegName;
        item.FMainGui = r.RegName == QLatin1String(kOwnRegName);
        item.FInstallOnly = r.InstallOnly;
        item.FVersion = r.InstallOnly ? r.LocalVersion : r.WebVersion;
        item.FLink = r.InstallOnly ? r.LocalLink : r.WebLink;
        item.FItemIndex = static_cast<int>(i);
        item.Progress = r.InstallOnly ? 100 : 0;
        FItems.push_back(std::move(item));
    }
    emit itemsReset();
    emit stateChanged();

    const int rows = static_cast<int>(FItems.size());
    if (rows > 0) {
        if (ManualCheck || !(DontShowOnStartup || (OnlyMain && !CheckIsMainGUI())))
            emit showRequested();
    } else if (ManualCheck) {
        emit showRequested();
        if (FSuccess) {
            emit notice(TNoticeType::Information, QString::fromLatin1(updtext::kLatest));
        } else {
            Error = true;
            emit stateChanged();
            emit notice(TNoticeType::Warning, QString::fromLatin1(updtext::kCheckFailed));
        }
    }
    emit checkFinished(FSuccess, rows);
    emit stateChanged();
}

int TUpdaterClass::rowOf(const QString& regName) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i].FRegName == regName)
            return static_cast<int>(i);
    }
    return -1;
}

void TUpdaterClass::StartDownload(int row)
{
    if (row < 0 || row >= std::ssize(FItems))
        return;
    TUpdateItem& item = FItems[static_cast<std::size_t>(row)];
    if (item.FDownloading || item.FInstallOnly || item.FCompleted)
        return;
    item.ItemError = false;
    item.ProgressError = false;
    item.Progress = 0;
    item.Received = 0;
    const TUpdateRecord& record = FRecords[static_cast<std::size_t>(item.FItemIndex)];
    // A relative link is taken from the version list's folder.
    const QUrl url = FOptions.WebUrl.resolved(QUrl(item.FLink));
    auto* job = new TUpdateDownload(*FNetwork, folders(), item.FRegName, url, record.Exstra2,
                                    FOptions.Download, this);
    item.WebThread = job;
    item.FDownloading = true;
    connect(job, &TUpdateDownload::progress, this, [this, job, row](int percent) {
        if (row < std::ssize(FItems) && FItems[static_cast<std::size_t>(row)].WebThread == job) {
            FItems[static_cast<std::size_t>(row)].Progress = percent;
            emit itemChanged(row);
            emit stateChanged();
        }
    });
    connect(job, &TUpdateDownload::received, this, [this, job, row](qint64 bytes) {
        if (row < std::ssize(FItems) && FItems[static_cast<std::size_t>(row)].WebThread == job)
            FItems[static_cast<std::size_t>(row)].Received = bytes;
    });
    connect(job, &TUpdateDownload::finished, this, [this, job, row](const TDownloadResult& r) {
        job->deleteLater();
        if (row < std::ssize(FItems) && FItems[static_cast<std::size_t>(row)].WebThread == job)
            DownloadDone(row, r);
    });
    emit itemChanged(row);
    emit stateChanged();
    job->start();
}

void TUpdaterClass::CancelDownload(int row)
{
    if (row < 0 || row >= std::ssize(FItems))
        return;
    TUpdateItem& item = FItems[static_cast<std::size_t>(row)];
    if (!item.FDownloading)
        return;
    item.FDownloading = false;
    item.Progress = 0;
    emit itemChanged(row);
    emit stateChanged();
    if (item.WebThread)
        item.WebThread->cancel(); // its end arrives as a cancelled download
}

void TUpdaterClass::StartAllDownloads()
{
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (!FItems[i].FInstallOnly && !FItems[i].FDownloading && !FItems[i].FCompleted)
            StartDownload(static_cast<int>(i));
    }
}

void TUpdaterClass::DownloadDone(int row, const TDownloadResult& result)
{
    TUpdateItem& item = FItems[static_cast<std::size_t>(row)];
    item.WebThread = nullptr;
    item.MD5Error = false;
    item.FDownloading = false;
    if (result.Success) {
        writeDownloaded(folders(), item.FRegName, item.FVersion, result.InstallFile);
        item.FInstallOnly = true;
        item.FLink = result.InstallFile;
        item.InstallFile = result.InstallFile;
        item.Progress = 100;
        FRecords[static_cast<std::size_t>(item.FItemIndex)].LocalLink = result.InstallFile;
        emit itemChanged(row);
    } else if (result.Cancelled) {
        item.Progress = 0;
        emit itemChanged(row);
    } else {
        item.ProgressError = true;
        item.ItemError = true;
        emit itemChanged(row);
        emit stateChanged();
        emit showRequested();
        if (result.InstallFile.isEmpty()) {
            emit notice(TNoticeType::Error, QString::fromLatin1(updtext::kLocateFailed));
        } else {
            item.MD5Error = true;
            emit notice(TNoticeType::Error, QLatin1Char('"') +
                                                QFileInfo(result.InstallFile).fileName() +
                                                QLatin1Char('"') +
                                                QString::fromLatin1(updtext::kMD5Failed));
            if (row < std::ssize(FItems))
                FItems[static_cast<std::size_t>(row)].MD5Error = false;
        }
    }
    emit downloadFinished(row, result.Success, result.Detail);
    emit stateChanged();
}

void TUpdaterClass::DisableItem(int row)
{
    if (row < 0 || row >= std::ssize(FItems))
        return;
    TUpdateItem& item = FItems[static_cast<std::size_t>(row)];
    item.FCompleted = true;
    item.FDownloading = false;
    item.FInstallOnly = false;
    item.Progress = 0;
    emit itemChanged(row);
    emit stateChanged();
}

void TUpdaterClass::RemoveItems()
{
    for (TUpdateItem& item : FItems) {
        if (item.WebThread) {
            item.WebThread->disconnect(this);
            item.WebThread->cancel();
            item.WebThread->deleteLater();
        }
    }
    const bool had = !FItems.empty();
    FItems.clear();
    if (had)
        emit itemsReset();
}

void TUpdaterClass::ClearItemsError()
{
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i].ItemError) {
            FItems[i].ItemError = false;
            FItems[i].ProgressError = false;
            emit itemChanged(static_cast<int>(i));
        }
    }
    Error = false;
}

bool TUpdaterClass::CheckAvailableDownload() const
{
    for (const TUpdateItem& item : FItems) {
        if (!item.FInstallOnly && !item.FDownloading && !item.FCompleted)
            return true;
    }
    return false;
}

bool TUpdaterClass::CheckIsItemsBusy() const
{
    for (const TUpdateItem& item : FItems) {
        if (item.FDownloading)
            return true;
    }
    return false;
}

bool TUpdaterClass::CheckIsItemsError() const
{
    for (const TUpdateItem& item : FItems) {
        if (item.ItemError)
            return true;
    }
    return false;
}

bool TUpdaterClass::CheckIsMainGUI() const
{
    for (const TUpdateItem& item : FItems) {
        if (item.FMainGui)
            return true;
    }
    return false;
}

bool TUpdaterClass::hasPendingItems() const
{
    for (const TUpdateItem& item : FItems) {
        if (!item.FCompleted)
            return true;
    }
    return false;
}

QString TUpdaterClass::description(int recordIndex) const
{
    if (recordIndex < 0 || recordIndex >= std::ssize(FRecords))
        return QString::fromLatin1(updtext::kNoDescription);
    QString text = FRecords[static_cast<std::size_t>(recordIndex)].Exstra1;
    if (text.isEmpty())
        return QString::fromLatin1(updtext::kNoDescription);
    return text.replace(QStringLiteral("#10"), QStringLiteral("\n"));
}
