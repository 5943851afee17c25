// The scope window from the main window: the Scope button and F3, the feed
// while streaming, the timer with Pause, baseline view, and its preferences
// next to the main window's reset.
#include "ControlColumn.h"
#include "MainWindow.h"
#include "ScopeChart.h"
#include "ScopeForm.h"
#include "ScopeTrace.h"
#include "SessionRig.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void releaseF3(QWindow* target)
{
    QKeyEvent e(QEvent::KeyRelease, Qt::Key_F3, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

TEST(ScopeWindow, ScopeButtonShowsAndF3TogglesAndRestores)
{
    SessionRig rig;
    TMainForm window(*rig.session, nullptr);
    window.show();
    TScopeForm* scope = window.scopeForm();
    ASSERT_NE(scope, nullptr);
    EXPECT_FALSE(scope->isVisible());
    EXPECT_EQ(scope->windowTitle(), "Scope");
    EXPECT_EQ(scope->parentWidget(), nullptr); // a window of its own

    releaseF3(window.windowHandle());
    EXPECT_TRUE(scope->isVisible());
    releaseF3(scope->windowHandle()); // F3 works from the scope too
    EXPECT_FALSE(scope->isVisible());

    QTest::mouseClick(window.column()->ScopeButton, Qt::LeftButton);
    EXPECT_TRUE(scope->isVisible());
    scope->setWindowState(Qt::WindowMinimized);
    releaseF3(window.windowHandle()); // minimised: restored, not closed
    EXPECT_TRUE(scope->isVisible());
    EXPECT_FALSE(scope->isMinimized());
}

TEST(ScopeWindow, FramesFeedTheScopeAndPauseStopsItsTimer)
{
    SessionRig rig;
    TMainForm window(*rig.session, nullptr);
    window.show();
    TScopeForm* scope = window.scopeForm();
    QTest::mouseClick(window.column()->StartButton, Qt::LeftButton);
    rig.run(400);
    const scope::TScopeModel& m = scope->model();
    ASSERT_GT(m.NrOfChartPoints(), 5);
    EXPECT_EQ(m.XPos, m.NrOfChartPoints());
    EXPECT_TRUE(scope->updateTimerActive());
    const int last = m.buffers().count() - 1;
    EXPECT_EQ(m.buffers().y(0, last), rig.session->Live().FCurrentChs[0]);
    EXPECT_EQ(m.buffers().y(6, last), rig.session->Live().FLTAChs[0]);
    EXPECT_EQ(m.buffers().x(0, last), m.XPos - 1);

    scope->UpdateTimerTimer();
    EXPECT_EQ(scope->ScopeGraph->trace(0)->pointCount(), m.buffers().count());

    QTest::mouseClick(window.column()->PauseButton, Qt::LeftButton);
    EXPECT_FALSE(scope->updateTimerActive());
}

TEST(ScopeWindow, BaselineViewSetsTheRangeAndFeedsDeltasOfTheTickedCounts)
{
    SessionRig rig;
    TMainForm window(*rig.session, nullptr);
    window.show();
    TScopeForm* scope = window.scopeForm();
    rig.session->Delta(true);
    EXPECT_EQ(scope->ScopeGraph->yRange(), (scope::TAxisRange{-200, 1000}));
    EXPECT_EQ(scope->MinEdit->text(), "-200");
    EXPECT_EQ(scope->MaxEdit->text(), "1000");
    EXPECT_FALSE(scope->RescaleScopeButton->isEnabled());

    QTest::mouseClick(window.column()->StartButton, Qt::LeftButton);
    rig.run(400);
    const scope::TScopeModel& m = scope->model();
    ASSERT_GT(m.NrOfChartPoints(), 0);
    const auto& live = rig.session->Live();
    const int last = m.buffers().count() - 1;
    EXPECT_EQ(m.buffers().y(0, last), double(live.FLTAChs[0]) - live.FCurrentChs[0]);
    EXPECT_TRUE(std::isnan(m.buffers().y(2, last))); // CH2's scope box is not ticked

    rig.session->Delta(false);
    EXPECT_TRUE(scope->RescaleScopeButton->isEnabled());
    // Rescaled over the deltas and LTAs now in the buffers.
    EXPECT_NE(scope->ScopeGraph->yRange(), (scope::TAxisRange{-200, 1000}));
    EXPECT_EQ(scope->MaxEdit->text().toDouble(), scope->ScopeGraph->yRange().Max);
}

TEST(ScopeWindow, ItsSettingsAreWrittenBeforeAResetRemovesTheFile)
{
    SessionRig rig({}, false);
    const QString file = rig.dir.path() + "/KelvanMFS380A.ini";
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        window.scopeForm()->show();
        window.close();
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    f.close();
    EXPECT_TRUE(text.contains("[ScopeForm]")) << text.toStdString();
    EXPECT_TRUE(text.contains("[MainForm]"));
    {
        TMainForm window(*rig.session, nullptr);
        window.show();
        window.scopeForm()->show();
        rig.session->ResetSavedSettings();
        window.close();
    }
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
