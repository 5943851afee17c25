#pragma once
// The update manager: checks the server's version list, decides what to offer,
// keeps one row per offered product, and downloads, unpacks and verifies
// installers. Everything runs on the thread that owns it (the user-interface
// thread) with Qt Network's asynchronous requests; no widgets. Windows watch
// its signals and call its operations.

#include "BoundedGet.h"
#include "LocalUpdates.h"
#include "UpdateDownload.h"
#include "UpdateRecord.h"
#include "UpdateUrl.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <memory>
#include <vector>

class QNetworkAccessManager;
class TInstalledPrograms;

struct TUpdaterOptions {
    QUrl WebUrl = defaultVersionListUrl();
    QString LocalDataPath = TUpdateFolders::standardLocalDataPath();
    QString OwnVersion;                    // "V1.1.0.50": the program's own version text
    TDownloadSettings Download;            // archiver, download bounds
    qint64 MaxVersionListBytes = 1 << 20;  // the version list is small
    // Installed versions; nullptr: this platform's lookup.
    std::shared_ptr<const TInstalledPrograms> Installed;
};

// One offered product (a row of the updater window, without its widgets).
struct TUpdateItem {
    QString FDisplayName;
    QString FRegName;
    QString FVersion;
    QString FLink; // archive address, or the installer once install-ready
    int FItemIndex = -1; // its record
    bool FMainGui = false;
    bool FInstallOnly = false;
    bool FDownloading = false;
    bool FCompleted = false;
    bool ItemError = false;
    bool MD5Error = false;
    int Progress = 0; // 0..100
    bool ProgressError = false;
    qint64 Received = 0;
    QString InstallFile;
    QPointer<TUpdateDownload> WebThread;

    // "Download", "Cancel", "Install" or "Completed".
    QString buttonCaption() const;
    // Row colour, red in the low byte.
    int colour() const;
    bool installReady() const { return FInstallOnly && !FDownloading && !FCompleted; }
};

enum class TNoticeType { Information, Warning, Error };

class TUpdaterClass : public QObject {
    Q_OBJECT
public:
    explicit TUpdaterClass(TUpdaterOptions options, QObject* parent = nullptr);
    ~TUpdaterClass() override;

    const TUpdaterOptions& options() const { return FOptions; }
    void setWebUrl(const QUrl& url) { FOptions.WebUrl = url; }
    TUpdateFolders folders() const { return TUpdateFolders(FOptions.LocalDataPath); }

    // The updater window's options, consulted when an automatic check ends.
    bool DontShowOnStartup = false;
    bool OnlyMain = true;
    // Set by a manual request; the taskbar's idle state depends on it.
    bool WebGuiUpdate = true;
    bool ManualCheck = false;
    // The last manual check failed.
    bool Error = false;

    // Starts a check (automatic unless ManualCheck is set).
    void CheckForUpdates();
    // The user asked for a check: ignored while one runs; while some row is
    // downloading or failed only the window is shown; otherwise the rows are
    // removed and a manual check starts.
    enum class TRequest { Ignored, ShownOnly, Started };
    TRequest ManualCheckRequest();
    bool checkRunning() const { return FCheck != nullptr; }
    // The last check reached the server and read its list.
    bool lastCheckSucceeded() const { return FSuccess; }
    const QString& lastCheckDetail() const { return FCheckDetail; }

    const std::vector<TUpdateRecord>& UpdateRecord() const { return FRecords; }
    const std::vector<TUpdateItem>& UpdateItems() const { return FItems; }
    // The row of a product key, or -1.
    int rowOf(const QString& regName) const;

    void StartDownload(int row);
    void CancelDownload(int row);
    void StartAllDownloads();
    // The row's installer was started: the row is completed.
    void DisableItem(int row);
    void RemoveItems();
    void ClearItemsError();
    // Stops a running check.
    void Terminate();

    bool CheckAvailableDownload() const; // some row still needs a download
    bool CheckIsItemsBusy() const;       // some row is downloading
    bool CheckIsItemsError() const;      // some row failed
    bool CheckIsMainGUI() const;         // a row for the program itself exists
    bool hasPendingItems() const;        // a row not completed: "Updates Available"
    bool downloadAllEnabled() const { return CheckAvailableDownload() && !CheckIsItemsBusy(); }

    // Exstra1 of a record with "#10" as line breaks, or "No description available".
    QString description(int recordIndex) const;

signals:
    void checkFinished(bool success, int rows);
    // Rows were removed or created.
    void itemsReset();
    void itemChanged(int row);
    // Refresh "Download All", the menu entry and the taskbar progress.
    void stateChanged();
    // Bring up the updater window.
    void showRequested();
    void notice(TNoticeType type, const QString& text);
    // A download ended (after the row was updated); detail says why it failed.
    void downloadFinished(int row, bool success, const QString& detail);

private:
    void WebCheckDone(TBoundedGet::TStatus status);
    void DownloadDone(int row, const TDownloadResult& result);
    const TInstalledPrograms& installed() const;

    TUpdaterOptions FOptions;
    std::unique_ptr<QNetworkAccessManager> FNetwork;
    std::shared_ptr<const TInstalledPrograms> FInstalled;
    TBoundedGet* FCheck = nullptr;
    std::vector<TUpdateRecord> FRecords;
    std::vector<TUpdateItem> FItems;
    bool FSuccess = false;
    QString FCheckDetail;
};
