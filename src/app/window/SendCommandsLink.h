#pragma once
// The settings window's "Show Send Commands" button (engineering page)
// opens the "Send Commands" log, which from then on lists every report sent
// to the tool until it is closed.

class TCommandLogs;
class TSettingsForm;

void linkSendCommandsButton(TSettingsForm& settings, TCommandLogs& logs);
