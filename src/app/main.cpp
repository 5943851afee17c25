// The MFS380A debug and display tool.
#include "DesktopEntry.h"
#include "GuiPrompts.h"
#include "InstanceChannel.h"
#include "MainWindow.h"
#include "MeasureRun.h"
#include "QtUiDispatcher.h"
#include "RecentFileHooks.h"
#include "Session.h"
#include "SimToolOption.h"
#include "ToolBackend.h"
#include "UpdateUrl.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QUrl>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mfs380a"));
    QApplication::setOrganizationName(QStringLiteral("Kelvan"));
    QApplication::setApplicationVersion(QStringLiteral(MFS_VERSION));
    QGuiApplication::setDesktopFileName(desktopEntryId());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("MFS380A debug and display tool"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"), QStringLiteral("Run on the built-in simulated tool and chip."));
    parser.addOption(simulate);
    const QCommandLineOption simRate(
        QStringLiteral("sim-rate"),
        QStringLiteral("The simulated tool streams <hz> frames per second (1 to 200000)."),
        QStringLiteral("hz"));
    parser.addOption(simRate);
    const TMeasureRunCommandLine measureOptions(parser);
    const QCommandLineOption simLoad(
        QStringLiteral("sim-load"),
        QStringLiteral("Load on the simulated chip's receive pins RX0 and RX1 in pF (default 8,5)."),
        QStringLiteral("PF0,PF1"));
    parser.addOption(simLoad);
    const QCommandLineOption simTool(
        QStringLiteral("sim-tool"),
        QStringLiteral("Simulate a tool with this product id, firmware and serial, e.g. "
                       "0x108:0106:20:0B (repeatable; implies --simulate)."),
        QString::fromLatin1(kSimToolSyntax));
    parser.addOption(simTool);
    const QCommandLineOption updateUrl(
        QStringLiteral("update-url"),
        QStringLiteral("Address of the update server's version list (HTTPS, or HTTP on this "
                       "machine)."),
        QStringLiteral("url"));
    parser.addOption(updateUrl);
    parser.process(app);
    const QUrl url =
        parser.isSet(updateUrl) ? QUrl(parser.value(updateUrl)) : defaultVersionListUrl();
    if (!isAllowedUpdateUrl(url)) {
        std::fprintf(stderr, "mfs380a: --update-url takes an HTTPS address, or HTTP on this "
                             "machine\n");
        return 2;
    }

    TToolBackendOptions backendOptions;
    backendOptions.simulate = parser.isSet(simulate) || parser.isSet(simTool);
    if (parser.isSet(simLoad)) {
        backendOptions.simLoad = parseSimLoad(parser.value(simLoad));
        if (!backendOptions.simLoad) {
            std::fprintf(stderr, "mfs380a: --sim-load needs two loads in pF, PF0,PF1, each above 0 "
                                 "and at most 100\n");
            return 2;
        }
    }
    for (const QString& value : parser.values(simTool)) {
        QString error;
        const auto tool = parseSimTool(value, error);
        if (!tool) {
            std::fprintf(stderr, "mfs380a: %s\n", qPrintable(error));
            return 2;
        }
        backendOptions.simTools.push_back(*tool);
    }
    TMeasureRunOptions measure;
    QString error;
    bool rateOk = true;
    backendOptions.simRate = parser.isSet(simRate) ? parser.value(simRate).toUInt(&rateOk) : 0;
    if (parser.isSet(simRate) && (!rateOk || backendOptions.simRate < 1 ||
                                  backendOptions.simRate > 200000 || !backendOptions.simulate))
        error = QStringLiteral("--sim-rate needs --simulate and a rate from 1 to 200000");
    if (!error.isEmpty() || !measureOptions.read(parser, measure, error)) {
        std::fprintf(stderr, "mfs380a: %s\n", qPrintable(error));
        return 2;
    }
    const TToolBackend tools = makeToolBackend(backendOptions);

    QObject context;
    QtUiDispatcher dispatcher(&context);
    GuiPrompts prompts(nullptr);
    TSessionConfig config;
    config.backend = tools.backend.get();
    config.dispatcher = &dispatcher;
    config.readerMode = HidReaderMode::Threaded;
    config.prompts = &prompts;
    config.appPath = shippedFilesDir();
    TSession session(config);

    TMainForm window(session, tools.simulation);
    window.setUpdateUrl(url);
    prompts.setParent(&window);
    prompts.recentFiles = recentFileHooks(session);

    // Other processes ask whether the program runs and can close it.
    InstanceServer instance;
    instance.listen();
    QObject::connect(&instance, &InstanceServer::closeRequested, &window, &QWidget::close);

    if (measure.any())
        new TMeasureRun(window, &prompts, tools.simulation, measure);  // owned by the window

    window.show();
    return app.exec();
}
