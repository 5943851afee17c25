#include "CliOptions.h"

#include "SimToolOption.h"
#include "ToolBackend.h"

const char* const kCliHelp =
    R"(Usage: mfs380a-cli [--simulate] [--sim-address HEX] [--sim-tool TOOL]...
                  [--sim-load PF0,PF1] [--sim-rate HZ] [--serial SERIAL] [-v] COMMAND ...

Drives the MFS380A through the configuration tool without windows.

Options:
  --simulate          use the built-in simulated tool and chip instead of USB
  --sim-address HEX   the simulated chip's I2C address (default 44)
  --sim-load PF0,PF1  the load on the simulated chip's receive pins RX0 and
                      RX1 in pF (default 8,5)
  --sim-tool PID:VERSION:BUILD:RELEASE[:SERIAL]
                      simulate a tool with this product id, firmware version,
                      build and release, e.g. 0x108:0106:20:0B (hexadecimal but
                      BUILD); repeatable, implies --simulate
  --sim-rate HZ       the simulated tool streams HZ frames per second (1 to
                      200000), whatever the chip's report rate
  --serial SERIAL     use the configuration tool with this serial number
  -v, --verbose       also print the information messages of the session
  -h, --help          show this text

Commands:
  tools                          one line per configuration tool: index, name,
                                 vendor id, product id, serial
  tools --check                  one line per tool: index, name, product id,
                                 serial, firmware, build, release and the
                                 firmware verdict
  firmware                       the current tool's firmware version, build,
                                 release and tool ID
  error-text CODE                the message of a tool result code (decimal or 0x..)
  read ADDR [COUNT]              read registers (hexadecimal address) of the
                                 powered chip; prints the bytes in hexadecimal
  write ADDR BYTE...             write bytes (hexadecimal) from register ADDR on
  read-settings [-o FILE.ini]    read every settings group; print it, or save it
                                 as a device settings file
  apply FILE.ini                 apply a device settings file to the chip and
                                 list what was written
  export-header FILE.ini [-o OUT.h]
                                 the C header of a device settings file (no tool
                                 needed; default output MFS380A_Init.h)
  stream [--frames N | --seconds S] [--log FILE] [--every N]
         [--select LIST] [--extra ADDR[,ADDR...]] [--bars ADDR,ADDR]
         [--log-columns LIST] [--quiet] [--stats]
                                 start streaming and print one decoded line per
                                 frame (named fields: count0.., lta0.., delta0..
                                 as the main window shows them, prox0..,
                                 touch0.., hall, temp, qrd, metal, flags, events;
                                 debug rows as dbg=ADR:VAL, extra bars as
                                 bars=ADR:VALUE), or
                                 write the data log, then stop. --select: the
                                 streamed blocks, a comma list of counts, lta, pt
                                 (default all); --extra: the debug rows in order;
                                 --log-columns: qrd, hall, md, count0..count5,
                                 lta0..lta2, delta0..delta2, prox0..prox2,
                                 touch0..touch2 (default all); --every N: print
                                 or log every N-th frame. Blocks the log needs are
                                 switched on. --quiet: no line per frame;
                                 --stats: at the end, frames received and lost,
                                 seconds, frames per second, CPU time and peak
                                 memory.
  stream-table [--select LIST] [--extra ADDR[,ADDR...]] [--bars ADDR,ADDR]
                                 print the stream address table (no tool
                                 needed): "length N", one "POSITION ADDRESS" line
                                 per block, one "NAME INDEX" line per start index
                                 of a streamed block; --bars: the two extra bar
                                 channels, ticked
  capacitance [--current]        start streaming and calculate the load
                                 capacitance of CH0 to CH2 (default settings,
                                 or the chip's current ones); one line each
  read-indirect ADDR             read one byte of the chip's indirect memory
  write-indirect ADDR BYTE       write one byte of the chip's indirect memory
  otp-address [--write XX --yes] print the chip's I2C address; with --write,
                                 program XX (44 45 46 47 4C 4D 4E 4F) into the
                                 chip's OTP memory for good, then search again
  update-firmware [--stable | FILE.dfu] [--yes]
                                 start the firmware update program for the
                                 current tool: the setup window's Update (a
                                 local .dfu file, else the stable release),
                                 the stable release, or FILE.dfu; asks first
                                 unless --yes
  status                         ask the running program whether it runs
                                 ("running")
  check-updates [--url URL]      check the update server: one line per offered
                                 update (product key, name, version, download
                                 or install), or "up to date"
  download-update KEY [--url URL]
                                 download, unpack and verify the update of one
                                 product; prints the installer's path
  close                          ask the running program to close ("closing")
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
        } else if (a == "--sim-load") {
            const auto load = i + 1 < argv.size() ? parseSimLoad(argv[i + 1]) : std::nullopt;
            if (!load) {
                error = "--sim-load needs two loads in pF, PF0,PF1, each above 0 and at most 100";
                return std::nullopt;
            }
            o.simLoad = load;
            ++i;
        } else if (a == "--sim-tool") {
            if (i + 1 >= argv.size()) {
                error = QStringLiteral("--sim-tool needs %1").arg(kSimToolSyntax);
                return std::nullopt;
            }
            if (!parseSimTool(argv[i + 1], error))
                return std::nullopt;
            o.simTools << argv[++i];
            o.simulate = true;
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
