#include "CliFirmware.h"

#include "CliOptions.h"
#include "CtSetupModel.h"
#include "InstalledPrograms.h"
#include "Session.h"

#include <QFileInfo>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

void printErr(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The window's questions on the terminal: texts to standard error, Yes/No
// read from standard input unless --yes answered them already.
class TerminalPrompts final : public SessionPrompts {
public:
    explicit TerminalPrompts(bool yes) : FYes(yes) {}

    TDialogResult message(const QString& text, TDialogIcon, TDialogButtons buttons) override
    {
        printErr(text);
        if (buttons == TDialogButtons::Ok)
            return TDialogResult::Ok;
        if (buttons == TDialogButtons::OkCancel)
            return TDialogResult::Cancel;
        if (FYes)
            return TDialogResult::Yes;
        std::fprintf(stderr, "[y/N] ");
        std::fflush(stderr);
        std::string answer;
        if (!std::getline(std::cin, answer))
            return TDialogResult::No;
        return answer == "y" || answer == "Y" || answer == "yes" ? TDialogResult::Yes
                                                                 : TDialogResult::No;
    }
    std::optional<QString> saveFileName(const TFileDialogRequest&) override { return {}; }
    TStartupChoice startupMode(const QStringList&) override { return {}; }

private:
    bool FYes;
};

std::unique_ptr<TCtSetupModel> makeModel(TSession& session, SessionPrompts& prompts)
{
    auto model = std::make_unique<TCtSetupModel>(
        session, ReadFirmwareMinimums(*makeInstalledPrograms()), prompts,
        QString::fromStdString(session.appPath().string()));
    model->attach();
    return model;
}

} // namespace

QString checkUpdateFirmwareArguments(const QStringList& args)
{
    int files = 0;
    bool stable = false;
    for (const QString& a : args) {
        if (a == "--yes")
            continue;
        if (a == "--stable")
            stable = true;
        else if (a.startsWith('-'))
            return QStringLiteral("unknown update-firmware option ") + a;
        else
            ++files;
    }
    if (files > 1 || (files == 1 && stable))
        return QStringLiteral("update-firmware takes [--stable | FILE.dfu] [--yes]");
    return {};
}

int runToolsCheck(TSession& session)
{
    // Questions are not asked here: the reinstall notice goes to standard error.
    TerminalPrompts prompts(false);
    const auto model = makeModel(session, prompts);
    const TCTData& t = session.DevList().CTData();
    const int checked = model->state().FCheckedItem;
    for (int i = 0; i < t.Count; ++i) {
        model->UpdateDetails(i);
        const TCtSetupView& v = model->view();
        const auto k = static_cast<std::size_t>(i);
        std::printf("%d\t%s\t%04X\t%s\t%s\t%s\t%s\t%s\n", i, t.Name[k].c_str(),
                    static_cast<unsigned>(std::stoul(t.ProductID[k])), t.SerialNumber[k].c_str(),
                    qPrintable(v.FWVersionEdit), qPrintable(v.BuildEdit),
                    qPrintable(v.ReleaseEdit), qPrintable(v.FirmStatusLabel));
    }
    if (checked >= 0 && checked < t.Count)
        model->UpdateDetails(checked);
    std::fflush(stdout);
    return kExitOk;
}

int runUpdateFirmware(TSession& session, const QStringList& args)
{
    const bool yes = args.contains("--yes");
    const bool stable = args.contains("--stable");
    QString file;
    for (const QString& a : args) {
        if (!a.startsWith('-'))
            file = a;
    }
    if (!file.isEmpty() && !QFileInfo(file).isFile()) {
        printErr(QStringLiteral("mfs380a-cli: cannot read %1").arg(file));
        return kExitFile;
    }

    TerminalPrompts prompts(yes);
    const auto model = makeModel(session, prompts);
    const TFirmwareMinimums& m = model->minimums();
    if (!m.FUpdaterInstalled) {
        printErr(QStringLiteral("mfs380a-cli: the firmware update program is not installed "
                                "(no %1 in the %2 entry of the installed programs)")
                     .arg(updaterExecutableName(), QString::fromLatin1(kUpdaterProductKey)));
        return kExitTool;
    }

    TUpdateOutcome outcome;
    if (!file.isEmpty()) {
        outcome = model->UpdateCustomButtonClick([&] { return std::optional<QString>(file); });
    } else if (stable) {
        outcome = model->StableUpdate();
    } else {
        if (!model->view().UpdateEnabled) {
            printErr(QStringLiteral("mfs380a-cli: %1: %2")
                         .arg(model->view().NameLabel, model->view().FirmStatusLabel));
            return kExitTool;
        }
        outcome = model->UpdateButtonClick();
    }

    switch (outcome) {
    case TUpdateOutcome::Started:
        std::printf("Updating Firmware...\n");
        return kExitOk;
    case TUpdateOutcome::Declined:
        printErr(QStringLiteral("mfs380a-cli: no firmware update started"));
        return kExitTool;
    case TUpdateOutcome::NoLocalFile:
        printErr(QStringLiteral("mfs380a-cli: no firmware file for this tool in %1")
                     .arg(QString::fromStdString(session.appPath().string())));
        return kExitTool;
    default:
        return kExitTool; // the reason is in the session's error messages
    }
}
