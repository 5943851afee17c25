#pragma once
// mfs380a-cli's firmware commands, over the setup window's logic:
//   tools --check                         one line per tool with its firmware verdict
//   update-firmware [--stable | FILE.dfu] [--yes]
//                                         the window's Update, the stable release or
//                                         a firmware file

#include <QString>
#include <QStringList>

class TSession;

// A usage problem with the arguments of update-firmware; empty when fine.
QString checkUpdateFirmwareArguments(const QStringList& args);

// Exit statuses of TCliExit.
int runToolsCheck(TSession& session);
int runUpdateFirmware(TSession& session, const QStringList& args);
