#pragma once
// Where the firmware-update program is installed and the minimum firmware
// versions it asks for. Read once while the main window is created.

#include "MinVer.h"

#include <QString>

class TInstalledPrograms;

// The product key of the firmware-update program among the installed programs.
inline constexpr const char* kUpdaterProductKey = "Kelvan_Flashkit";

struct TFirmwareMinimums {
    QString FUpdaterPath;           // Install_Dir of the update program
    bool FUpdaterInstalled = false; // its executable is there
    TMinVer MinVer;                 // all 0 when minver.ini is missing or unreadable
    // Why minver.ini was not read in full (for logs); empty when it was.
    QString minVerProblem;

    // The update program's executable and its minver.ini.
    QString updaterProgram() const;
    QString minVerFile() const;
};

// "Kelvan Flashkit.exe" on Windows, "Kelvan Flashkit" elsewhere.
QString updaterExecutableName();

// ReadFirmwareMinimums: looks the update program up; when its executable
// exists, reads minver.ini beside it. Any failure leaves FUpdaterInstalled
// false; a missing, unreadable or oversized minver.ini leaves the minimums 0.
TFirmwareMinimums ReadFirmwareMinimums(const TInstalledPrograms& programs);
