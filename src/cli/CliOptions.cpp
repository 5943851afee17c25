#include "CliOptions.h"

const char* const kCliHelp =
    R"(Usage: mfs380a-cli [--simulate] [--sim-address HEX] [--sim-rate HZ] [--serial SERIAL] [-v]
                   COMMAND ...

Drives the MFS380A through the configuration tool without windows.

Options:
  --simulate          use the built-in simulated tool and chip instead of USB
  --sim-address HEX   the simulated chip's I2C address (default 44)
  --sim-rate HZ       the simulated tool streams HZ frames per second (1 to
                      200000), whatever the chip's report rate
  --serial SERIAL     use the configuration tool with this serial number
  -v, --verbose       also print the information messages of the session
  -h, --help          show this text

Commands:
  tools                          one line per configuration tool: index, name,
                                 vendor id, product id, serial
  firmware                       the current tool's firmware version, build,
                                 release and tool ID
  error-text CODE                the message of a tool result code (decimal or 0x..)
  read ADDR [COUNT]              read registers (hexadecimal address) of the
                                 powered chip; prints the bytes in hexadecimal
  write ADDR BYTE...             write bytes (hexadecimal) from register ADDR on
  read-settings [-o FILE.ini]    read every settings group; print it, or save it
                                 as a device settings file
  apply FILE.ini                 apply a device settings file to the chip
  export-header FILE.ini [-o OUT.h]
                                 the C header of a device settings file (no tool
                                 needed; default output MFS380A_Init.h)
  stream [--frames N | --seconds S] [--log FILE] [--every N] [--quiet] [--stats]
                                 start streaming with the default set-up and
                                 print one decoded line per frame (or write the
                                 data log with every column), then stop;
                                 --quiet prints no line per frame, --stats
                                 prints frames received and lost, seconds,
                                 frames per second, CPU time and peak memory
  status                         ask the running program whether it runs
  close                          ask the running program to close
  paths                          where this installation finds its shipped files,
                                 keeps its preferences and looks for installed
                                 Kelvan programs

Exit status: 0 success, 1 tool or chip error, 2 usage error, 3 file error.
)";

std::optional<TCliOptions> parseCliOptions(const QStringList& argv, QString& error)
{
    TCliOptions o;
    int i = 0;
    for (; i < argv.size(); ++i) {
        const QString& a = argv[i];
        if (a == "--simulate") {
            o.simulate = true;
        } else if (a == "--sim-address") {
            bool ok = false;
            const uint v = i + 1 < argv.size() ? argv[i + 1].toUInt(&ok, 16) : 0;
            if (!ok || v < 1 || v > 0x7F) {
                error = "--sim-address needs a hexadecimal address from 01 to 7F";
                return std::nullopt;
            }
            o.simAddress = static_cast<std::uint8_t>(v);
            ++i;
        } else if (a == "--sim-rate") {
            bool ok = false;
            const uint v = i + 1 < argv.size() ? argv[i + 1].toUInt(&ok, 10) : 0;
            if (!ok || v < 1 || v > 200000) {
                error = "--sim-rate needs a rate from 1 to 200000 frames per second";
                return std::nullopt;
            }
            o.simRate = v;
            ++i;
        } else if (a == "--serial") {
            if (i + 1 >= argv.size()) {
                error = "--serial needs a serial number";
                return std::nullopt;
            }
            o.serial = argv[++i];
        } else if (a == "-v" || a == "--verbose") {
            o.verbose = true;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a.startsWith('-')) {
            error = "unknown option " + a;
            return std::nullopt;
        } else {
            break;
        }
    }
    if (o.help)
        return o;
    if (o.simRate > 0 && !o.simulate) {
        error = "--sim-rate needs --simulate";
        return std::nullopt;
    }
    if (i >= argv.size()) {
        error = "no command given";
        return std::nullopt;
    }
    o.command = argv[i];
    o.args = argv.mid(i + 1);
    return o;
}
