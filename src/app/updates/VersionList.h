#pragma once
// The server's version list and the update records built from it. Pure
// functions over bytes: no network, no files.
//
// The body holds, between the first "VSTART" and the first "VEND", items
// separated by "~" (line feeds are dropped, nothing else is trimmed): the
// number of records N, the number of items per record M, then N blocks of M
// items whose first seven are RegName, AppName, WebVersion, WebLink, Exstra1,
// Exstra2, Exstra3.

#include "UpdateRecord.h"

#include <QByteArrayView>
#include <QStringList>
#include <optional>
#include <vector>

// Where the version list lives on the maker's server.
inline constexpr const char* kVersionListPath = "/images/stories/software/web_version_check_v3.txt";
inline constexpr const char* kDefaultUpdateServer = "https://www.kelvan.com";

// The items between the markers, or nothing when a marker is missing.
std::optional<QStringList> splitVersionList(QByteArrayView body);

// A product key that may name a folder: letters, digits, "_", "-" and ".",
// not empty, not "." or "..".
bool isPlainRegName(const QString& name);

// Records from the split list, the program's own record first, the others in
// list order. success false (server unreachable or list malformed) gives the
// program's own record alone with no web version. Counts that do not parse,
// N < 1 or M < 7 count as a malformed list; records whose product key is not
// plain or repeats an earlier one are left out.
struct TVersionList {
    bool Success = false;
    std::vector<TUpdateRecord> Records;
};
TVersionList ReadUpdateRecords(bool success, const QStringList& items);

// splitVersionList and ReadUpdateRecords together: what a fetched body gives.
TVersionList parseVersionList(QByteArrayView body);
