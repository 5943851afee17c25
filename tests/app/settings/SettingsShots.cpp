// Pictures of every page in normal and engineering mode, for looking at the
// window: runs only when MFS_SETTINGS_SHOTS names a folder, e.g.
//   MFS_SETTINGS_SHOTS=/tmp/shots xvfb-run -a -s "-screen 0 1280x800x24"
//     env QT_QPA_PLATFORM=xcb build/bin/settings_window_tests --gtest_filter='*Shots*'
#include "SessionRig.h"
#include "SettingsForm.h"
#include "SettingsPages.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(SettingsShots, EveryPageInBothModes)
{
    const QString folder = qEnvironmentVariable("MFS_SETTINGS_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set MFS_SETTINGS_SHOTS to a folder to take the pictures";
    QDir().mkpath(folder);
    SessionRig rig;
    rig.startStreaming();
    ASSERT_TRUE(rig.session->ReadFromDevice(false));
    rig.session->ResetDefault();
    TSettingsForm form(*rig.session);
    form.move(0, 0);
    form.showWindow();
    QTest::qWait(200);
    for (const bool engineering : {false, true}) {
        rig.session->setEngineering(engineering);
        for (int page = 0; page < kSettingsPageCount; ++page) {
            if (settingsPage(page).EngineeringOnly && !engineering)
                continue;
            form.setActivePage(page);
            QTest::qWait(50);
            const QString file = QStringLiteral("%1/page%2%3.png")
                                     .arg(folder)
                                     .arg(page, 2, 10, QLatin1Char('0'))
                                     .arg(engineering ? "-eng" : "");
            EXPECT_TRUE(form.grab().save(file)) << file.toStdString();
        }
    }
}
