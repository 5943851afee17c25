#include "SessionRig.h"

SessionRig::SessionRig(const sim::ToolConfig& tool, bool plugTool, std::filesystem::path appPath)
{
    if (plugTool)
        toolKey = backend.plug(tool);
    TSessionConfig config;
    config.backend = &backend;
    config.dispatcher = &dispatcher;
    config.readerMode = HidReaderMode::Manual;
    config.clock = &backend.clock();
    config.prompts = &prompts;
    config.appPath = appPath;
    config.preferencesFile = (dir.path() + "/KelvanMFS380A.ini").toStdString();
    session = std::make_unique<TSession>(config);
    QObject::connect(session.get(), &TSession::frameHandled, [this](bool) { ++frameCount; });
    pump();
}

SessionRig::~SessionRig()
{
    session.reset();
}

void SessionRig::pump()
{
    dispatcher.runAll();
    session->PollReaders();
    dispatcher.runAll();
}

void SessionRig::run(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        backend.advance(5);
        pump();
    }
}

QStringList SessionRig::messageTexts() const
{
    QStringList out;
    for (const auto& m : session->messages())
        out << m.text;
    return out;
}

bool SessionRig::hasMessage(const QString& text) const
{
    return messageTexts().contains(text);
}

void SessionRig::startStreaming()
{
    session->StartButtonClick();
    run(300);
}
