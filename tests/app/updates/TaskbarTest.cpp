// The taskbar progress decided from the update rows, and the launcher-entry
// signal that carries it on a D-Bus session bus.
#include "TaskbarController.h"

#ifdef MFS_HAVE_DBUS
#include "DesktopEntry.h"
#include "LauncherEntryProgress.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#endif
#include <QTest>
#include <gtest/gtest.h>

namespace {

TTaskbarRow downloading(int position)
{
    return {false, true, false, position};
}
const TTaskbarRow kFailed{true, false, false, 0};
const TTaskbarRow kReady{false, false, true, 100};
const TTaskbarRow kWaiting{};

TTaskbarInput rows(std::vector<TTaskbarRow> r)
{
    TTaskbarInput in;
    in.rows = std::move(r);
    in.windowVisible = in.windowShowing = true;
    return in;
}

TEST(TaskbarStep, DownloadsShowTheirMeanUnlessOneFailedAfterThem)
{
    EXPECT_EQ(meanRoundedToEven(91, 2), 46); // 45.5: to the even neighbour
    EXPECT_EQ(meanRoundedToEven(89, 2), 44); // 44.5
    EXPECT_EQ(meanRoundedToEven(100, 3), 33);
    EXPECT_EQ(meanRoundedToEven(200, 3), 67);

    TTaskbarStep s = taskbarStep(rows({downloading(30), kWaiting, downloading(61)}));
    EXPECT_EQ(s.action, TTaskbarStep::TAction::Set);
    EXPECT_EQ(s.state, TTaskbarState::Normal);
    EXPECT_EQ(s.percent, 46);

    s = taskbarStep(rows({downloading(30), kFailed}));
    EXPECT_EQ(s.state, TTaskbarState::Error);
    EXPECT_EQ(s.percent, 100);
    EXPECT_EQ(s.taskBarState, TTaskbarState::Error);

    // A download after the failed row shows again (the failed row's error waits).
    s = taskbarStep(rows({kFailed, downloading(40), kReady}));
    EXPECT_EQ(s.state, TTaskbarState::Normal);
    EXPECT_EQ(s.percent, 40);
}

TEST(TaskbarStep, ReadyInstallersNoRowsAndIdle)
{
    TTaskbarInput in = rows({kReady, kWaiting});
    in.windowVisible = in.windowShowing = false;
    TTaskbarStep s = taskbarStep(in);
    EXPECT_TRUE(s.openWindow);
    EXPECT_EQ(s.state, TTaskbarState::Indeterminate);
    EXPECT_TRUE(s.startTimer);
    // The timer's refresh: a full bar; removed when the window is minimised.
    in.taskBarState = TTaskbarState::Indeterminate;
    in.windowVisible = in.windowShowing = true;
    s = taskbarStep(in);
    EXPECT_EQ(s.state, TTaskbarState::Normal);
    EXPECT_EQ(s.percent, 100);
    EXPECT_FALSE(s.startTimer);
    in.windowShowing = false;
    EXPECT_EQ(taskbarStep(in).action, TTaskbarStep::TAction::Clear);

    // An automatic check whose window stays closed changes nothing.
    in.automaticCheck = true;
    in.onlyMain = true;
    EXPECT_EQ(taskbarStep(in).action, TTaskbarStep::TAction::Nothing);
    in.hasMainRow = true;
    EXPECT_NE(taskbarStep(in).action, TTaskbarStep::TAction::Nothing);

    TTaskbarInput none = rows({});
    EXPECT_EQ(taskbarStep(none).action, TTaskbarStep::TAction::Nothing);
    none.updaterError = true;
    EXPECT_EQ(taskbarStep(none).state, TTaskbarState::Error);

    TTaskbarInput idle = rows({kWaiting});
    idle.webGuiUpdate = true;
    EXPECT_EQ(taskbarStep(idle).state, TTaskbarState::Paused);
    idle.windowShowing = false;
    EXPECT_EQ(taskbarStep(idle).state, TTaskbarState::NoProgress);
}

struct RecordingSink : TTaskbarProgress {
    void setProgress(TTaskbarState state, int percent) override { calls.emplace_back(state, percent); }
    std::vector<std::pair<TTaskbarState, int>> calls;
};

TEST(TaskbarController, TheReadyStateTurnsIntoAFullBarAfterTheTimer)
{
    RecordingSink sink;
    TTaskbarInput in = rows({kReady});
    TTaskbarController taskbar(sink, [&in] { return in; });
    taskbar.downloadCompleteTimer().setInterval(10);
    taskbar.refresh();
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].first, TTaskbarState::Indeterminate);
    for (int i = 0; i < 500 && sink.calls.size() < 2; ++i)
        QTest::qWait(10);
    ASSERT_EQ(sink.calls.size(), 2u);
    EXPECT_EQ(sink.calls[1], std::make_pair(TTaskbarState::Normal, 100));
    taskbar.clear();
    EXPECT_EQ(sink.calls.back().first, TTaskbarState::NoProgress);
    EXPECT_EQ(taskbar.taskBarState(), TTaskbarState::NoProgress);
}

#ifdef MFS_HAVE_DBUS
// A private session bus with a monitor on it: the launcher entry's signal as
// a dock receives it.
TEST(LauncherEntry, ProgressTravelsAsTheUpdateSignal)
{
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    const QString monitorProgram = QStandardPaths::findExecutable("dbus-monitor");
    if (daemon.isEmpty() || monitorProgram.isEmpty())
        GTEST_SKIP() << "dbus-daemon or dbus-monitor is not installed";
    QProcess bus;
    bus.start(daemon, {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    QProcess monitor;
    monitor.start(monitorProgram,
                  {"--address", address, "interface='com.canonical.Unity.LauncherEntry'"});
    QByteArray seen;
    auto watch = [&](const char* what, int count) {
        for (int i = 0; i < 200 && seen.count(what) < count; ++i) {
            monitor.waitForReadyRead(50);
            seen += monitor.readAll();
        }
    };
    // The monitor gives up its own name once it listens.
    watch("member=NameLost", 1);
    ASSERT_TRUE(seen.contains("member=NameLost")) << seen.constData();
    {
        QDBusConnection sender = QDBusConnection::connectToBus(address, "launcher-sender");
        ASSERT_TRUE(sender.isConnected());
        TLauncherEntryProgress progress(sender, desktopEntryUri());
        progress.setProgress(TTaskbarState::Normal, 46);
        progress.setProgress(TTaskbarState::Error, 100);
        watch("   ]\n", 2); // both signals, to the end of their properties
    }
    QDBusConnection::disconnectFromBus("launcher-sender");
    monitor.kill();
    bus.kill();
    monitor.waitForFinished();
    bus.waitForFinished();
    EXPECT_EQ(seen.count("member=Update"), 2) << seen.constData();
    EXPECT_TRUE(seen.contains("path=" + TLauncherEntryProgress::objectPath().toUtf8() + ";"));
    EXPECT_TRUE(seen.contains("string \"application://" + desktopEntryId().toUtf8() + ".desktop\""));
    EXPECT_TRUE(seen.contains("double 0.46"));
    EXPECT_TRUE(seen.simplified().contains("string \"urgent\" variant boolean true"))
        << seen.constData();
}
#endif

} // namespace
