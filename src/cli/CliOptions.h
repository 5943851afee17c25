#pragma once
// The command line of mfs380a-cli, parsed.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// Exit statuses.
enum TCliExit { kExitOk = 0, kExitTool = 1, kExitUsage = 2, kExitFile = 3 };

struct TCliOptions {
    bool simulate = false;
    std::optional<std::uint8_t> simAddress;
    std::uint32_t simRate = 0;
    std::optional<std::array<double, 2>> simLoad;
    QStringList simTools; // --sim-tool values, checked
    QString serial;
    bool verbose = false;
    bool help = false;
    QString command;
    QStringList args;
};

// Parses argv (without the program name). nullopt with error set on a usage error.
std::optional<TCliOptions> parseCliOptions(const QStringList& argv, QString& error);

extern const char* const kCliHelp;
