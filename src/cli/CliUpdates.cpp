#include "CliUpdates.h"

#include "CliOptions.h"
#include "UpdateTexts.h"
#include "UpdaterClass.h"

#include <QEventLoop>
#include <cstdio>

#ifndef MFS_VERSION
#define MFS_VERSION "1.1.0.50"
#endif

namespace {

void printErr(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

int usage(const QString& message)
{
    printErr(QStringLiteral("mfs380a-cli: ") + message);
    printErr(QStringLiteral("Try 'mfs380a-cli --help'."));
    return kExitUsage;
}

// Runs the check to its end; the rows are the updater's.
void runCheck(TUpdaterClass& updater)
{
    QEventLoop loop;
    QObject::connect(&updater, &TUpdaterClass::checkFinished, &loop, &QEventLoop::quit);
    updater.ManualCheck = true;
    updater.CheckForUpdates();
    loop.exec();
}

} // namespace

int runUpdateCommand(const QString& command, const QStringList& args)
{
    const bool download = command == QLatin1String("download-update");
    QString key;
    TUpdaterOptions options;
    options.OwnVersion = QStringLiteral("V") + QStringLiteral(MFS_VERSION);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--url")) {
            if (i + 1 >= args.size())
                return usage(QStringLiteral("--url needs an address"));
            options.WebUrl = QUrl(args[++i]);
            if (!isAllowedUpdateUrl(options.WebUrl))
                return usage(QStringLiteral("--url takes an HTTPS address, or HTTP on this machine"));
        } else if (download && key.isEmpty() && !args[i].startsWith(QLatin1Char('-'))) {
            key = args[i];
        } else {
            return usage(QStringLiteral("unexpected argument '%1'").arg(args[i]));
        }
    }
    if (download && key.isEmpty())
        return usage(QStringLiteral("download-update needs a product key"));

    TUpdaterClass updater(options);
    QStringList notices;
    QObject::connect(&updater, &TUpdaterClass::notice, &updater,
                     [&notices](TNoticeType, const QString& text) { notices << text; });
    runCheck(updater);
    const auto& items = updater.UpdateItems();
    if (!updater.lastCheckSucceeded()) {
        printErr(QStringLiteral("mfs380a-cli: ") + QString::fromLatin1(updtext::kCheckFailed));
        if (!updater.lastCheckDetail().isEmpty())
            printErr(QStringLiteral("mfs380a-cli: ") + updater.lastCheckDetail());
        if (items.empty())
            return kExitTool;
    }

    if (!download) {
        if (items.empty())
            std::printf("up to date\n");
        for (const TUpdateItem& item : items) {
            std::printf("%s\t%s\t%s\t%s\n", qPrintable(item.FRegName),
                        qPrintable(item.FDisplayName), qPrintable(item.FVersion),
                        item.FInstallOnly ? "install" : "download");
        }
        return kExitOk;
    }

    const int row = updater.rowOf(key);
    if (row < 0) {
        printErr(QStringLiteral("mfs380a-cli: no update is offered for %1").arg(key));
        return kExitTool;
    }
    if (items[static_cast<std::size_t>(row)].FInstallOnly) {
        std::printf("%s\n", qPrintable(items[static_cast<std::size_t>(row)].FLink));
        return kExitOk;
    }

    QEventLoop loop;
    bool success = false;
    QString detail;
    int shown = -1;
    QObject::connect(&updater, &TUpdaterClass::itemChanged, &loop, [&](int changed) {
        const TUpdateItem& item = updater.UpdateItems()[static_cast<std::size_t>(changed)];
        if (changed == row && item.FDownloading && item.Progress != shown && item.Progress > 0) {
            shown = item.Progress;
            std::fprintf(stderr, "%s: %d%%\n", qPrintable(key), shown);
        }
    });
    QObject::connect(&updater, &TUpdaterClass::downloadFinished, &loop,
                     [&](int done, bool ok, const QString& why) {
                         if (done != row)
                             return;
                         success = ok;
                         detail = why;
                         loop.quit();
                     });
    std::fprintf(stderr, "%s: downloading\n", qPrintable(key));
    notices.clear();
    updater.StartDownload(row);
    loop.exec();
    const TUpdateItem& item = updater.UpdateItems()[static_cast<std::size_t>(row)];
    std::fprintf(stderr, "%s: %lld bytes received\n", qPrintable(key),
                 static_cast<long long>(item.Received));
    if (!success) {
        for (const QString& text : notices)
            printErr(QStringLiteral("mfs380a-cli: ") + text);
        if (!detail.isEmpty())
            printErr(QStringLiteral("mfs380a-cli: ") + detail);
        return kExitTool;
    }
    std::printf("%s\n", qPrintable(item.InstallFile));
    return kExitOk;
}
