#pragma once
// The stream set-up options of mfs380a-cli: which blocks are streamed
// (--select), the debug rows (--extra), the two extra bar channels (--bars),
// the data log's columns (--log-columns); the "stream-table" command that
// prints the stream address table they give, and the debug-row text of a
// streamed frame.

#include "LogFormat.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class TSetupModel;
struct TLiveChannelState;
struct TStreamLayout;

struct TCliStreamSetup {
    // "Count Samples", "Long Term Averages (LTA)", "Prox && Touch"; all by default.
    bool counts = true;
    bool lta = true;
    bool pt = true;
    std::vector<std::uint8_t> extra;                   // debug rows 0.., in order
    std::array<std::optional<std::uint8_t>, 2> bars{}; // rows 20 and 21, ticked
    std::optional<TLogSelection> logColumns;           // nothing: every column
};

enum class TCliOptionResult { NotMine, Taken, Bad };

// Takes one "--option value" pair when it is a stream set-up option. allowBars
// and allowLog say which of --bars and --log-columns the command knows.
TCliOptionResult takeStreamSetupOption(const QString& option, const QString& value,
                                       TCliStreamSetup& setup, QString& error, bool allowBars,
                                       bool allowLog);

// Ticks the boxes, fills the address rows (the rest emptied) and rebuilds the
// stream address table.
void applyStreamSetup(const TCliStreamSetup& setup, TSetupModel& model);

// "length N", one "POSITION ADDRESS" line per streamed block, then one
// "NAME INDEX" line per start index of a streamed block.
QStringList streamTableLines(const TSetupModel& model);

// The streamed debug rows and extra bars of a frame: " dbg=ADR:VAL,..." and
// " bars=ADR:VALUE,...", empty when none is streamed.
QString streamedRowsText(const TSetupModel& model, const TLiveChannelState& state);

// mfs380a-cli stream-table [--select LIST] [--extra ADDR[,ADDR...]] [--bars ADDR,ADDR].
// Returns the exit status.
int cliStreamTable(const QStringList& args);
