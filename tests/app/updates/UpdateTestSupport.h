#pragma once
// Helpers of the update tests: version lists, real zip archives made by 7za,
// and an update manager over a test server and a folder of its own.

#include "TestHttpServer.h"
#include "UpdaterClass.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace updtest {

// The 7-Zip console program, or empty when it is not installed.
QString archiver();

// "VSTART<N>~7~<record>~<record>...VEND", each record seven items.
QByteArray versionList(const std::vector<QStringList>& records);

// A zip archive holding the files (names may have folders), made by 7za.
// links: name -> target of symbolic links to add.
QByteArray makeZip(const QMap<QString, QByteArray>& files,
                   const QMap<QString, QString>& links = {});

// Replaces every occurrence of from by to (same length) in the archive's names.
QByteArray renameInZip(QByteArray zip, const QByteArray& from, const QByteArray& to);

QString md5(const QByteArray& bytes);
// Runs the event loop until done() holds; false after timeoutMs.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

struct UpdaterRig {
    explicit UpdaterRig(const QByteArray& installedIni = "[Kelvan_Other]\nVersion=V2.0.0.0\n",
                        TUpdaterOptions base = {});
    // Serves the list at /list.
    void serveList(const std::vector<QStringList>& records);
    // A check to its end; false when it did not end in time.
    bool check(bool manual = true);
    // A download of the row to its end.
    bool download(int row);
    QString localData() const { return dir.filePath("Kelvan"); }

    QTemporaryDir dir;
    TTestHttpServer server;
    TUpdaterOptions options; // what the updater was made with
    std::unique_ptr<TUpdaterClass> updater;
    std::vector<std::pair<TNoticeType, QString>> notices;
    int shows = 0;
    std::vector<int> progress; // every progress value of every row, in order
};

} // namespace updtest
