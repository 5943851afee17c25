#include "InstallerLaunch.h"

#include "ProgramLauncher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#ifdef MFS_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

bool runInstaller(const QString& file, QString* error)
{
    const QFileInfo info(file);
    if (!info.isFile() || info.isSymLink()) {
        if (error)
            *error = QStringLiteral("%1 is not there").arg(file);
        return false;
    }
    const QString suffix = info.suffix().toLower();
#ifndef Q_OS_WIN
    if (suffix == QLatin1String("deb")) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))) {
            if (error)
                *error = QStringLiteral("no program opens %1").arg(file);
            return false;
        }
        return true;
    }
    if (suffix == QLatin1String("run") || suffix == QLatin1String("appimage")) {
        QFile f(info.absoluteFilePath());
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }
#endif
    return startProgram(info.absoluteFilePath(), {}, info.absolutePath(), error);
}

void showInFileManager(const QString& file)
{
    const QFileInfo info(file);
#ifdef Q_OS_WIN
    if (QProcess::startDetached(QStringLiteral("explorer.exe"),
                                {QStringLiteral("/select,"), QDir::toNativeSeparators(file)}))
        return;
#elif defined(MFS_HAVE_DBUS)
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && info.exists()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
        call << QStringList{QUrl::fromLocalFile(info.absoluteFilePath()).toString()} << QString();
        const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return;
    }
#endif
    QDesktopServices::openUrl(QUrl::fromLocalFile(info.absolutePath()));
}
