#pragma once
// What mfs380a-cli prints about its results, and the checks of the files it
// is given, in one place so that every command says the same.

#include <QString>
#include <optional>

struct TLiveChannelState;
struct TStreamLayout;
class TSession;

// The answer of the running program to "Status" (1) or "Close" (2), in words.
QString instanceAnswerText(const QString& command, int answer);

// One decoded frame as stream prints it: every field named, the counts,
// averages and deltas as the main window shows them ("N/A" where the window
// shows it; delta is the average minus the count), prox and touch per channel.
QString frameLine(int index, const TLiveChannelState& live, const TStreamLayout& layout);
// --every N also thins the printed lines: frame N, 2N, ... (as the data log).
bool printsFrame(int frame, int every);

// Why a log file cannot be made there: its folder is missing or is no folder.
std::optional<QString> logFolderProblem(const QString& file);
// Why a settings file cannot be read (missing, a folder, unreadable); the
// same text for every command that takes one.
std::optional<QString> settingsFileProblem(const QString& file);
