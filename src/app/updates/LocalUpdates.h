#pragma once
// What this machine knows about the products on the update server: installed
// versions (the installed-programs lookup) and installers downloaded before
// (updates.ini in the updates folder).
//
// Folders, under the per-user data folder "<local data>/Kelvan/":
//   Updates/               updates.ini and one download folder per product
//   Updates/<product key>/ the archive "TempFile.zip" and what it unpacks
// updates.ini: section [Version] product key = version of the downloaded
// installer, section [Path] product key = its full path.

#include "UpdateRecord.h"

#include <QString>
#include <vector>

class TInstalledPrograms;

class TUpdateFolders {
public:
    // localDataPath: the per-user data folder, "<XDG data home>/Kelvan" on Linux.
    explicit TUpdateFolders(QString localDataPath);
    static QString standardLocalDataPath();

    const QString& localDataPath() const { return FLocal; }
    QString updatesFolder() const;
    QString iniPath() const;
    QString downloadFolder(const QString& regName) const;

private:
    QString FLocal;
};

// CurrentVersion of every record from the lookup, cut at its first space; a
// product with no entry (or an empty version) is NotAvailable. The program's
// own record takes ownVersion when it has no entry of its own.
void fillInstalledVersions(std::vector<TUpdateRecord>& records, const TInstalledPrograms& installed,
                           const QString& ownVersion);

// LocalVersion and LocalLink of every record not NotAvailable from updates.ini.
// An entry whose installer file is gone counts as nothing downloaded.
void readDownloadedVersions(std::vector<TUpdateRecord>& records, const TUpdateFolders& folders);

// Records a finished download in updates.ini (only when the updates folder
// exists). False with error set when the file cannot be written.
bool writeDownloaded(const TUpdateFolders& folders, const QString& regName, const QString& version,
                     const QString& installFile, QString* error = nullptr);
