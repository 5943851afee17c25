#include "CommandLogs.h"

#include "EasyShowSendForm.h"
#include "SendCommands.h"
#include "Session.h"

#include <vector>

namespace {

void showWindow(QWidget* w)
{
    if (w->isMinimized())
        w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}

// The data bytes of a register write as the session reports them ("5A 01").
std::vector<std::uint8_t> writeBuffer(std::uint8_t address, const QString& data)
{
    std::vector<std::uint8_t> buffer{address};
    for (const QString& byte : data.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint v = byte.toUInt(&ok, 16);
        if (ok && v <= 0xFF)
            buffer.push_back(static_cast<std::uint8_t>(v));
    }
    return buffer;
}

} // namespace

TCommandLogs::TCommandLogs(TSession& session, QWidget* owner)
    : QObject(owner), FSession(session),
      FSendCommands(std::make_unique<TSendCommands>(session.Preferences(), owner)),
      FEasyShowSendForm(std::make_unique<TEasyShowSendForm>(owner))
{
    connect(FSendCommands.get(), &TSendCommands::closed, this, [this] {
        disconnect(FReports);
        FReports = {};
    });
    connect(FEasyShowSendForm.get(), &TEasyShowSendForm::closed, this, [this] {
        disconnect(FWrites);
        FWrites = {};
    });
}

TCommandLogs::~TCommandLogs()
{
    disconnect(FReports);
    disconnect(FWrites);
}

void TCommandLogs::showSendCommands()
{
    if (!FReports)
        FReports = connect(&FSession, &TSession::commandSent, FSendCommands.get(),
                           &TSendCommands::ShowSentCommand);
    showWindow(FSendCommands.get());
}

void TCommandLogs::showEasyShowSend()
{
    if (!FWrites)
        FWrites = connect(&FSession, &TSession::registerWriteLogged, FEasyShowSendForm.get(),
                          [this](std::uint8_t address, int count, const QString& data) {
                              const auto buffer = writeBuffer(address, data);
                              FEasyShowSendForm->AddCommand(1, address, buffer, count);
                          });
    showWindow(FEasyShowSendForm.get());
}
