#pragma once
// The id of the program's desktop entry (com.kelvan.MFS380A.desktop): the
// windows carry it so that docks and task managers group them under the
// program's icon, and the launcher entry of the taskbar progress names it.

#include <QString>

inline QString desktopEntryId()
{
    return QStringLiteral(MFS_DESKTOP_ID);
}

// "application://<id>.desktop", as launcher-entry messages name the program.
inline QString desktopEntryUri()
{
    return QStringLiteral("application://") + desktopEntryId() + QStringLiteral(".desktop");
}
