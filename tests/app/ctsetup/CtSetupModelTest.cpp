// The setup window's logic over a session on three simulated tools, with a
// stand-in firmware-update program that records how it was started.
#include "CtSetupModel.h"
#include "CtSetupTexts.h"
#include "InstalledPrograms.h"
#include "SessionRig.h"
#include "SessionTexts.h"
#include "SimulatedUpdater.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

namespace {

sim::ToolConfig tool(std::uint16_t pid, std::uint32_t version, std::uint8_t build,
                     std::uint8_t release, const char* serial)
{
    sim::ToolConfig c;
    c.productId = pid;
    c.firmware = {version, build, release};
    c.serialNumber = serial;
    c.dfuReturnMs = 300;
    return c;
}

// S1: HB110, S2: HB110A, S3: an unknown model.
struct SetupRig {
    explicit SetupRig(const QByteArray& minver, sim::ToolConfig first = tool(0x108, 0x0105, 20,
                                                                             0x0B, "S1"))
        : rig(first)
    {
        rig.backend.plug(tool(0x107, 0x0100, 2, 0x0C, "S2"));
        rig.backend.plug(tool(0x104, 0x0106, 20, 0x0B, "S3"));
        rig.pump();
        rig.installUpdater(minver);
        // The stand-in records its working folder and each argument on a line.
        const QString program = rig.updaterDir() + "/Kelvan Flashkit";
        QFile file(program);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("#!/bin/sh\nout=\"$(dirname \"$0\")/args.txt\"\n"
                   "{ pwd; for a in \"$@\"; do printf '<%s>\\n' \"$a\"; done; } > \"$out.part\"\n"
                   "mv \"$out.part\" \"$out\"\n");
        file.close();
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(programFolder());
        model = makeModel(ReadFirmwareMinimums(TIniInstalledPrograms(
            {rig.dir.path() + "/config/Kelvan/installed.ini"})));
    }
    std::unique_ptr<TCtSetupModel> makeModel(TFirmwareMinimums minimums)
    {
        auto m = std::make_unique<TCtSetupModel>(*rig.session, std::move(minimums), rig.prompts,
                                                 programFolder());
        m->attach();
        return m;
    }
    QString programFolder() const { return rig.dir.path() + "/program folder"; }
    // What the stand-in recorded: working folder, then "<argument>" lines.
    QStringList recorded()
    {
        const QString path = rig.updaterDir() + "/args.txt";
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(path) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        lines.removeAll(QString());
        file.remove();
        return lines;
    }
    bool startEnabled() const { return rig.session->buttons().startEnabled; }
    std::string currentSerial() const { return rig.session->HidTool().SerialNumber(); }
    QStringList shownTexts() const
    {
        QStringList out;
        for (const auto& s : rig.prompts.shown)
            out << s.text;
        return out;
    }

    SessionRig rig;
    std::unique_ptr<TCtSetupModel> model;
};

const QByteArray kMinVer = "[CT]\nHB110N=0106140B\nHB110A=0100020C\n";

TEST(CtSetupModel, ThreeToolsVerdictsStartAndToolLabel)
{
    SetupRig s(kMinVer);
    TCtSetupModel& m = *s.model;
    const TCtSetupView& v = m.view();
    ASSERT_EQ(v.rows.size(), 3u);
    EXPECT_TRUE(v.rows[0].checked);
    EXPECT_FALSE(v.rows[1].checked);

    // The checked HB110 runs 01.05: outdated, Start disabled, label asks for an update.
    EXPECT_EQ(v.FirmStatusLabel, "Firmware is outdated!");
    EXPECT_EQ(v.FWVersionEdit, "01.05");
    EXPECT_EQ(v.BuildEdit, "20");
    EXPECT_EQ(v.ReleaseEdit, "Beta");
    EXPECT_EQ(v.SerialEdit, "S1");
    EXPECT_TRUE(m.state().FOutdated);
    EXPECT_TRUE(m.NeedsAttention());
    EXPECT_FALSE(s.startEnabled());
    EXPECT_EQ(s.rig.session->toolLabel().style, TToolLabel::TStyle::Required);
    EXPECT_EQ(s.rig.session->toolLabel().hint, ctsetupmsg::kHintRequired);

    // Engineering mode never disables Start.
    s.rig.session->setEngineering(true);
    EXPECT_TRUE(s.startEnabled());
    s.rig.session->setEngineering(false);
    EXPECT_FALSE(s.startEnabled());

    // Showing the HB110A leaves the checked tool in use.
    m.DevListClick(1);
    EXPECT_EQ(v.FirmStatusLabel, "Firmware is up to date");
    EXPECT_EQ(v.statusLook.text, 0x008000u);
    EXPECT_EQ(v.PrefFirmLabel, "V01.00 Build 2 Release 0C");
    EXPECT_EQ(s.currentSerial(), "S1");
    EXPECT_FALSE(s.startEnabled());

    // Checking the second row of three: the only checked row, first among the
    // tools used before, in use, and Start follows its verdict.
    m.DevListClickCheck(1, true);
    EXPECT_FALSE(v.rows[0].checked);
    EXPECT_TRUE(v.rows[1].checked);
    EXPECT_FALSE(v.rows[2].checked);
    std::vector<std::string> prev;
    s.rig.session->Preferences().readPrevTools(prev);
    ASSERT_FALSE(prev.empty());
    EXPECT_EQ(prev[0], "S2");
    EXPECT_EQ(s.currentSerial(), "S2");
    EXPECT_TRUE(s.startEnabled());
    EXPECT_FALSE(m.NeedsAttention());
    EXPECT_EQ(s.rig.session->toolLabel().style, TToolLabel::TStyle::Tool);
    EXPECT_EQ(s.rig.session->toolLabel().text.toStdString(),
              s.rig.session->DevList().CTData().Name[1]);

    // The unknown model: unsupported, struck-through label, the window asks to be seen.
    QSignalSpy shown(&m, &TCtSetupModel::showRequested);
    m.DevListClickCheck(2, true);
    EXPECT_EQ(v.FirmStatusLabel, "Unsupported device");
    EXPECT_FALSE(v.UpdateEnabled);
    EXPECT_FALSE(s.startEnabled());
    EXPECT_EQ(s.rig.session->toolLabel().style, TToolLabel::TStyle::Unsupported);
    EXPECT_EQ(shown.count(), 1);
    s.rig.session->Preferences().readPrevTools(prev);
    EXPECT_EQ(prev, (std::vector<std::string>{"S3", "S2", "S1"}));
}

TEST(CtSetupModel, DeviceChangeShowsTheWindowForAnOutdatedTool)
{
    SetupRig s(kMinVer);
    QSignalSpy shown(s.model.get(), &TCtSetupModel::showRequested);
    s.rig.backend.plug(tool(0x103, 0x0127, 4, 0x0B, "S4"));
    s.rig.pump();
    EXPECT_EQ(s.model->view().rows.size(), 4u);
    EXPECT_EQ(shown.count(), 1);

    // Every tool unplugged: an empty list, nothing to start.
    for (const int key : s.rig.backend.tools())
        s.rig.backend.unplug(key);
    s.rig.pump();
    EXPECT_TRUE(s.model->view().rows.empty());
    EXPECT_EQ(s.model->view().NameLabel, "N/A");
    EXPECT_FALSE(s.model->view().Panel2Visible);
    EXPECT_FALSE(s.startEnabled());
}

TEST(CtSetupModel, MissingUpdateProgramIsAnErrorShownOnce)
{
    SetupRig s(kMinVer);
    s.model.reset();
    s.rig.prompts.shown.clear();
    TFirmwareMinimums none;
    s.model = s.makeModel(none);
    const TCtSetupView& v = s.model->view();
    EXPECT_EQ(v.FirmStatusLabel, "ERROR");
    EXPECT_FALSE(v.UpdateEnabled);
    EXPECT_FALSE(s.startEnabled());
    EXPECT_EQ(s.rig.session->toolLabel().style, TToolLabel::TStyle::Error);
    s.model->DevListClick(1);
    s.model->Activated();
    EXPECT_EQ(s.shownTexts(), QStringList{ctsetupmsg::kReinstall});

    // The custom update cannot send a tool into its loader without the program.
    const auto outcome = s.model->UpdateCustomButtonClick(
        [] { return std::optional<QString>("/tmp/x.dfu"); });
    EXPECT_EQ(outcome, TUpdateOutcome::NotInstalled);
    EXPECT_TRUE(s.rig.backend.tool(s.rig.toolKey).present());
}

TEST(CtSetupModel, StableUpdateWhenNoLocalFileAndBusyWhileItRuns)
{
    // 01.06 build 20 release 0A: the stable release equals the local one.
    SetupRig s(kMinVer, tool(0x108, 0x0106, 20, 0x0A, "S1"));
    TCtSetupModel& m = *s.model;
    EXPECT_EQ(m.view().FirmStatusLabel, "Firmware update is recommended");
    EXPECT_EQ(s.rig.session->toolLabel().style, TToolLabel::TStyle::Recommended);
    EXPECT_TRUE(m.state().FLocalPref);
    EXPECT_TRUE(m.state().FSameVersion);
    EXPECT_TRUE(m.state().UpdatePref);
    EXPECT_TRUE(s.startEnabled());

    EXPECT_EQ(m.UpdateButtonClick(), TUpdateOutcome::Started);
    EXPECT_EQ(s.recorded(), QStringList({s.rig.updaterDir(), "<Override>"}));
    EXPECT_EQ(s.shownTexts(), QStringList{ctsetupmsg::kConfirmUpdate});
    EXPECT_TRUE(s.rig.hasMessage(sessionmsg::kUpdatingFirmware));
    EXPECT_TRUE(s.rig.session->state().FUpdating);
    EXPECT_EQ(s.rig.session->state().DeviceSerial, "S1");

    // While it runs: no second update; closing asks, and only Cancel closes.
    EXPECT_EQ(m.StableUpdate(), TUpdateOutcome::Busy);
    EXPECT_EQ(s.shownTexts().last(), ctsetupmsg::kUpdateBusy);
    s.rig.prompts.answers = {TDialogResult::Ok, TDialogResult::Cancel};
    EXPECT_FALSE(m.CloseQuery());
    EXPECT_TRUE(m.CloseQuery());
    EXPECT_EQ(s.shownTexts().last(), ctsetupmsg::kCloseWhileUpdating);
}

TEST(CtSetupModel, LocalFileUpdateEntersTheLoaderAndTheToolComesBack)
{
    SetupRig s(kMinVer, tool(0x108, 0x0106, 20, 0x0A, "S1"));
    QFile(s.programFolder() + "/0 HB110A.dfu").open(QIODevice::WriteOnly);
    QFile(s.programFolder() + "/HB110 v1.06 'b20'.dfu").open(QIODevice::WriteOnly);

    // Declined: nothing sent, nothing started.
    s.rig.prompts.answers = {TDialogResult::No};
    EXPECT_EQ(s.model->UpdateButtonClick(), TUpdateOutcome::Declined);
    EXPECT_FALSE(s.rig.session->state().FUpdating);

    EXPECT_EQ(s.model->UpdateButtonClick(), TUpdateOutcome::Started);
    EXPECT_EQ(s.recorded(),
              QStringList({s.programFolder(), "<HB110 v1.06 'b20'.dfu>", "<Y>"}));
    // EnterDFU: the tool leaves the bus and comes back.
    s.rig.run(200);
    EXPECT_EQ(s.rig.session->DevList().CTData().Count, 2);
    EXPECT_FALSE(s.rig.hasMessage(sessionmsg::kFirmwareUpdated));
    s.rig.run(400);
    EXPECT_EQ(s.rig.session->DevList().CTData().Count, 3);
    EXPECT_TRUE(s.rig.hasMessage(sessionmsg::kFirmwareUpdated));
    EXPECT_FALSE(s.rig.session->state().FUpdating);
    EXPECT_EQ(s.currentSerial(), "S1");
}

TEST(CtSetupModel, CustomFileArrivesWhole)
{
    SetupRig s(kMinVer);
    // A cancelled file dialog asks nothing.
    EXPECT_EQ(s.model->UpdateCustomButtonClick([] { return std::nullopt; }),
              TUpdateOutcome::Declined);
    EXPECT_TRUE(s.rig.prompts.shown.empty());

    const QString file = s.rig.dir.path() + "/my \"new\" fw's $(x);.dfu";
    QFile(file).open(QIODevice::WriteOnly);
    s.model->DevListClick(1); // the HB110A is shown: it is the one updated
    const auto outcome =
        s.model->UpdateCustomButtonClick([&] { return std::optional<QString>(file); });
    EXPECT_EQ(outcome, TUpdateOutcome::Started);
    EXPECT_EQ(s.recorded(), QStringList({s.programFolder(), "<" + file + ">", "<Y>"}));
    EXPECT_EQ(s.shownTexts().last(),
              QString(ctsetupmsg::kConfirmCustomUpdate) + "my \"new\" fw's $(x);.dfu");
    EXPECT_EQ(s.rig.session->state().DeviceSerial, "S2");

    // An update runs: no file is asked for.
    bool asked = false;
    EXPECT_EQ(s.model->UpdateCustomButtonClick([&] {
        asked = true;
        return std::optional<QString>(file);
    }),
              TUpdateOutcome::Busy);
    EXPECT_FALSE(asked);
}

TEST(CtSetupModel, UpdateDoesNothingWithoutLocalFileWhenStableDiffers)
{
    // The stable release 01.05 is older than the local one: local preferred,
    // not the same, and no local file here.
    SetupRig s("[CT]\nHB110N=0105010B\n", tool(0x108, 0x0106, 20, 0x0A, "S1"));
    EXPECT_TRUE(s.model->state().FLocalPref);
    EXPECT_FALSE(s.model->state().FSameVersion);
    EXPECT_EQ(s.model->UpdateButtonClick(), TUpdateOutcome::NoLocalFile);
    EXPECT_TRUE(s.rig.prompts.shown.empty());
    EXPECT_FALSE(s.rig.session->state().FUpdating);
}

TEST(CtSetupModel, IdChangeGoesToTheShownToolAndClosingRestoresTheCheck)
{
    SetupRig s(kMinVer);
    s.model->DevListClick(1);
    s.model->CTIDSpinChange(5);
    const auto keys = s.rig.backend.tools();
    EXPECT_EQ(s.rig.backend.tool(keys[1]).toolId(), 5);
    EXPECT_EQ(s.rig.backend.tool(keys[0]).toolId(), 0);
    EXPECT_EQ(s.currentSerial(), "S1");

    // The checked row unchecked: closing checks it again and keeps its tool in use.
    s.model->DevListClickCheck(0, false);
    EXPECT_FALSE(s.model->view().rows[0].checked);
    s.model->DevListClick(2);
    EXPECT_TRUE(s.model->CloseQuery());
    s.model->Closed();
    EXPECT_TRUE(s.model->view().rows[0].checked);
    EXPECT_EQ(s.currentSerial(), "S1");
}

TEST(CtSetupModel, SimulatedUpdateProgramInstallsTheShippedFirmware)
{
    SetupRig s(kMinVer);
    s.model.reset();
    s.model = s.makeModel(simulatedUpdaterMinimums());
    useSimulatedUpdater(*s.model, *s.rig.session,
                        std::shared_ptr<sim::SimBackend>(&s.rig.backend, [](auto*) {}));
    EXPECT_EQ(s.model->view().FirmStatusLabel, "Firmware is outdated!");
    EXPECT_EQ(s.model->UpdateButtonClick(), TUpdateOutcome::Started);
    s.rig.run(600);
    EXPECT_TRUE(s.rig.hasMessage(sessionmsg::kFirmwareUpdated));
    EXPECT_EQ(s.model->view().FWVersionEdit, "01.06");
    EXPECT_EQ(s.model->view().FirmStatusLabel, "Firmware is up to date");
    EXPECT_TRUE(s.startEnabled());
}

} // namespace
