#include "CliPaths.h"

#include "CliOptions.h"
#include "InstalledPrograms.h"
#include "Preferences.h"
#include "ToolBackend.h"

#include <cstdio>

int runPathsCommand()
{
    std::printf("shipped-files %s\n", shippedFilesDir().string().c_str());
    std::printf("preferences %s\n", TPreferences::standardPath().string().c_str());
    for (const QString& file : TIniInstalledPrograms::defaultFiles())
        std::printf("installed-programs %s\n", qPrintable(file));
    return kExitOk;
}
