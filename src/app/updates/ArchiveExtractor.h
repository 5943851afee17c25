#pragma once
// Unpacks a downloaded archive flat into its folder with the 7-Zip console
// program: first a listing, checked entry by entry (checkArchiveListing), then
// "7za e" (no folder structure). The program is started without a shell, its
// arguments as separate strings, and each run has a time bound. Any link the
// archiver leaves behind is removed.

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <memory>

struct TArchiverSettings {
    QString program;          // the archiver; empty: defaultArchiver()
    int timeoutMs = 120000;   // per run
    qint64 maxUnpacked = 2LL * 1024 * 1024 * 1024;

    // "7za" on the search path, else beside this program ("7Za.exe" on Windows).
    static QString defaultArchiver();
};

class TArchiveExtractor : public QObject {
    Q_OBJECT
public:
    explicit TArchiveExtractor(TArchiverSettings settings, QObject* parent = nullptr);
    ~TArchiveExtractor() override;

    // Unpacks archive into folder; finished() follows from the event loop.
    void start(const QString& archive, const QString& folder);
    void cancel();
    const QString& detail() const { return FDetail; }

signals:
    void finished(bool ok);

private:
    void run(const QStringList& arguments);
    void onListed();
    void onExtracted();
    void done(bool ok, const QString& detail = {});

    TArchiverSettings FSettings;
    std::unique_ptr<QProcess> FProcess;
    QTimer FTimeout;
    QByteArray FOutput;
    QString FArchive;
    QString FFolder;
    enum class TStep { Idle, Listing, Extracting } FStep = TStep::Idle;
    QString FDetail;
};
