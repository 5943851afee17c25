#pragma once
// The engineering commands of mfs380a-cli: capacitance, read-indirect,
// write-indirect and otp-address, the same procedures as the settings
// window's engineering pages.

#include <QString>
#include <QStringList>

class TSession;

class CliEngineering {
public:
    static bool handles(const QString& command);
    // Checks the arguments before any tool is touched; kExitOk, or kExitUsage
    // with the message in usage.
    static int checkArguments(const QString& command, const QStringList& args, QString& usage);

    CliEngineering(TSession& session, QStringList args) : FSession(session), FArgs(std::move(args)) {}
    // Runs the command on an open session; returns the exit status.
    int run(const QString& command);

private:
    int capacitance();
    int readIndirect();
    int writeIndirect();
    int otpAddress();
    // Power On, the power-up wait and the address search.
    bool powerUp();
    void powerDown();

    TSession& FSession;
    QStringList FArgs;
};
