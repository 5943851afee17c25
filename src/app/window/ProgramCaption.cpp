#include "ProgramCaption.h"

#ifndef MFS_VERSION
#define MFS_VERSION "1.1.0.50"
#endif

QString programCaption()
{
    return QStringLiteral("Kelvan MFS380A V") + QStringLiteral(MFS_VERSION) + QLatin1Char(' ');
}
