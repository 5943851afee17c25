// The main window on the offscreen platform, over a session on the
// deterministic simulated tool.
#include "BarGraphPanel.h"
#include "ControlColumn.h"
#include "FlagsEventsPanel.h"
#include "InstanceChannel.h"
#include "KvnListBox.h"
#include "HallPanel.h"
#include "MainWindow.h"
#include "SessionRig.h"
#include "SettingsForm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTest>
#include <future>
#include <gtest/gtest.h>

namespace {

struct WindowRig {
    WindowRig() : window(*rig.session, nullptr) { window.show(); }
    void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    QStringList messageList() const
    {
        QStringList out;
        for (int i = 0; i < window.column()->MessageBox->count(); ++i)
            out << window.column()->MessageBox->item(i)->text().trimmed();
        return out;
    }
    // A frame in the layout of the stream table in force.
    std::vector<std::uint8_t> frame()
    {
        std::vector<std::uint8_t> f(
            static_cast<std::size_t>(rig.session->Setup().streamLayout().frameSize()), 0);
        f[0] = 0x0F;
        return f;
    }
    void send(std::vector<std::uint8_t>& f)
    {
        rig.session->HandleFrame(static_cast<std::uint16_t>(f.size()), 0, f.data());
    }
    SessionRig rig;
    TMainForm window;
};

TEST(MainWindow, StartButtonStreamsWithMessagesInOrder)
{
    WindowRig w;
    EXPECT_EQ(w.window.windowTitle(), "Kelvan MFS380A V1.1.0.50 ");
    ASSERT_TRUE(w.window.column()->StartButton->isEnabled());
    w.click(w.window.column()->StartButton);
    w.rig.run(300);
    EXPECT_EQ(w.window.column()->StartButton->text(), "Stop");
    EXPECT_EQ(w.window.column()->PauseButton->text(), "Pause");
    EXPECT_TRUE(w.window.column()->PauseButton->isEnabled());
    EXPECT_TRUE(w.window.exportHAction()->isEnabled());
    const QStringList m = w.messageList();
    const int address = m.indexOf("Device Address : 44H");
    ASSERT_GE(address, 0) << m.join('|').toStdString();
    EXPECT_LT(address, m.indexOf("Device streaming started"));

    // The count labels follow the frames.
    const auto& live = w.rig.session->Live();
    auto* cs0 = w.window.findChild<QLabel*>("CS0Lbl");
    ASSERT_NE(cs0, nullptr);
    EXPECT_EQ(cs0->text(), QString::number(live.FCurrentChs[0]));
    EXPECT_EQ(w.window.displayModel().view().Bars.Counts[0].Height, live.FCurrentChs[0]);

    // Pause and Resume from the button.
    w.click(w.window.column()->PauseButton);
    EXPECT_EQ(w.window.column()->PauseButton->text(), "Resume");
    w.click(w.window.column()->PauseButton);
    EXPECT_EQ(w.window.column()->PauseButton->text(), "Pause");
    EXPECT_TRUE(w.messageList().contains("Device streaming resumed"));
}

TEST(MainWindow, BarColoursFollowTouchAndLowPower)
{
    WindowRig w;
    w.click(w.window.column()->StartButton);
    w.rig.run(300);  // past the read of all settings after the start
    const TStreamLayout& layout = w.rig.session->Setup().streamLayout();
    auto f = w.frame();
    f[static_cast<std::size_t>(layout.PTStartIndex)] = 0x10;  // touch on channel 0
    w.send(f);
    const auto& bars = w.window.displayModel().view().Bars;
    EXPECT_EQ(bars.Counts[0].Colour, dispcolour::Touch);
    EXPECT_EQ(bars.Counts[1].Colour, dispcolour::None);

    f[static_cast<std::size_t>(layout.SysFlagsStartIndex)] = 0x10;  // power mode 2
    w.send(f);
    EXPECT_EQ(bars.Counts[0].Colour, dispcolour::LowPower);
    for (int n = 1; n < 6; ++n)
        EXPECT_EQ(bars.Counts[static_cast<std::size_t>(n)].Colour, dispcolour::Inactive) << n;
}

TEST(MainWindow, AnEventStaysLitForAtLeastEventsTime)
{
    WindowRig w;
    w.click(w.window.column()->StartButton);
    w.rig.run(300);  // past the read of all settings after the start
    w.rig.session->PauseButtonClick();  // only synthetic frames from here
    const TStreamLayout& layout = w.rig.session->Setup().streamLayout();
    auto lit = w.frame();
    lit[static_cast<std::size_t>(layout.SysFlagsStartIndex + 1)] = 0x01;  // prox event
    auto dark = w.frame();
    auto* pxs = w.window.findChild<QLabel*>("PXSEventLabel");
    ASSERT_NE(pxs, nullptr);
    const QColor unlit = pxs->palette().color(QPalette::Window);
    w.send(lit);
    EXPECT_NE(pxs->palette().color(QPalette::Window), unlit);
    w.rig.backend.clock().sleepMs(150);
    w.send(dark);
    EXPECT_TRUE(w.rig.session->Events().lit(TEventIndicator::Pxs));
    w.rig.backend.clock().sleepMs(60);
    w.send(dark);
    EXPECT_FALSE(w.rig.session->Events().lit(TEventIndicator::Pxs));
    EXPECT_EQ(pxs->palette().color(QPalette::Window), unlit);
}

TEST(MainWindow, UnpluggingTheToolReturnsToIdle)
{
    WindowRig w;
    w.click(w.window.column()->StartButton);
    w.rig.run(100);
    w.rig.backend.unplug(w.rig.toolKey);
    w.rig.pump();
    EXPECT_EQ(w.window.column()->StartButton->text(), "Start");
    EXPECT_FALSE(w.window.column()->StartButton->isEnabled());
    EXPECT_FALSE(w.window.column()->PauseButton->isEnabled());
    EXPECT_EQ(w.window.column()->CtLabel->text(), "No device(s) connected");
    EXPECT_TRUE(w.messageList().contains("Streaming device disconnected!"));
    EXPECT_FALSE(w.window.exportHAction()->isEnabled());
}

TEST(MainWindow, BothShiftKeysToggleEngineeringMode)
{
    WindowRig w;
    w.window.activateWindow();
    QApplication::setActiveWindow(&w.window);
    auto press = [&](quint32 scanCode) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, scanCode, 0, 0);
        QApplication::sendEvent(w.window.windowHandle(), &e);
    };
    press(50);
    EXPECT_FALSE(w.rig.session->engineering());
    press(62);
    EXPECT_TRUE(w.rig.session->engineering());
    EXPECT_TRUE(w.messageList().contains("Engineering Enabled"));
}

TEST(MainWindow, LocalSocketStatusAndClose)
{
    WindowRig w;
    InstanceServer server;
    const QString name = QStringLiteral("mfs380a-test-%1").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(server.listen(name));
    QObject::connect(&server, &InstanceServer::closeRequested, &w.window, &QWidget::close);
    auto ask = [&](const QString& text) {
        auto answer = std::async(std::launch::async,
                                 [=] { return sendInstanceMessage(text, name, 3000); });
        while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return answer.get();
    };
    EXPECT_EQ(ask("Status"), 1);
    EXPECT_EQ(ask("Hello"), 0);
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(ask("Close"), 2);
    QTest::qWait(50);
    EXPECT_FALSE(w.window.isVisible());
}

}  // namespace

namespace {

TEST(MainWindow, SettingsWindowOpensFromButtonMenuAndPanelHeaders)
{
    WindowRig w;
    TSettingsForm* form = w.window.settingsForm();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->isWindow());
    ASSERT_TRUE(w.window.column()->SetupButton->isEnabled());
    w.click(w.window.column()->SetupButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->ActivePage(), 0);
    form->close();
    w.window.settingsAction()->trigger();
    EXPECT_TRUE(form->isVisible());

    // "HALL Flags" opens the Hall page.
    auto* hall = w.window.findChild<THallPanel*>();
    ASSERT_NE(hall, nullptr);
    hall->header()->click();
    EXPECT_EQ(form->ActivePage(), 3);
    EXPECT_EQ(form->HeaderLabel->text(), "Hall Settings");

    // Esc closes the settings window while it is the active window.
    QApplication::setActiveWindow(form);
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());

    // Engineering mode shows the window on its engineering page.
    w.window.toggleEngineering();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->ActivePage(), 9);
}

TEST(MainWindow, StartFillsTheSettingsWindowFromTheChip)
{
    WindowRig w;
    w.click(w.window.column()->StartButton);
    w.rig.run(1000);
    TSettingsForm* form = w.window.settingsForm();
    form->showPage(1);
    auto* prox = form->findChild<QSpinBox*>("ProxSpin");
    ASSERT_NE(prox, nullptr);
    const auto tool = w.rig.backend.tool(w.rig.toolKey);
    EXPECT_EQ(prox->value(), tool.chipRegister(0x60));
    EXPECT_EQ(w.rig.session->Settings().previous(TSettingsGroup::PxsUI)[0],
              tool.chipRegister(0x60));
    EXPECT_FALSE(form->SettingsChanged());
}

// As a user would: a finger near channel 0 below its prox threshold; the
// threshold lowered on the prox UI page and applied; the channel turns prox.
TEST(MainWindow, ProxThresholdAppliedFromTheSettingsWindowChangesTheChannel)
{
    WindowRig w;
    const QString shots = qEnvironmentVariable("MFS_SETTINGS_SHOTS");
    w.click(w.window.column()->StartButton);
    w.rig.run(1000);
    auto tool = w.rig.backend.tool(w.rig.toolKey);
    tool.setFinger(0, 0.45);
    w.rig.run(300);
    const auto& live = w.rig.session->Live();
    const int delta = live.FLTAChs[0] - live.FCurrentChs[0];
    ASSERT_GT(delta, 4);
    TSettingsForm* form = w.window.settingsForm();
    form->showPage(1);
    auto* prox = form->findChild<QSpinBox*>("ProxSpin");
    // Above the finger's delta: no prox.
    prox->setValue(std::min(255, delta * 3));
    form->ApplyButton->click();
    w.rig.run(200);
    EXPECT_FALSE(live.FProxBools[0]);
    if (!shots.isEmpty())
        w.window.grab().save(shots + "/user-before.png");

    prox->setValue(std::max(1, delta / 3));
    form->ApplyButton->click();
    EXPECT_EQ(tool.chipRegister(0x60), std::max(1, delta / 3));
    w.rig.run(300);
    EXPECT_TRUE(live.FProxBools[0]);
    if (!shots.isEmpty()) {
        w.window.grab().save(shots + "/user-after.png");
        form->grab().save(shots + "/user-settings.png");
    }
}

TEST(MainWindowPreferences, SettingsWindowKeepsItsPlacement)
{
    SessionRig rig({}, false);
    const QString file = rig.dir.path() + "/KelvanMFS380A.ini";
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        window.settingsForm()->showWindow();
        window.settingsForm()->setGeometry(40, 50, 900, 640);
        window.settingsForm()->close();
        window.close();
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains("[SettingsForm]")) << text.toStdString();
    EXPECT_TRUE(text.contains("Width=900")) << text.toStdString();
    EXPECT_TRUE(text.contains("Left=40")) << text.toStdString();
    f.close();
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        window.settingsForm()->showWindow();
        EXPECT_EQ(window.settingsForm()->width(), 900);
        EXPECT_EQ(window.settingsForm()->height(), 640);
    }
}

TEST(MainWindowPreferences, FirstStartCloseBadValueAndReset)
{
    // No tool: nothing else writes the preferences file before the window.
    SessionRig rig({}, false);
    const QString file = rig.dir.path() + "/KelvanMFS380A.ini";
    auto readAll = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        // First start: the file holds the width only.
        const QString first = readAll();
        EXPECT_TRUE(first.contains("[MainForm]")) << first.toStdString();
        EXPECT_TRUE(first.contains("Width=")) << first.toStdString();
        EXPECT_FALSE(first.contains("Height="));
        window.close();
        // Closing writes the main window's keys.
        EXPECT_TRUE(readAll().contains("Height="));
        EXPECT_TRUE(readAll().contains("NotifyReset=-1"));
        EXPECT_TRUE(readAll().contains("ResumeStreaming=-1"));
    }
    {
        // The menu's check mark drives the session and is kept.
        TMainForm window(*rig.session, nullptr);
        window.show();
        QAction* resume = nullptr;
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text() == "Resume streaming after reconnect")
                resume = a;
        ASSERT_NE(resume, nullptr);
        EXPECT_TRUE(resume->isChecked());
        resume->trigger();
        EXPECT_FALSE(rig.session->ResumeAfterReconnect);
        window.close();
        EXPECT_TRUE(readAll().contains("ResumeStreaming=0"));
    }
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        EXPECT_FALSE(rig.session->ResumeAfterReconnect);
        window.close();
    }
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[MainForm]\r\nWidth=abc\r\n");
    }
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        bool reported = false;
        for (const auto& m : rig.session->messages())
            reported |= m.text == "Error loading saved settings!" && m.type == TMessageType::Error;
        EXPECT_TRUE(reported);
        rig.session->ResetSavedSettings();
        window.close();
    }
    // The window was destroyed with a reset pending: the next start is a first start.
    EXPECT_FALSE(QFile::exists(file));
}

}  // namespace
