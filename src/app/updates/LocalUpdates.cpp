#include "LocalUpdates.h"

#include "FileIo.h"
#include "IniDocument.h"
#include "InstalledPrograms.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr const char* kVersionSection = "Version";
constexpr const char* kPathSection = "Path";

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

TUpdateFolders::TUpdateFolders(QString localDataPath) : FLocal(std::move(localDataPath)) {}

QString TUpdateFolders::standardLocalDataPath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("Kelvan"));
}

QString TUpdateFolders::updatesFolder() const
{
    return QDir(FLocal).filePath(QStringLiteral("Updates"));
}

QString TUpdateFolders::iniPath() const
{
    return QDir(updatesFolder()).filePath(QStringLiteral("updates.ini"));
}

QString TUpdateFolders::downloadFolder(const QString& regName) const
{
    return QDir(updatesFolder()).filePath(regName);
}

void fillInstalledVersions(std::vector<TUpdateRecord>& records, const TInstalledPrograms& installed,
                           const QString& ownVersion)
{
    for (TUpdateRecord& r : records) {
        QString version;
        if (!r.RegName.isEmpty()) {
            if (const auto entry = installed.find(r.RegName))
                version = entry->version;
            else if (r.RegName == QLatin1String(kOwnRegName))
                version = ownVersion;
        }
        if (version.isEmpty()) {
            r.CurrentVersion.clear();
            r.NotAvailable = true;
            continue;
        }
        const qsizetype space = version.indexOf(QLatin1Char(' '));
        r.CurrentVersion = space < 0 ? version : version.left(space);
    }
}

void readDownloadedVersions(std::vector<TUpdateRecord>& records, const TUpdateFolders& folders)
{
    if (!QFileInfo(folders.updatesFolder()).isDir())
        return;
    std::string text, error;
    if (files::readWholeFile(fsPath(folders.iniPath()), text, error) != files::TReadStatus::Ok)
        return; // a missing or unreadable updates.ini: nothing downloaded
    TIniDocument ini;
    ini.parse(text);
    for (TUpdateRecord& r : records) {
        if (r.NotAvailable)
            continue;
        const std::string key = r.RegName.toStdString();
        r.LocalVersion = QString::fromStdString(ini.value(kVersionSection, key).value_or(""));
        r.LocalLink = QString::fromStdString(ini.value(kPathSection, key).value_or(""));
        if (!r.LocalVersion.isEmpty() && !QFileInfo(r.LocalLink).isFile()) {
            r.LocalVersion.clear();
            r.LocalLink.clear();
        }
    }
}

bool writeDownloaded(const TUpdateFolders& folders, const QString& regName, const QString& version,
                     const QString& installFile, QString* error)
{
    if (!QFileInfo(folders.updatesFolder()).isDir())
        return true;
    std::string text, why;
    TIniDocument ini;
    if (files::readWholeFile(fsPath(folders.iniPath()), text, why) == files::TReadStatus::Ok)
        ini.parse(text);
    const std::string key = regName.toStdString();
    ini.setText(kVersionSection, key, version.toStdString());
    ini.setText(kPathSection, key, installFile.toStdString());
    if (!files::writeWholeFile(fsPath(folders.iniPath()), ini.serialise(), why)) {
        if (error)
            *error = QString::fromStdString(why);
        return false;
    }
    return true;
}
