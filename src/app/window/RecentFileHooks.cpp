#include "RecentFileHooks.h"

#include "Session.h"

TRecentFileHooks recentFileHooks(TSession& session)
{
    TSession* s = &session;
    TRecentFileHooks hooks;
    hooks.names = [s] {
        QStringList names;
        for (const auto& name : s->Recent().names())
            names << QString::fromStdString(name);
        return names;
    };
    hooks.selected = [s] { return s->settingsWindow().recentSelection; };
    hooks.browse = [s](const QString& path) {
        if (path.isEmpty())
            s->SettingsFileDialogCancelled();
        else
            s->BrowseSettingsFile(path.toStdString());
        return s->settingsWindow().recentSelection;
    };
    hooks.select = [s](int index) {
        s->SelectRecentSettings(index);
        return s->settingsWindow().recentSelection;
    };
    return hooks;
}
