// What a new user meets in the main window: titles, placement, the "All" box,
// stale values after the stream ends, the chip commands without power, the
// message list, the status bar notice, the simulation controls and the
// accessible names of the controls.
#include "BarGraphPanel.h"
#include "CommandLogs.h"
#include "ControlColumn.h"
#include "EasyShowSendForm.h"
#include "EngineeringPage.h"
#include "FlagsEventsPanel.h"
#include "KvnListBox.h"
#include "MainWindow.h"
#include "PictureLabel.h"
#include "SendCommands.h"
#include "SessionRig.h"
#include "SettingsForm.h"
#include "SimBackend.h"
#include "SimTool.h"
#include "SimulationPanel.h"
#include "StaleLook.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

struct LookRig {
    explicit LookRig(bool plugTool = true) : rig({}, plugTool), window(*rig.session, nullptr)
    {
        window.show();
    }
    QPushButton* command(const char* name) const
    {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    SessionRig rig;
    TMainForm window;
};

QString accessibleName(QObject* o)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name) : QString();
}

TEST(MainWindowLook, EachWindowShowsItsOwnCaptionOnly)
{
    LookRig w;
    EXPECT_EQ(w.window.windowTitle(), "Kelvan MFS380A V1.1.0.50 ");
    // No display name: the window system would append it to every title.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

TEST(MainWindowLook, PlacedAtItsSavedCornerEvenTheTopLeftOneElseCentred)
{
    SessionRig rig({}, false);
    const QString file = rig.dir.path() + "/KelvanMFS380A.ini";
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        // First start: centred.
        TMainForm window(*rig.session, nullptr);
        window.resize(400, 300);
        window.show();
        EXPECT_LE(std::abs(window.frameGeometry().center().x() - screen.center().x()), 2);
        window.close();
    }
    auto placeAt = [&](const char* keys) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("[MainForm]\r\nWidth=1300\r\nHeight=900\r\n") + keys + "State=Nor\r\n");
    };
    placeAt("Left=0\r\nTop=0\r\n");
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        EXPECT_EQ(window.pos(), QPoint(0, 0));
        EXPECT_EQ(window.size(), QSize(1300, 900));
        window.move(30, 40);
        window.close();
    }
    {
        // The corner saved at the close comes back as it was.
        TMainForm window(*rig.session, nullptr);
        window.show();
        EXPECT_EQ(window.pos(), QPoint(30, 40));
        window.close();
    }
    placeAt("Left=-5000\r\nTop=-5000\r\n");
    {
        // A corner on no display: centred.
        TMainForm window(*rig.session, nullptr);
        window.show();
        EXPECT_LE(std::abs(window.frameGeometry().center().x() - screen.center().x()), 2);
        window.close();
    }
}

TEST(MainWindowLook, AllShowsTheChannelBoxes)
{
    LookRig w;
    TChannelStrip* strip = w.window.bars()->strip();
    QCheckBox* all = strip->allCheck();
    EXPECT_EQ(all->checkState(), Qt::Checked); // all six ticked at start

    QTest::mouseClick(strip->channelCheck(2), Qt::LeftButton);
    EXPECT_FALSE(w.rig.session->channelBoxes()[2]);
    EXPECT_EQ(all->checkState(), Qt::PartiallyChecked);

    // A click on a partly ticked "All" ticks every channel.
    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_EQ(all->checkState(), Qt::Checked);
    for (bool on : w.rig.session->channelBoxes())
        EXPECT_TRUE(on);
    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_EQ(all->checkState(), Qt::Unchecked);
    for (int n = 0; n < 6; ++n)
        EXPECT_FALSE(strip->channelCheck(n)->isChecked()) << n;

    // Boxes set by the session (a settings file, a read) count as well.
    QTest::mouseClick(strip->channelCheck(4), Qt::LeftButton);
    EXPECT_EQ(all->checkState(), Qt::PartiallyChecked);
}

TEST(MainWindowLook, StopKeepsTheLastValuesGreyedAndPutsTheEventsOut)
{
    LookRig w;
    TChannelStrip* strip = w.window.bars()->strip();
    TFlagsEventsPanel* flags = w.window.column()->FlagsEvents;
    // Nothing streamed yet: the power mode does not claim "Normal Power" in green.
    EXPECT_EQ(flags->powerModeLabel()->palette().color(QPalette::Window), QColor(0xF0, 0xF0, 0xF0));

    w.rig.startStreaming();
    EXPECT_FALSE(strip->stale());
    EXPECT_NE(strip->countLabel(0)->palette().color(QPalette::WindowText), stalelook::textColour());
    EXPECT_EQ(flags->powerModeLabel()->palette().color(QPalette::Window), QColor(0x00, 0xC1, 0x61));

    // An event lit by the last frame.
    w.rig.session->PauseButtonClick();
    std::vector<std::uint8_t> f(
        static_cast<std::size_t>(w.rig.session->Setup().streamLayout().frameSize()), 0);
    f[0] = 0x0F;
    f[static_cast<std::size_t>(w.rig.session->Setup().streamLayout().SysFlagsStartIndex + 1)] = 1;
    w.rig.session->HandleFrame(static_cast<std::uint16_t>(f.size()), 0, f.data());
    ASSERT_TRUE(w.rig.session->Events().lit(TEventIndicator::Pxs));
    const QString count = strip->countLabel(0)->text();

    QTest::mouseClick(w.window.column()->StartButton, Qt::LeftButton); // Stop
    ASSERT_EQ(w.window.column()->StartButton->text(), "Start");
    EXPECT_TRUE(strip->stale());
    EXPECT_TRUE(strip->picture(0)->stale());
    EXPECT_TRUE(w.window.bars()->barGraph()->stale());
    EXPECT_EQ(strip->countLabel(0)->text(), count); // kept for reading
    EXPECT_EQ(strip->countLabel(0)->palette().color(QPalette::WindowText), stalelook::textColour());
    EXPECT_EQ(flags->powerModeLabel()->palette().color(QPalette::Window), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_FALSE(w.rig.session->Events().lit(TEventIndicator::Pxs));
    EXPECT_EQ(flags->eventLabel(TEventIndicator::Pxs)->palette().color(QPalette::Window),
              QColor(0xF0, 0xF0, 0xF0));

    // The next stream makes it live again, in the label's own colour.
    w.rig.startStreaming();
    EXPECT_FALSE(strip->stale());
    EXPECT_EQ(strip->countLabel(0)->palette().color(QPalette::WindowText),
              QColor(0x20, 0x20, 0x20));
}

TEST(MainWindowLook, UnpluggingMakesTheValuesStale)
{
    LookRig w;
    w.rig.startStreaming();
    ASSERT_FALSE(w.window.bars()->strip()->stale());
    auto* version = w.window.findChild<QLabel*>(QStringLiteral("DeviceVersionLabel"));
    ASSERT_TRUE(version);
    const QString text = version->text();
    EXPECT_TRUE(text.startsWith("Device Version : ")) << text.toStdString();
    EXPECT_TRUE(version->isEnabled());
    w.rig.backend.unplug(w.rig.toolKey);
    w.rig.pump();
    EXPECT_TRUE(w.window.bars()->strip()->stale());
    // The chip's version stays for reading, greyed, until it is read again.
    EXPECT_EQ(version->text(), text);
    EXPECT_FALSE(version->isEnabled());
    w.rig.toolKey = w.rig.backend.plug();
    w.rig.pump();
    EXPECT_FALSE(version->isEnabled());
    w.rig.startStreaming();
    EXPECT_TRUE(version->isEnabled());
}

TEST(MainWindowLook, DemoButtonWhenThereIsAToolToRunItOn)
{
    LookRig w(false);
    QPushButton* demo = w.window.column()->DemoButton;
    EXPECT_FALSE(demo->isEnabled()); // nothing to run it on
    w.rig.toolKey = w.rig.backend.plug();
    w.rig.pump();
    EXPECT_TRUE(demo->isEnabled());
    w.rig.startStreaming();
    w.rig.session->PowerButtonClick(); // Power Off
    EXPECT_TRUE(demo->isEnabled());    // the demo powers the chip itself
    w.rig.backend.unplug(w.rig.toolKey);
    w.rig.pump();
    EXPECT_FALSE(demo->isEnabled());
    w.rig.toolKey = w.rig.backend.plug();
    w.rig.pump();
    EXPECT_TRUE(demo->isEnabled());
    // Pulled out while streaming, and back.
    w.rig.startStreaming();
    w.rig.backend.unplug(w.rig.toolKey);
    w.rig.pump();
    w.rig.toolKey = w.rig.backend.plug();
    w.rig.pump();
    EXPECT_TRUE(demo->isEnabled());
}

TEST(MainWindowLook, ChipCommandsOnlyWhileTheChipHasItsSupply)
{
    {
        LookRig none(false);
        for (const char* name :
             {"RedoATIButton", "ReseedButton", "ShowResetButton", "SoftResetButton"})
            EXPECT_FALSE(none.command(name)->isEnabled()) << name;
    }
    LookRig w;
    EXPECT_FALSE(w.command("RedoATIButton")->isEnabled());
    w.rig.startStreaming();
    for (const char* name : {"RedoATIButton", "ReseedButton", "ShowResetButton", "SoftResetButton"})
        EXPECT_TRUE(w.command(name)->isEnabled()) << name;
    QTest::mouseClick(w.command("ShowResetButton"), Qt::LeftButton);
    EXPECT_FALSE(w.command("ShowResetButton")->isEnabled());
    EXPECT_TRUE(w.command("RedoATIButton")->isEnabled());
    w.rig.session->PowerButtonClick(); // Power Off
    EXPECT_FALSE(w.command("RedoATIButton")->isEnabled());
    EXPECT_FALSE(w.rig.hasMessage("Device power is off!"));
}

TEST(MainWindowLook, MessageListWidensAndShowsLongItemsInATooltip)
{
    LookRig w;
    w.window.resize(1280, 820);
    QApplication::processEvents();
    const int narrow = w.window.column()->width();
    w.window.resize(1900, 820);
    QApplication::processEvents();
    EXPECT_GT(w.window.column()->width(), narrow);

    TKvnListBox* list = w.window.column()->MessageBox;
    const QString longText = QStringLiteral("A message far longer than the message list is wide, "
                                            "so that its end is cut off at the right edge");
    w.rig.session->KvnAddItem(longText, TMessageType::Error);
    w.rig.session->KvnAddItem(QStringLiteral("Short"), TMessageType::Info);
    const int row = list->count() - 2;
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), longText);

    const QPoint shortAt = list->visualItemRect(list->item(row + 1)).center();
    QHelpEvent shortHelp(QEvent::ToolTip, shortAt, list->viewport()->mapToGlobal(shortAt));
    QApplication::sendEvent(list->viewport(), &shortHelp);
    EXPECT_NE(QToolTip::text(), "Short");
}

TEST(MainWindowLook, FlagsAndEventsHeadingIsBoldLikeTheOthers)
{
    LookRig w;
    TFlagsEventsPanel* flags = w.window.column()->FlagsEvents;
    EXPECT_TRUE(flags->font().bold());
    EXPECT_FALSE(flags->systemFlagLabel(0)->font().bold());
    EXPECT_FALSE(flags->eventLabel(TEventIndicator::Sar)->font().bold());
}

TEST(MainWindowLook, ControlsHaveAccessibleNames)
{
    LookRig w;
    TChannelStrip* strip = w.window.bars()->strip();
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(accessibleName(strip->channelCheck(n)), QStringLiteral("CH%1").arg(n));
        EXPECT_EQ(accessibleName(strip->countLabel(n)), QStringLiteral("Count CH%1").arg(n));
        EXPECT_EQ(accessibleName(strip->ltaLabel(n)), QStringLiteral("LTA CH%1").arg(n));
        EXPECT_EQ(accessibleName(strip->deltaLabel(n)), QStringLiteral("Delta CH%1").arg(n));
    }
    EXPECT_EQ(accessibleName(w.window.column()->MessageBox), "Messages");
    // Every control a user can operate has a name (scroll bars, Qt's own
    // menu bar button and the parts of tables aside).
    for (QWidget* c : w.window.findChildren<QWidget*>()) {
        if (qobject_cast<QScrollBar*>(c) || c->objectName().startsWith("qt_") ||
            qobject_cast<QAbstractItemView*>(c->parentWidget()))
            continue;
        const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                             qobject_cast<QAbstractSlider*>(c) || qobject_cast<QComboBox*>(c);
        if (control) {
            EXPECT_FALSE(accessibleName(c).isEmpty())
                << c->metaObject()->className() << " " << c->objectName().toStdString();
        }
    }
}

// The simulated world for a person trying the program.
struct SimPanelRig {
    std::shared_ptr<sim::SimBackend> backend =
        std::make_shared<sim::SimBackend>(sim::SimBackend::Options{sim::Mode::Deterministic, 3});
    int key = backend->plug();
    template <class T> T environment(T (*get)(const sim::Environment&)) const
    {
        T value{};
        backend->tool(key).with([&](sim::SimTool& t) { value = get(t.chip().environment()); });
        return value;
    }
};

TEST(SimulationControls, SlidersShowTheirValuesAndMoveTheWorld)
{
    SimPanelRig r;
    // The finger does not move by itself until asked to.
    r.backend->tool(r.key).setFingerCycle(true);
    SimulationPanel panel(r.backend);
    EXPECT_FALSE(r.environment<bool>([](const sim::Environment& e) { return e.fingerCycle; }));
    EXPECT_EQ(panel.valueText(panel.fingerSlider(1)), "away");

    panel.setDistance(panel.fingerSlider(1), 0);
    EXPECT_EQ(panel.valueText(panel.fingerSlider(1)), "touching");
    EXPECT_EQ(r.environment<double>([](const sim::Environment& e) { return e.finger[1]; }), 1.0);
    panel.setDistance(panel.fingerSlider(1), 10);
    EXPECT_EQ(panel.valueText(panel.fingerSlider(1)), "10 mm");
    EXPECT_DOUBLE_EQ(r.environment<double>([](const sim::Environment& e) { return e.finger[1]; }),
                     0.75);

    panel.setDistance(panel.magnetSlider(), 0);
    EXPECT_DOUBLE_EQ(r.environment<double>([](const sim::Environment& e) { return e.magnet; }),
                     3000.0);
    panel.poleBox()->setCurrentIndex(1); // south
    EXPECT_DOUBLE_EQ(r.environment<double>([](const sim::Environment& e) { return e.magnet; }),
                     -3000.0);
    EXPECT_EQ(simpanel::magnetField(simpanel::kMagnetAwayMm, true), 0.0);

    panel.driftBox()->setChecked(false);
    panel.temperatureSlider()->setValue(90);
    EXPECT_EQ(panel.valueText(panel.temperatureSlider()), QStringLiteral("90 °C"));
    EXPECT_EQ(r.environment<double>(
                  [](const sim::Environment& e) { return e.temperatureOverride.value_or(-1); }),
              90.0);
}

TEST(SimulationControls, MetalTargetHintsAtTheInductiveSetup)
{
    SimPanelRig r;
    SimulationPanel panel(r.backend);
    panel.show();
    EXPECT_TRUE(panel.metalHint()->isHidden()); // target away
    panel.setDistance(panel.metalSlider(), 5);
    EXPECT_FALSE(panel.metalHint()->isHidden()); // the chip is not set up for it
    // The panel grows so that none of the hint's lines is cut.
    QApplication::processEvents();
    QLabel* hint = panel.metalHint();
    EXPECT_GE(hint->height(), hint->heightForWidth(hint->width()));
    EXPECT_FALSE(simpanel::metalNeedsInductiveSetup(0x08, 0x40));
    EXPECT_TRUE(simpanel::metalNeedsInductiveSetup(0x08, 0x00));
    EXPECT_TRUE(simpanel::metalNeedsInductiveSetup(0x07, 0x40));
}

TEST(MainWindowLook, SimulationNoticeOutlivesMenuHints)
{
    SessionRig rig;
    auto backend = std::make_shared<sim::SimBackend>();
    TMainForm window(*rig.session, backend);
    window.show();
    auto* notice = window.findChild<QLabel*>("SimulationNotice");
    ASSERT_NE(notice, nullptr);
    window.statusBar()->showMessage("Show hover hints"); // a menu entry's status tip
    window.statusBar()->clearMessage();
    EXPECT_TRUE(notice->isVisible());
}

TEST(MainWindowLook, CommandLogsOpenFromTheOptionsMenuAndTheEngineeringPage)
{
    LookRig w;
    w.rig.startStreaming();
    TCommandLogs* logs = w.window.commandLogs();
    // Options, "Show Send Commands".
    QAction* entry = nullptr;
    for (QAction* menu : w.window.menuBar()->actions()) {
        if (!menu->menu())
            continue;
        for (QAction* a : menu->menu()->actions())
            if (a->text() == "Show Send Commands")
                entry = a;
    }
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_TRUE(logs->easyShowSend()->isVisible());
    EXPECT_TRUE(logs->FEasyShowSend());

    // The engineering page's button.
    auto* page = w.window.settingsForm()->findChild<TEngineeringPage*>();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->ShowSendCommandsButton->isEnabled());
    page->ShowSendCommandsButton->click();
    EXPECT_TRUE(logs->sendCommands()->isVisible());
    EXPECT_TRUE(logs->loggingReports());
    w.rig.session->MemoryWrite("D1", "5A");
    EXPECT_GT(logs->sendCommands()->ListBox1->count(), 0);
    EXPECT_EQ(logs->easyShowSend()->ListCount(), 1);
}

} // namespace
