#pragma once
// The taskbar progress as the launcher-entry D-Bus signal:
//   signal com.canonical.Unity.LauncherEntry.Update(s app_uri, a{sv} properties)
// with "progress" (0.0..1.0), "progress-visible" and "urgent" (error state).
// Docks have no paused look: the paused (idle) state hides the progress.

#include "TaskbarProgress.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

class TLauncherEntryProgress final : public TTaskbarProgress {
public:
    TLauncherEntryProgress(QDBusConnection bus, QString appUri);
    void setProgress(TTaskbarState state, int percent) override;

    // The properties sent for a state (exposed for tests).
    static QVariantMap properties(TTaskbarState state, int percent);
    static QString objectPath();

private:
    QDBusConnection FBus;
    QString FAppUri;
};
