#include "CliRun.h"

#include <QCoreApplication>
#include <QProcess>

QProcessEnvironment cliEnvironment(const QString& dataHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    return env;
}

TCliRun runCli(const QStringList& args, const QProcessEnvironment& env, int timeoutMs)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MFS_CLI_PATH), args);
    p.closeWriteChannel(); // no answers on standard input
    for (int waited = 0; waited < timeoutMs && p.state() != QProcess::NotRunning; waited += 10) {
        QCoreApplication::processEvents();
        p.waitForFinished(10);
    }
    TCliRun r;
    if (p.error() == QProcess::FailedToStart)
        return r;
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
