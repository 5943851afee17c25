// Settings transfer, frame handling rules and files against the simulated chip.
#include "FieldTable.h"
#include "SessionRig.h"
#include "SessionTexts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> registers(SessionRig& rig, std::uint8_t address, std::uint8_t count)
{
    std::vector<std::uint8_t> v;
    EXPECT_EQ(rig.session->ReadRegisters(address, count, v), 0);
    return v;
}

// The writes (command 0x0B) sent while f runs: register address first.
std::vector<std::vector<int>> writesDuring(SessionRig& rig, const std::function<void()>& f)
{
    std::vector<std::vector<int>> writes;
    auto c = QObject::connect(rig.session.get(), &TSession::commandSent, [&](const QString& line) {
        const QStringList b = line.split(' ', Qt::SkipEmptyParts);
        if (b[2] != "0B")
            return;
        std::vector<int> w;
        for (int i = 0; i < b[3].toInt(nullptr, 16); ++i)
            w.push_back(b[4 + i].toInt(nullptr, 16));
        writes.push_back(w);
    });
    f();
    QObject::disconnect(c);
    return writes;
}

TEST(SessionTransfer, ReadAllHandsTheChipsRegistersToTheModel)
{
    SessionRig rig;
    rig.startStreaming();
    ASSERT_TRUE(rig.session->ReadFromDevice(false));
    EXPECT_FALSE(rig.session->state().FGuiUpdate);
    EXPECT_FALSE(rig.session->state().FLoadingSettings);
    for (const TSettingsGroup g : kAllGroups) {
        const auto& desc = groupDesc(g);
        const auto prev = rig.session->Settings().previous(g);
        for (std::size_t i = 0; i < desc.ElementCount; ++i) {
            const auto v = registers(rig, desc.Registers[i], 1);
            EXPECT_EQ(prev[i], v[0]) << desc.Name << " register " << int(desc.Registers[i]);
        }
    }
    // The stream goes on after the read (six frames later).
    const int frames = rig.frames();
    rig.run(300);
    EXPECT_GT(rig.frames(), frames);
}

TEST(SessionTransfer, GroupWriteWhileStreamingReachesTheChipAndChangesTheFlags)
{
    SessionRig rig;
    rig.startStreaming();
    ASSERT_TRUE(rig.session->ReadFromDevice(false));
    rig.session->ResetDefault();
    // A low touch threshold on channel 0 and a finger on it.
    auto& model = rig.session->Settings();
    model.setFieldValue(TFieldId::Prox0, 4);
    model.setFieldValue(TFieldId::Touch0, 8);
    ASSERT_TRUE(model.detectChange(TSettingsGroup::PxsUI));
    ASSERT_TRUE(rig.session->ApplyButtonClick());
    EXPECT_TRUE(rig.hasMessage("Prox UI setup updated"));
    EXPECT_FALSE(model.isChanged(TSettingsGroup::PxsUI));
    const auto written = registers(rig, 0x60, 2);
    EXPECT_EQ(written[0], model.current(TSettingsGroup::PxsUI)[0]);
    EXPECT_EQ(written[1], model.current(TSettingsGroup::PxsUI)[1]);

    rig.backend.tool(rig.toolKey).setFinger(0, 1.0);
    rig.run(1500);
    EXPECT_TRUE(rig.session->Live().FTouchBools[0]);
    EXPECT_TRUE(rig.session->state().FIsStreaming);
}

TEST(SessionTransfer, RedoAtiWhilePausedWritesBitOneAndStaysPaused)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->PauseButtonClick();
    const auto device0 = rig.session->Settings().current(TSettingsGroup::Device)[0];
    const auto writes = writesDuring(rig, [&] { rig.session->RedoATIButtonClick(); });
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0][0], 0xD0);
    EXPECT_EQ(writes[0][1], (device0 | 0x02) & 0xFF);
    EXPECT_EQ(writes[1][0], 0xD2);
    EXPECT_FALSE(rig.session->state().FRedoATI);
    EXPECT_TRUE(rig.session->state().FIsPaused);
    EXPECT_EQ(rig.session->buttons().pauseCaption, "Resume");
    const int frames = rig.frames();
    rig.run(200);
    EXPECT_EQ(rig.frames(), frames);
}

TEST(SessionTransfer, ChannelBoxesWriteTheEnableMaskUnlessSettingsAreLoading)
{
    SessionRig rig;
    rig.startStreaming();
    auto writes = writesDuring(rig, [&] { rig.session->ChannelCheckClick(2, false); });
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (std::vector<int>{0xD1, 0x3B}));
    EXPECT_EQ(rig.session->state().FChEnDis, 0x3B);
    EXPECT_EQ(registers(rig, 0xD1, 1)[0], 0x3B);

    writes = writesDuring(rig, [&] { rig.session->AllCheckClick(true); });
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes[0], (std::vector<int>{0xD1, 0x3F}));
    EXPECT_EQ(writes[1][0], 0xD0);  // ticking all redoes ATI
    EXPECT_TRUE(writes[1][1] & 0x02);
}

TEST(SessionTransfer, ShowResetReportsAResetOnlyFromTheSixthFrame)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->ShowResetButtonClick();
    EXPECT_FALSE(rig.session->buttons().showResetEnabled);
    // Frames with the reset flag, in the layout of the stream table in force.
    const TStreamLayout& layout = rig.session->Setup().streamLayout();
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(layout.frameSize()), 0);
    frame[0] = 0x0F;
    frame[static_cast<std::size_t>(layout.SysFlagsStartIndex)] = 0x80;
    const auto before = rig.session->messages().size();
    for (int i = 0; i < 5; ++i)
        rig.session->HandleFrame(static_cast<std::uint16_t>(frame.size()), 0, frame.data());
    EXPECT_EQ(rig.session->messages().size(), before);
    rig.session->HandleFrame(static_cast<std::uint16_t>(frame.size()), 0, frame.data());
    EXPECT_TRUE(rig.hasMessage(sessionmsg::kResetOccurred));
    EXPECT_TRUE(rig.session->buttons().showResetEnabled);
    ASSERT_FALSE(rig.prompts.shown.empty());
    EXPECT_EQ(rig.prompts.shown.back().text, sessionmsg::kResetOccurred);
}

TEST(SessionTransfer, FramesOfAnotherToolAreIgnored)
{
    SessionRig rig;
    rig.startStreaming();
    const TStreamLayout& layout = rig.session->Setup().streamLayout();
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(layout.frameSize()), 0);
    frame[0] = 0x2F;  // tool 2
    const int frames = rig.frames();
    rig.session->HandleFrame(static_cast<std::uint16_t>(frame.size()), 2, frame.data());
    EXPECT_EQ(rig.frames(), frames);
    frame[0] = 0x0F;
    rig.session->HandleFrame(static_cast<std::uint16_t>(frame.size()), 0, frame.data());
    EXPECT_EQ(rig.frames(), frames + 1);
}

TEST(SessionTransfer, SettingsFileAppliedAndReadBack)
{
    SessionRig rig;
    rig.startStreaming();
    ASSERT_TRUE(rig.session->ReadFromDevice(false));
    rig.session->ResetDefault();
    auto& model = rig.session->Settings();
    model.setFieldValue(TFieldId::Prox1, 21);
    model.detectChange(TSettingsGroup::PxsUI);
    const QString file = rig.dir.path() + "/tuned.ini";
    ASSERT_TRUE(rig.session->SaveSettingsTo(file));
    EXPECT_TRUE(rig.hasMessage("Settings saved successfully"));
    ASSERT_EQ(rig.session->Recent().size(), 1u);
    // Saving again does not list the file twice.
    ASSERT_TRUE(rig.session->SaveSettingsTo(file));
    EXPECT_EQ(rig.session->Recent().size(), 1u);

    // Undo the edit in the model, then apply the file: the chip gets it.
    rig.session->CancelButtonClick();
    ASSERT_NE(model.fieldValue(TFieldId::Prox1), 21);
    rig.session->SelectRecentSettings(0);
    rig.session->LoadSettings();
    EXPECT_TRUE(rig.hasMessage("Settings loaded successfully"));
    const auto saved = std::vector<std::int32_t>(model.current(TSettingsGroup::PxsUI).begin(),
                                                 model.current(TSettingsGroup::PxsUI).end());
    ASSERT_TRUE(rig.session->ReadFromDevice(false));
    EXPECT_EQ(model.fieldValue(TFieldId::Prox1), 21);
    EXPECT_EQ(std::vector<std::int32_t>(model.previous(TSettingsGroup::PxsUI).begin(),
                                        model.previous(TSettingsGroup::PxsUI).end()),
              saved);
}

TEST(SessionTransfer, FileForAnotherChipIsRefusedWithBothMessages)
{
    SessionRig rig;
    rig.startStreaming();
    const QString file = rig.dir.path() + "/other.ini";
    {
        std::ofstream out(file.toStdString());
        out << "[IC]\r\nDevice=MFS240\r\n";
    }
    rig.session->SaveSettingsTo(rig.dir.path() + "/x.ini");  // adds a recent entry
    rig.session->SetSettingsFile(file.toStdString());
    rig.session->LoadSettings();
    EXPECT_TRUE(rig.hasMessage("Invalid settings file selected!"));
    ASSERT_FALSE(rig.prompts.shown.empty());
    EXPECT_EQ(rig.prompts.shown.back().text,
              "The selected settings file is invalid or meant for a different device.");
}

TEST(SessionTransfer, LoadTxtWritesEachLineThenReadsEverything)
{
    QTemporaryDir app;
    {
        std::ofstream out((app.path() + "/load.txt").toStdString());
        out << "40,12,34\r\n60,05\r\nzz\r\n\r\n61,FF\r\n";
    }
    SessionRig rig({}, true, app.path().toStdString());
    rig.startStreaming();
    const auto writes = writesDuring(rig, [&] { rig.session->LoadButtonClick(); });
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], (std::vector<int>{0x40, 0x12, 0x34}));
    EXPECT_EQ(writes[1], (std::vector<int>{0x60, 0x05}));
    EXPECT_EQ(rig.session->Settings().previous(TSettingsGroup::PxsSetup)[0], 0x12);
    EXPECT_EQ(rig.session->Settings().previous(TSettingsGroup::PxsUI)[0], 0x05);

    // A field that is not hexadecimal: nothing is written.
    {
        std::ofstream out((app.path() + "/load.txt").toStdString());
        out << "60,07\r\n60,G1\r\n";
    }
    EXPECT_TRUE(writesDuring(rig, [&] { rig.session->LoadButtonClick(); }).empty());
    EXPECT_EQ(rig.messageTexts().back(), "Error loading input file 'load.txt'.");
}

TEST(SessionTransfer, HeaderExportAndDataLogFromAStreamingSession)
{
    SessionRig rig;
    rig.startStreaming();
    const QString header = rig.dir.path() + "/MFS380A_Init.h";
    ASSERT_TRUE(rig.session->ExportHFileTo(header));
    QFile h(header);
    ASSERT_TRUE(h.open(QIODevice::ReadOnly));
    EXPECT_TRUE(h.readAll().contains("#define ACTIVE_CHS\t\t\t\t\t\t\t0x3F\r\n"));

    rig.session->settingsWindow().logSelection.everyX = true;
    rig.session->settingsWindow().logSelection.sampleRate = 5;
    const QString log = rig.dir.path() + "/log.txt";
    ASSERT_TRUE(rig.session->StartLogTo(log));
    EXPECT_EQ(rig.session->buttons().logCaption, "Stop Log");
    const int frames = rig.frames();
    rig.run(500);
    const int logged = (rig.frames() - frames) / 5;
    {
        // On disk while logging: lines of one millisecond go together, the
        // last ones by a timer.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 50)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QFile l(log);
        ASSERT_TRUE(l.open(QIODevice::ReadOnly));
        EXPECT_EQ(l.readAll().count('\n'), logged + 1);
    }
    rig.prompts.saveAs.reset();
    rig.session->SetupLogging();  // Stop Log
    EXPECT_TRUE(rig.hasMessage("Data log stopped"));
    QFile l(log);
    ASSERT_TRUE(l.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = l.readAll().split('\n');
    EXPECT_TRUE(lines[0].startsWith("Time Stamp\tTime Difference (ms)\tSAR Quick Release"));
    EXPECT_EQ(lines.size() - 2, logged);  // header, lines, empty tail
}

TEST(SessionTransfer, DataLogWriteFailureStopsTheLogWithAnError)
{
    SessionRig rig;
    rig.startStreaming();
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // /dev/full may take the header into a buffer and refuse only the flush:
    // either the start fails or the first line stops the log. Never silent.
    const bool started = rig.session->StartLogTo("/dev/full");
    rig.run(100);
    EXPECT_FALSE(rig.session->state().FDoLog);
    EXPECT_EQ(rig.session->buttons().logCaption, "Start Log");
    EXPECT_TRUE(rig.hasMessage(started ? "Data log stopped: unable to write to the log file!"
                                       : "Unabled to start data log!"));
}

}  // namespace

// A device write whose 0xD0 part carried a one-shot command and whose 0xD2
// part failed: the command was sent, so the next device write must not send
// it again.
TEST(SessionTransfer, OneShotCommandIsSentOnceWhenALaterPartFails)
{
    SessionRig rig;
    rig.startStreaming();
    ASSERT_TRUE(rig.session->ReadFromDevice(false));
    auto tool = rig.backend.tool(rig.toolKey);
    // The write after the one to 0xD0 gets an error reply.
    auto arm = QObject::connect(rig.session.get(), &TSession::commandSent,
                                [&](const QString& line) {
                                    const QStringList b = line.split(' ', Qt::SkipEmptyParts);
                                    if (b[2] == "0B" && b[4] == "D0")
                                        tool.failNextCommand(3);
                                });
    const auto first = writesDuring(rig, [&] { rig.session->RedoATIButtonClick(); });
    QObject::disconnect(arm);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0][1] & 0x02, 0x02);
    EXPECT_FALSE(rig.session->state().FRedoATI);

    const auto second = writesDuring(rig, [&] {
        EXPECT_TRUE(rig.session->WriteGroup(TSettingsGroup::Device));
    });
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0][0], 0xD0);
    EXPECT_EQ(second[0][1] & 0x02, 0);
}
