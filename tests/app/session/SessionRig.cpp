#include "SessionRig.h"

#include <QDir>
#include <QFile>

SessionRig::SessionRig(const sim::ToolConfig& tool, bool plugTool, std::filesystem::path appPath)
{
    installUpdater({});
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

void SessionRig::installUpdater(const QByteArray& minver)
{
    const QString config = dir.path() + "/config";
    QDir().mkpath(config + "/Kelvan");
    QDir().mkpath(updaterDir());
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    };
    const QString program = updaterDir() + "/Kelvan Flashkit";
    write(program, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    write(updaterDir() + "/minver.ini", minver);
    write(config + "/Kelvan/installed.ini",
          "[Kelvan_Flashkit]\nInstall_Dir=" + updaterDir().toUtf8() + "\nVersion=V1.0.0.1\n");
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    qputenv("XDG_CONFIG_DIRS", (dir.path() + "/none").toUtf8());
}
