#include "CliApp.h"

#include "CliEngineering.h"
#include "CliFirmware.h"
#include "CliPaths.h"
#include "CliReports.h"
#include "CliStreamSetup.h"
#include "CliUpdates.h"
#include "FileMessages.h"
#include "FirmwareVerdict.h"
#include "HeaderExport.h"
#include "HexText.h"
#include "HidToolsErrorCodes.h"
#include "InstanceChannel.h"
#include "QtUiDispatcher.h"
#include "SettingsFile.h"
#include "SettingsModel.h"
#include "SimBackend.h"
#include "SetupModel.h"
#include "SimToolOption.h"
#include "StreamStats.h"
#include "ToolBackend.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

void printErr(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

std::optional<std::uint8_t> hexByte(const QString& text)
{
    return parseHexByte(text.trimmed().toStdString());
}

// Ranges of the number arguments of stream. The bounds keep every derived
// time (the wait for --frames, the run time of --seconds) within a timer's
// reach: about 24 days.
constexpr int kMaxFrames = 10000000;
constexpr double kMaxSeconds = 2000000;
constexpr int kMaxEvery = 100;

bool inRange(const QString& option, int frames, double seconds, int every)
{
    if (option == "--frames")
        return frames >= 1 && frames <= kMaxFrames;
    if (option == "--seconds")
        return std::isfinite(seconds) && seconds > 0 && seconds <= kMaxSeconds;
    if (option == "--every")
        return every >= 1 && every <= kMaxEvery;
    return true;
}

QString rangeText(const QString& option)
{
    if (option == "--frames")
        return QStringLiteral("1 to %1").arg(kMaxFrames);
    if (option == "--seconds")
        return QStringLiteral("more than 0, at most %1").arg(kMaxSeconds, 0, 'f', 0);
    if (option == "--every")
        return QStringLiteral("1 to %1").arg(kMaxEvery);
    return QString();
}

}  // namespace

CliApp::CliApp(TCliOptions options) : FOptions(std::move(options)) {}

CliApp::~CliApp()
{
    FSession.reset();
}

int CliApp::usage(const QString& message)
{
    printErr(QStringLiteral("mfs380a-cli: ") + message);
    printErr(QStringLiteral("Try 'mfs380a-cli --help'."));
    return kExitUsage;
}

int CliApp::run()
{
    const QString& c = FOptions.command;
    if (c == "error-text")
        return cmdErrorText();
    if (c == "export-header")
        return cmdExportHeader();
    if (c == "status" || c == "close")
        return cmdInstance();
    if (c == "check-updates" || c == "download-update")
        return runUpdateCommand(c, FOptions.args);
    if (c == "stream-table")
        return cliStreamTable(FOptions.args);
    if (CliEngineering::handles(c)) {
        QString message;
        if (CliEngineering::checkArguments(c, FOptions.args, message) != kExitOk)
            return usage(message);
        if (!openSession())
            return kExitTool;
        return CliEngineering(*FSession, FOptions.args).run(c);
    }
    if (c == "paths")
        return FOptions.args.isEmpty() ? runPathsCommand()
                                       : usage(QStringLiteral("paths takes no arguments"));
    static const QStringList kToolCommands = {"tools", "firmware", "read", "write",
                                              "read-settings", "apply", "stream",
                                              "update-firmware"};
    if (!kToolCommands.contains(c))
        return usage(QStringLiteral("unknown command '%1'").arg(c));
    // Arguments are checked before any tool is touched.
    if (const int u = checkArguments(); u != kExitOk)
        return u;
    if (!openSession())
        return kExitTool;
    if (c == "tools")
        return FOptions.args.isEmpty() ? cmdTools() : runToolsCheck(*FSession);
    if (c == "update-firmware")
        return runUpdateFirmware(*FSession, FOptions.args);
    if (c == "firmware")
        return cmdFirmware();
    if (c == "read")
        return cmdRead();
    if (c == "write")
        return cmdWrite();
    if (c == "read-settings")
        return cmdReadSettings();
    if (c == "apply")
        return cmdApply();
    return cmdStream();
}

int CliApp::checkArguments()
{
    const QString& c = FOptions.command;
    const QStringList& a = FOptions.args;
    if (c == "tools" && !(a.isEmpty() || a == QStringList{"--check"}))
        return usage(QStringLiteral("tools takes [--check]"));
    if (c == "firmware" && !a.isEmpty())
        return usage(c + QStringLiteral(" takes no arguments"));
    if (c == "update-firmware") {
        if (const QString problem = checkUpdateFirmwareArguments(a); !problem.isEmpty())
            return usage(problem);
    }
    if (c == "read") {
        if (a.isEmpty() || a.size() > 2 || !hexByte(a[0]))
            return usage(QStringLiteral("read needs ADDR [COUNT] in hexadecimal"));
        if (a.size() == 2) {
            const auto n = hexByte(a[1]);
            if (!n || *n == 0 || int(*hexByte(a[0])) + *n > 0x100)
                return usage(QStringLiteral("COUNT must be 1 to the end of the register map"));
        }
    }
    if (c == "write") {
        if (a.size() < 2)
            return usage(QStringLiteral("write needs ADDR BYTE..."));
        for (const QString& v : a) {
            if (!hexByte(v))
                return usage(QStringLiteral("'%1' is not a hexadecimal byte").arg(v));
        }
        if (a.size() > 33)
            return usage(QStringLiteral("write takes at most 32 data bytes"));
    }
    if (c == "read-settings" && !(a.isEmpty() || (a.size() == 2 && a[0] == "-o")))
        return usage(QStringLiteral("read-settings takes [-o FILE.ini]"));
    if (c == "apply") {
        if (a.size() != 1)
            return usage(QStringLiteral("apply needs FILE.ini"));
        if (const auto problem = settingsFileProblem(a[0])) {
            printErr(QStringLiteral("mfs380a-cli: ") + *problem);
            return kExitFile;
        }
    }
    if (c == "stream") {
        for (int i = 0; i < a.size(); ++i) {
            const QString& o = a[i];
            if (o == "--quiet" || o == "--stats") {
                (o == "--quiet" ? FQuiet : FStats) = true;
                continue;
            }
            if (i + 1 >= a.size())
                return usage(o + QStringLiteral(" needs a value"));
            bool ok = true;
            const QString v = a[++i];
            if (o == "--frames")
                FFrames = v.toInt(&ok);
            else if (o == "--seconds")
                FSeconds = v.toDouble(&ok);
            else if (o == "--log")
                FLogFile = v;
            else if (o == "--every")
                FEvery = v.toInt(&ok);
            else {
                QString e;
                const TCliOptionResult r = takeStreamSetupOption(o, v, FStreamSetup, e, true, true);
                if (r == TCliOptionResult::NotMine)
                    return usage(QStringLiteral("unknown stream option ") + o);
                if (r == TCliOptionResult::Bad)
                    return usage(e);
            }
            if (!ok || !inRange(o, FFrames, FSeconds, FEvery))
                return usage(QStringLiteral("bad value '%1' for %2 (%3)").arg(v, o, rangeText(o)));
        }
        if (FFrames > 0 && FSeconds > 0)
            return usage(QStringLiteral("give --frames or --seconds, not both"));
        if (FFrames <= 0 && FSeconds <= 0)
            FFrames = 100;
        if (const auto problem = FLogFile.isEmpty() ? std::nullopt : logFolderProblem(FLogFile)) {
            printErr(
                QStringLiteral("mfs380a-cli: cannot write the log %1: %2").arg(FLogFile, *problem));
            return kExitFile;
        }
    }
    return kExitOk;
}

bool CliApp::openSession()
{
    FContext = std::make_unique<QObject>();
    FDispatcher = std::make_unique<QtUiDispatcher>(FContext.get());
    TToolBackendOptions backendOptions;
    backendOptions.simulate = FOptions.simulate;
    backendOptions.simAddress = FOptions.simAddress;
    backendOptions.simRate = FOptions.simRate;
    backendOptions.simLoad = FOptions.simLoad;
    for (const QString& value : FOptions.simTools) {
        QString error;
        if (const auto tool = parseSimTool(value, error))
            backendOptions.simTools.push_back(*tool);
    }
    const TToolBackend tools = makeToolBackend(backendOptions);
    FBackend = tools.backend;
    FSimulation = tools.simulation;

    TSessionConfig config;
    config.backend = FBackend.get();
    config.dispatcher = FDispatcher.get();
    config.readerMode = HidReaderMode::Threaded;
    config.prompts = &FPrompts;
    config.appPath = shippedFilesDir();
    FSession = std::make_unique<TSession>(config);
    QObject::connect(FSession.get(), &TSession::messageAdded, FContext.get(),
                     [this](const QString& text, TMessageType type) {
                         if (type == TMessageType::Error) {
                             ++FErrors;
                             FLastError = text;
                             printErr(text);
                         } else if (FOptions.verbose) {
                             printErr(text);
                         }
                     });

    // The first device-change pass runs from the event loop.
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(FSession.get(), &TSession::toolsChanged, &loop, &QEventLoop::quit);
    timeout.start(3000);
    loop.exec();

    if (FOptions.command == "tools")
        return true;
    if (!FSession->DevList().Connected()) {
        printErr(QStringLiteral("mfs380a-cli: no configuration tool found (try --simulate)"));
        return false;
    }
    if (!FOptions.serial.isEmpty() &&
        !FSession->HidTool().SetCurrentSerial(FOptions.serial.toStdString())) {
        printErr(QStringLiteral("mfs380a-cli: no configuration tool with serial %1")
                     .arg(FOptions.serial));
        return false;
    }
    return true;
}

bool CliApp::prepareChip()
{
    FSession->PowerButtonClick();  // Power On: tool set-up, chip supply
    if (!FSession->state().FPowerOn || FErrors > 0)
        return false;
    FSession->clock().sleepMs(1000);
    if (!FSession->FindDeviceAddress()) {
        printErr(QStringLiteral("mfs380a-cli: the chip does not answer"));
        return false;
    }
    return true;
}

void CliApp::powerOff()
{
    if (FSession && FSession->state().FPowerOn) {
        FSession->PowerButtonClick();
    }
}

int CliApp::cmdErrorText()
{
    if (FOptions.args.size() != 1)
        return usage(QStringLiteral("error-text needs CODE"));
    bool ok = false;
    const QString& t = FOptions.args[0];
    const uint code = t.startsWith("0x", Qt::CaseInsensitive) ? t.mid(2).toUInt(&ok, 16)
                                                              : t.toUInt(&ok, 10);
    if (!ok || code > 0xFFFF)
        return usage(QStringLiteral("CODE must be 0 to 65535 (decimal or 0x-hexadecimal)"));
    std::printf("%s\n", ToolErrorText(static_cast<TExchangeResult>(code)).c_str());
    return kExitOk;
}

int CliApp::cmdExportHeader()
{
    const QStringList& a = FOptions.args;
    if (!(a.size() == 1 || (a.size() == 3 && a[1] == "-o")))
        return usage(QStringLiteral("export-header needs FILE.ini [-o OUT.h]"));
    if (const auto problem = settingsFileProblem(a[0])) {
        printErr(QStringLiteral("mfs380a-cli: ") + *problem);
        return kExitFile;
    }
    const TSettingsFileRead read = readSettingsFile(a[0].toStdString());
    using TStatus = TSettingsFileRead::TStatus;
    if (read.status == TStatus::WrongDevice) {
        printErr(QString::fromLatin1(filemsg::kInvalidSettingsDialog));
        return kExitFile;
    }
    if (read.status != TStatus::Ok) {
        printErr(QString::fromLatin1(filemsg::kSettingsLoadError) + QStringLiteral(" ") +
                 QString::fromStdString(read.detail));
        return kExitFile;
    }
    TSettingsModel model;
    TSetupModel setup;
    TChannelBoxes boxes{true, true, true, true, true, true};
    applySettingsFile(read, model, setup, boxes);
    // As the program after a load: every group as its fields give it (bits no
    // control owns cleared, values held in their fields' ranges).
    model.ResetDefault();
    const QString out = a.size() == 3 ? a[2] : QString::fromLatin1(kHeaderDefaultName);
    std::string error;
    if (!exportHeader(out.toStdString(), model, boxes, error)) {
        printErr(QString::fromLatin1(filemsg::kHeaderExportError) + QStringLiteral(" ") +
                 QString::fromStdString(error));
        return kExitFile;
    }
    return kExitOk;
}

int CliApp::cmdInstance()
{
    if (!FOptions.args.isEmpty())
        return usage(FOptions.command + QStringLiteral(" takes no arguments"));
    const QString text = FOptions.command == "status" ? QStringLiteral("Status")
                                                      : QStringLiteral("Close");
    const auto answer = sendInstanceMessage(text);
    if (!answer) {
        printErr(QStringLiteral("mfs380a-cli: the program is not running"));
        return kExitTool;
    }
    std::printf("%s\n", qPrintable(instanceAnswerText(FOptions.command, *answer)));
    return kExitOk;
}

int CliApp::cmdTools()
{
    const TCTData& t = FSession->DevList().CTData();
    if (t.Count == 0)
        printErr(QStringLiteral("mfs380a-cli: no configuration tool found (try --simulate)"));
    for (int i = 0; i < t.Count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        std::printf("%d\t%s\t%04X\t%04X\t%s\n", i, t.Name[k].c_str(),
                    static_cast<unsigned>(std::stoul(t.VendorID[k])),
                    static_cast<unsigned>(std::stoul(t.ProductID[k])), t.SerialNumber[k].c_str());
    }
    return kExitOk;
}

int CliApp::cmdFirmware()
{
    std::uint32_t version = 0;
    std::uint8_t build = 0, release = 0;
    if (!FSession->HandleRes(FSession->HidTool().GetCTFWVersion(version, build, release)))
        return kExitTool;
    QString v = QString::asprintf("%04X", version);
    v.insert(v.size() - 2, '.');
    std::printf("Firmware: %s\nBuild: %u\nRelease: %s\nTool ID: %d\n", qPrintable(v), build,
                qPrintable(releaseText(release)), FSession->HidTool().LastDevID());
    return kExitOk;
}

int CliApp::cmdRead()
{
    const std::uint8_t address = *hexByte(FOptions.args[0]);
    const std::uint8_t count = FOptions.args.size() > 1 ? *hexByte(FOptions.args[1]) : 1;
    if (!prepareChip()) {
        powerOff();
        return kExitTool;
    }
    std::vector<std::uint8_t> bytes;
    const bool ok = FSession->HandleRes(FSession->ReadRegisters(address, count, bytes));
    powerOff();
    if (!ok)
        return kExitTool;
    QStringList out;
    for (std::uint8_t b : bytes)
        out << QString::asprintf("%02X", b);
    std::printf("%s\n", qPrintable(out.join(' ')));
    return kExitOk;
}

int CliApp::cmdWrite()
{
    std::vector<std::uint8_t> buffer;
    for (const QString& v : FOptions.args)
        buffer.push_back(*hexByte(v));
    if (!prepareChip()) {
        powerOff();
        return kExitTool;
    }
    const bool ok = FSession->HandleRes(FSession->WriteRegisters(buffer));
    powerOff();
    return ok ? kExitOk : kExitTool;
}

int CliApp::cmdReadSettings()
{
    if (!prepareChip() || !FSession->ReadFromDevice(false)) {
        powerOff();
        return kExitTool;
    }
    FSession->ResetDefault();
    powerOff();
    if (FOptions.args.size() == 2) {
        const int before = FErrors;
        FSession->SaveSettingsTo(FOptions.args[1]);
        return FErrors == before ? kExitOk : kExitFile;
    }
    for (const TSettingsGroup g : kIniOrder) {
        const auto& desc = groupDesc(g);
        QStringList values;
        for (const std::int32_t v : FSession->Settings().previous(g))
            values << QString::asprintf("%02X", v & 0xFF);
        std::printf("%-12s %s\n",
                    qPrintable(QString::fromLatin1(desc.IniSection.data(),
                                                   static_cast<int>(desc.IniSection.size())) +
                               ':'),
                    qPrintable(values.join(' ')));
    }
    return kExitOk;
}

int CliApp::cmdApply()
{
    if (!prepareChip()) {
        powerOff();
        return kExitTool;
    }
    const int before = FErrors;
    // What was written, as the message list reports it.
    QStringList applied;
    const QMetaObject::Connection report =
        QObject::connect(FSession.get(), &TSession::messageAdded, FContext.get(),
                         [&applied](const QString& text, TMessageType type) {
                             if (type == TMessageType::Info)
                                 applied << text;
                         });
    FSession->SetSettingsFile(FOptions.args[0].toStdString());
    FSession->LoadSettings();
    QObject::disconnect(report);
    powerOff();
    if (FErrors == before) {
        std::printf("Applied %s:\n", qPrintable(FOptions.args[0]));
        for (const QString& line : applied)
            std::printf("  %s\n", qPrintable(line));
        return kExitOk;
    }
    const bool fileProblem = FLastError == filemsg::kInvalidSettingsFile ||
                             FLastError == filemsg::kSettingsLoadError;
    return fileProblem ? kExitFile : kExitTool;
}

int CliApp::cmdStream()
{
    // The set-up of the "Setup" page (blocks, debug rows) before Start, so
    // that the first frame already has them.
    applyStreamSetup(FStreamSetup, FSession->Setup());
    FSession->Setup().snapshotStreaming();
    if (!FLogFile.isEmpty()) {
        TLogSelection columns;
        if (FStreamSetup.logColumns) {
            columns = *FStreamSetup.logColumns;
        } else {
            columns.qrd = columns.hall = columns.metal = true;
            columns.counts.fill(true);
            columns.lta.fill(true);
            columns.delta.fill(true);
            columns.prox.fill(true);
            columns.touch.fill(true);
        }
        columns.everyX = FEvery > 1;
        columns.sampleRate = FEvery > 1 ? FEvery : 1;
        FSession->settingsWindow().logSelection = columns;
    }
    FSession->StartButtonClick();
    if (!FSession->state().FIsStreaming)
        return kExitTool;
    if (!FLogFile.isEmpty()) {
        // "Start Log": streaming blocks the columns need are switched on.
        FPrompts.saveAs = FLogFile;
        if (!FSession->LogDataButtonClick() || !FSession->state().FDoLog) {
            FSession->StartButtonClick();
            return kExitFile;
        }
    }

    int count = 0;
    TStreamStats stats;
    if (FSimulation)
        stats.simulatorCpu = [sim = FSimulation] { return sim->threadCpuSeconds(); };
    stats.start(FSession->DevList().FramesMissed());
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);  // --seconds is a measuring interval
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(FSession.get(), &TSession::frameHandled, &loop, [&](bool) {
        // Frames of the batch that brought the last one still arrive before
        // the loop ends: --frames N prints and counts N.
        if (FFrames > 0 && count >= FFrames)
            return;
        ++count;
        stats.frame();
        if (FLogFile.isEmpty() && !FQuiet && printsFrame(count, FEvery))
            std::fputs(
                qPrintable(frameLine(count, FSession->Live(), FSession->Setup().streamLayout()) +
                           streamedRowsText(FSession->Setup(), FSession->Live()) + '\n'),
                stdout);
        if (FFrames > 0 && count >= FFrames)
            loop.quit();
    });
    // Streaming ends when the tool goes away as well.
    QObject::connect(FSession.get(), &TSession::buttonsChanged, &loop, [&] {
        if (!FSession->state().FIsStreaming)
            loop.quit();
    });
    // With --frames, a stream that stops delivering ends after a generous bound.
    const std::int64_t waitMs = FFrames > 0 ? std::max<std::int64_t>(10000, std::int64_t{FFrames} * 200)
                                            : static_cast<std::int64_t>(FSeconds * 1000);
    timer.start(static_cast<int>(std::min<std::int64_t>(waitMs, std::numeric_limits<int>::max())));
    loop.exec();
    const TStreamFigures figures = stats.figures(FSession->DevList().FramesMissed());
    if (FStats)
        std::fputs(formatStreamFigures(figures).c_str(), stdout);
    std::fflush(stdout);
    const bool complete = FFrames <= 0 || count >= FFrames;
    const bool logFailed = !FLogFile.isEmpty() && !FSession->state().FDoLog;
    if (FSession->state().FDoLog)
        FSession->SetupLogging();  // Stop Log
    if (FSession->state().FIsStreaming)
        FSession->StartButtonClick();  // Stop
    if (logFailed)
        return kExitFile;
    if (!complete) {
        printErr(QStringLiteral("mfs380a-cli: only %1 of %2 frames arrived").arg(count).arg(FFrames));
        return kExitTool;
    }
    return kExitOk;
}
