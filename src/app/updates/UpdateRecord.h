#pragma once
// One product on the update server: what is installed here, what the server
// offers, what has been downloaded already, and the decision taken on them.

#include <QString>

// The program's own product key and its display name when the server cannot
// be reached.
inline constexpr const char* kOwnRegName = "Kelvan_MFS380A";
inline constexpr const char* kOwnAppName = "Kelvan MFS380A";

struct TUpdateRecord {
    QString RegName;        // product key: installed-programs entry and updates.ini key
    QString AppName;        // display name
    QString CurrentVersion; // installed here, cut at its first space
    QString WebVersion;     // offered by the version list
    QString LocalVersion;   // of an installer already downloaded (updates.ini)
    QString WebLink;        // download address of the archive
    QString LocalLink;      // path of the downloaded installer (updates.ini)
    bool UpdateRequired = false;
    bool InstallOnly = false;  // already downloaded: only needs installing
    bool NotAvailable = false; // nothing to offer
    QString Exstra1;           // description; "#10" stands for a line break
    QString Exstra2;           // expected MD5 of the installer, or "temp" / empty for none
    QString Exstra3;           // not used

    bool offered() const { return !NotAvailable && UpdateRequired; }
};
