#pragma once
// The start-up mode window's file list over the session's recent settings
// files, so that it and the settings window's list stay on the same entry.

#include "StartupModeDialog.h"

class TSession;

TRecentFileHooks recentFileHooks(TSession& session);
