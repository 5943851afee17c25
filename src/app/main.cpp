// The MFS380A debug and display tool.
#include "DesktopEntry.h"
#include "GuiPrompts.h"
#include "InstanceChannel.h"
#include "MainWindow.h"
#include "MeasureRun.h"
#include "QtUiDispatcher.h"
#include "Session.h"
#include "ToolBackend.h"

#include <QApplication>
#include <QCommandLineParser>
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
    parser.process(app);

    TToolBackendOptions backendOptions;
    backendOptions.simulate = parser.isSet(simulate);
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
    prompts.setParent(&window);
    prompts.addRecentFile = [&session](const QString& path, QStringList& names) {
        const int index = session.BrowseSettingsFile(path.toStdString());
        names.clear();
        for (const auto& name : session.Recent().names())
            names << QString::fromStdString(name);
        return index;
    };

    // Other processes ask whether the program runs and can close it.
    InstanceServer instance;
    instance.listen();
    QObject::connect(&instance, &InstanceServer::closeRequested, &window, &QWidget::close);

    if (measure.any())
        new TMeasureRun(window, &prompts, tools.simulation, measure);  // owned by the window

    window.show();
    return app.exec();
}
