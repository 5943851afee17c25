#pragma once
// The files of one download folder: clearing it, checking what an archive
// holds before it is unpacked, finding the installer and its digest.

#include <QByteArray>
#include <QString>
#include <optional>

// The archive as saved in the download folder.
inline constexpr const char* kArchiveName = "TempFile.zip";

// Deletes every file and every link in folder. Links are removed themselves,
// never followed; sub-folders are left alone. False when something stayed.
bool clearDownloadFolder(const QString& folder);

// Removes links from folder (an unpacked archive must not leave any).
// Returns how many were removed.
int removeLinks(const QString& folder);

// The archiver's technical listing ("7za l -slt"): nothing when every entry
// may be unpacked flat into the download folder, else the reason it may not.
// Refused: links, absolute names, ".." components, more than maxUnpacked bytes
// in all, a listing that cannot be read.
std::optional<QString> checkArchiveListing(const QByteArray& listing, qint64 maxUnpacked);

// The installer this platform runs, by name: on Windows the first ".exe"; on
// Linux the first ".run" or ".AppImage", else the first ".deb". Files are
// taken in name order. Empty when there is none.
QString findInstaller(const QString& folder);

// MD5 over the file as 32 upper-case hexadecimal digits; empty when it cannot
// be read.
QString fileMD5(const QString& path);
