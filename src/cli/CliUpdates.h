#pragma once
// mfs380a-cli check-updates [--url URL] and download-update KEY [--url URL]:
// the web update check and one product's download without windows.

#include <QString>
#include <QStringList>

// Runs one of the two commands; returns the exit status.
int runUpdateCommand(const QString& command, const QStringList& args);
