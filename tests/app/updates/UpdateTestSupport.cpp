#include "UpdateTestSupport.h"

#include "InstalledPrograms.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace updtest {

QString archiver()
{
    return QStandardPaths::findExecutable(QStringLiteral("7za"));
}

QByteArray versionList(const std::vector<QStringList>& records)
{
    QStringList items{QString::number(records.size()), QStringLiteral("7")};
    for (const QStringList& r : records)
        items << r;
    return "VSTART" + items.join(QLatin1Char('~')).toUtf8() + "VEND";
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray makeZip(const QMap<QString, QByteArray>& files, const QMap<QString, QString>& links)
{
    QTemporaryDir work;
    const QString src = work.filePath("src");
    QDir().mkpath(src);
    QStringList names;
    for (auto it = files.begin(); it != files.end(); ++it) {
        writeFile(QDir(src).filePath(it.key()), it.value());
        names << it.key();
    }
    for (auto it = links.begin(); it != links.end(); ++it) {
        QFile::link(it.value(), QDir(src).filePath(it.key()));
        names << it.key();
    }
    QProcess p;
    p.setWorkingDirectory(src);
    p.start(archiver(), QStringList{"a", "-tzip", work.filePath("out.zip")} + names);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "7za failed: " << p.readAll().toStdString();
        return {};
    }
    return readFile(work.filePath("out.zip"));
}

QByteArray renameInZip(QByteArray zip, const QByteArray& from, const QByteArray& to)
{
    EXPECT_EQ(from.size(), to.size());
    EXPECT_TRUE(zip.contains(from));
    return zip.replace(from, to);
}

QString md5(const QByteArray& bytes)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
}

UpdaterRig::UpdaterRig(const QByteArray& installedIni, TUpdaterOptions base)
{
    writeFile(dir.filePath("installed.ini"), installedIni);
    base.WebUrl = server.url("/list");
    base.LocalDataPath = localData();
    base.OwnVersion = "V1.1.0.50";
    base.Installed =
        std::make_shared<TIniInstalledPrograms>(QStringList{dir.filePath("installed.ini")});
    if (base.Download.archiver.program.isEmpty())
        base.Download.archiver.program = archiver();
    options = base;
    updater = std::make_unique<TUpdaterClass>(base);
    QObject::connect(updater.get(), &TUpdaterClass::notice, updater.get(),
                     [this](TNoticeType t, const QString& text) { notices.emplace_back(t, text); });
    QObject::connect(updater.get(), &TUpdaterClass::showRequested, updater.get(),
                     [this] { ++shows; });
    QObject::connect(updater.get(), &TUpdaterClass::itemChanged, updater.get(), [this](int row) {
        const auto& items = updater->UpdateItems();
        if (row < std::ssize(items) && items[static_cast<std::size_t>(row)].FDownloading)
            progress.push_back(items[static_cast<std::size_t>(row)].Progress);
    });
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

void UpdaterRig::serveList(const std::vector<QStringList>& records)
{
    server.route("/list", TTestRoute(versionList(records)));
}

bool UpdaterRig::check(bool manual)
{
    QSignalSpy done(updater.get(), &TUpdaterClass::checkFinished);
    updater->ManualCheck = manual;
    updater->CheckForUpdates();
    return done.wait(20000);
}

bool UpdaterRig::download(int row)
{
    QSignalSpy done(updater.get(), &TUpdaterClass::downloadFinished);
    updater->StartDownload(row);
    return !done.isEmpty() || done.wait(30000);
}

} // namespace updtest
