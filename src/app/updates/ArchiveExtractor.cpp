#include "ArchiveExtractor.h"

#include "InstallerFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr qint64 kMaxListing = 16 * 1024 * 1024;

} // namespace

QString TArchiverSettings::defaultArchiver()
{
#ifdef Q_OS_WIN
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("7Za.exe"));
#else
    const QString found = QStandardPaths::findExecutable(QStringLiteral("7za"));
    if (!found.isEmpty())
        return found;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("7za"));
#endif
}

TArchiveExtractor::TArchiveExtractor(TArchiverSettings settings, QObject* parent)
    : QObject(parent), FSettings(std::move(settings))
{
    if (FSettings.program.isEmpty())
        FSettings.program = TArchiverSettings::defaultArchiver();
    FTimeout.setSingleShot(true);
    connect(&FTimeout, &QTimer::timeout, this, [this] {
        done(false, QStringLiteral("the archiver did not finish within %1 ms")
                        .arg(FSettings.timeoutMs));
    });
}

TArchiveExtractor::~TArchiveExtractor()
{
    if (FProcess) {
        FProcess->disconnect(this);
        FProcess->kill();
        FProcess->waitForFinished(1000);
    }
}

void TArchiveExtractor::start(const QString& archive, const QString& folder)
{
    FArchive = archive;
    FFolder = folder;
    FStep = TStep::Listing;
    // Technical listing: one block of "Name = value" lines per entry.
    run({QStringLiteral("l"), QStringLiteral("-slt"), QStringLiteral("-p-"), archive});
}

void TArchiveExtractor::cancel()
{
    done(false, QStringLiteral("cancelled"));
}

void TArchiveExtractor::run(const QStringList& arguments)
{
    FOutput.clear();
    if (FProcess) {
        // The previous run may be the sender of the signal we are in.
        FProcess->disconnect(this);
        FProcess.release()->deleteLater();
    }
    FProcess = std::make_unique<QProcess>();
    FProcess->setProgram(FSettings.program);
    FProcess->setArguments(arguments);
    FProcess->setWorkingDirectory(FFolder);
    FProcess->setStandardInputFile(QProcess::nullDevice());
    FProcess->setProcessChannelMode(QProcess::MergedChannels);
    connect(FProcess.get(), &QProcess::readyRead, this, [this] {
        FOutput += FProcess->readAll();
        if (FOutput.size() > kMaxListing)
            done(false, QStringLiteral("the archiver's output is too long"));
    });
    connect(FProcess.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            done(false, QStringLiteral("the archiver %1 cannot be started: %2")
                            .arg(FSettings.program, FProcess->errorString()));
    });
    connect(FProcess.get(), &QProcess::finished, this, [this](int code, QProcess::ExitStatus st) {
        FOutput += FProcess->readAll();
        if (st != QProcess::NormalExit || code != 0) {
            done(false, QStringLiteral("the archiver failed (exit %1): %2")
                            .arg(code)
                            .arg(QString::fromLocal8Bit(FOutput.right(400)).trimmed()));
            return;
        }
        if (FStep == TStep::Listing)
            onListed();
        else
            onExtracted();
    });
    FTimeout.start(FSettings.timeoutMs);
    FProcess->start();
}

void TArchiveExtractor::onListed()
{
    if (const auto why = checkArchiveListing(FOutput, FSettings.maxUnpacked)) {
        done(false, *why);
        return;
    }
    FStep = TStep::Extracting;
    // e: every file into the folder itself, without the archive's folders;
    // -y: overwrite without asking; -p-: no password prompt.
    run({QStringLiteral("e"), QStringLiteral("-y"), QStringLiteral("-p-"),
         QStringLiteral("-o") + QDir::toNativeSeparators(FFolder) + QDir::separator(), FArchive});
}

void TArchiveExtractor::onExtracted()
{
    const int links = removeLinks(FFolder);
    if (links > 0) {
        done(false, QStringLiteral("the archive left %1 link(s); removed").arg(links));
        return;
    }
    done(true);
}

void TArchiveExtractor::done(bool ok, const QString& detail)
{
    if (FStep == TStep::Idle)
        return;
    FStep = TStep::Idle;
    FTimeout.stop();
    FDetail = detail;
    if (FProcess) {
        FProcess->disconnect(this);
        if (FProcess->state() != QProcess::NotRunning) {
            FProcess->kill();
            FProcess->waitForFinished(1000);
        }
        // Not deleted here: done() may run inside one of its signals.
        FProcess.release()->deleteLater();
    }
    emit finished(ok);
}
