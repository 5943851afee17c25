#include "LauncherEntryProgress.h"

#include "DesktopEntry.h"

#include <QDBusMessage>
#include <algorithm>

TLauncherEntryProgress::TLauncherEntryProgress(QDBusConnection bus, QString appUri)
    : FBus(std::move(bus)), FAppUri(std::move(appUri))
{
}

QString TLauncherEntryProgress::objectPath()
{
    // The desktop entry id with everything a bus path does not allow as "_".
    QString id = desktopEntryId();
    for (QChar& c : id) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128))
            c = QLatin1Char('_');
    }
    return QStringLiteral("/com/canonical/unity/launcherentry/") + id;
}

QVariantMap TLauncherEntryProgress::properties(TTaskbarState state, int percent)
{
    QVariantMap p;
    const double fraction = std::clamp(percent, 0, 100) / 100.0;
    switch (state) {
    case TTaskbarState::NoProgress:
    case TTaskbarState::Paused: // idle: docks have no paused look
        p[QStringLiteral("progress-visible")] = false;
        p[QStringLiteral("urgent")] = false;
        break;
    case TTaskbarState::Indeterminate: // an installer is ready: a full bar
        p[QStringLiteral("progress")] = 1.0;
        p[QStringLiteral("progress-visible")] = true;
        p[QStringLiteral("urgent")] = false;
        break;
    case TTaskbarState::Normal:
        p[QStringLiteral("progress")] = fraction;
        p[QStringLiteral("progress-visible")] = true;
        p[QStringLiteral("urgent")] = false;
        break;
    case TTaskbarState::Error:
        p[QStringLiteral("progress")] = fraction;
        p[QStringLiteral("progress-visible")] = true;
        p[QStringLiteral("urgent")] = true;
        break;
    }
    return p;
}

void TLauncherEntryProgress::setProgress(TTaskbarState state, int percent)
{
    if (!FBus.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(objectPath(),
                                                     QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                                     QStringLiteral("Update"));
    signal << FAppUri << properties(state, percent);
    FBus.send(signal);
}

std::unique_ptr<TTaskbarProgress> makeTaskbarProgress()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::make_unique<TNoTaskbarProgress>();
    return std::make_unique<TLauncherEntryProgress>(bus, desktopEntryUri());
}
