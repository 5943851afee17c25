// The start-up mode window's file list over the session's recent settings
// files: it opens on the settings window's entry and a choice in it is the
// settings window's choice. The main bar graph's axis from the "Setup" page.
#include "BarGraph.h"
#include "BarGraphPanel.h"
#include "MainWindow.h"
#include "RecentFileHooks.h"
#include "SessionRig.h"
#include "StartupModeDialog.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <fstream>
#include <gtest/gtest.h>

TEST(StartupModeDialog, FileListFollowsTheRecentList)
{
    SessionRig rig;
    QTemporaryDir files;
    std::vector<std::string> paths;
    for (const char* name : {"a.ini", "b.ini", "c.ini"}) {
        paths.push_back((files.path() + '/' + name).toStdString());
        std::ofstream(paths.back()) << "[IC]\nDevice=MFS380A\n";
        rig.session->BrowseSettingsFile(paths.back());
    }
    StartupModeDialog dialog({}, recentFileHooks(*rig.session));
    QComboBox* list = dialog.fileList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentIndex(), 2) << "the settings window's entry";
    EXPECT_EQ(list->itemText(1), "b.ini");

    // A file that has gone: Yes removes it from both lists, none stays selected.
    QFile::remove(QString::fromStdString(paths[1]));
    emit list->activated(1);
    EXPECT_EQ(rig.prompts.shown.back().text.left(40), "The selected file could not be loacated!");
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(rig.session->settingsWindow().recentSelection, -1);

    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_EQ(rig.session->settingsWindow().recentSelection, 1);
    EXPECT_EQ(rig.session->state().FSettingsFile, paths[2]);
    dialog.findChild<QPushButton*>("CustomStreamingButton")->click();
    EXPECT_EQ(dialog.choice().mode, TStartupChoice::TMode::Custom);
    EXPECT_EQ(dialog.choice().customIndex, 1);
}

// The axis applied on the "Setup" page reaches the main bar graph, which is
// redrawn at once while its refresh timer is not running.
TEST(MainWindowBarAxis, AppliedAxisRedrawsAnIdleBarGraph)
{
    SessionRig rig;
    TMainForm window(*rig.session, nullptr);
    TBarGraph* graph = window.bars()->barGraph();
    rig.session->PowerButtonClick(); // powered, not streaming: the bar timer is off
    graph->replotIfDirty();
    rig.session->Setup().GraphMin = 50;
    rig.session->Setup().GraphMax = 900;
    rig.session->Setup().GraphInc = 50;
    ASSERT_TRUE(rig.session->ApplyButtonClick()) << rig.messageTexts().join('|').toStdString();
    EXPECT_EQ(graph->yAxis->range().lower, 50);
    EXPECT_EQ(graph->yAxis->range().upper, 900);
    EXPECT_FALSE(graph->dirty()) << "redrawn once, not left for a timer that does not run";
}
