// The main window's side of the web updates: the updater options in the
// preferences, and no exit while an update downloads.
#include "MainUpdates.h"
#include "MainWindow.h"
#include "SessionRig.h"
#include "TestHttpServer.h"
#include "WebUpdaterDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(MainWindowUpdates, OptionsAreKeptInThePreferences)
{
    SessionRig rig({}, false);
    const QString file = rig.dir.path() + "/KelvanMFS380A.ini";
    {
        TMainForm window(*rig.session, nullptr);
        window.setUpdateUrl(QUrl("http://127.0.0.1:1/list"));
        window.show();
        // First start: only the main program's updates open the window.
        EXPECT_TRUE(window.updates().window().OnlyMainCheck->isChecked());
        EXPECT_FALSE(window.updates().window().DontShowCheck->isChecked());
        window.updates().window().DontShowCheck->click();
        window.close();
    }
    const QString saved = readAll(file);
    EXPECT_TRUE(saved.contains("Updates=-1")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("Updates1=0")) << saved.toStdString();
    {
        TMainForm window(*rig.session, nullptr);
        window.setUpdateUrl(QUrl("http://127.0.0.1:1/list"));
        window.show();
        EXPECT_TRUE(window.updates().window().DontShowCheck->isChecked());
        EXPECT_FALSE(window.updates().window().OnlyMainCheck->isChecked());
        EXPECT_TRUE(window.updates().updater().DontShowOnStartup);
        window.close();
    }
}

TEST(MainWindowUpdates, NoExitWhileAnUpdateDownloads)
{
    // Downloads land in a folder of the test's own.
    SessionRig rig({}, false);
    qputenv("XDG_DATA_HOME", rig.dir.path().toUtf8());
    TTestHttpServer server;
    server.route("/list", TTestRoute("VSTART1~7~Kelvan_MFS380A~Kelvan MFS380A~V9.0.0.0~/m.zip~~~VEND"));
    server.route("/m.zip", TTestRoute(QByteArray(100000, 'm')).stallingAfter(10));

    TMainForm window(*rig.session, nullptr);
    window.setUpdateUrl(server.url("/list"));
    QStringList warned;
    window.updates().warnBusy = [&warned](const QString& text) { warned << text; };
    TUpdaterClass& updater = window.updates().updater();
    QSignalSpy checked(&updater, &TUpdaterClass::checkFinished);
    window.show(); // the automatic check
    ASSERT_TRUE(checked.wait(20000));
    ASSERT_EQ(updater.UpdateItems().size(), 1u);
    EXPECT_TRUE(window.updates().window().isVisible());
    EXPECT_TRUE(window.updates().updatesAvailableAction()->isVisible());

    updater.StartDownload(0);
    window.updates().window().hide();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(warned.size(), 1);
    EXPECT_TRUE(warned[0].startsWith("An update is busy downloading"));
    EXPECT_TRUE(window.updates().window().isVisible());

    updater.CancelDownload(0);
    EXPECT_TRUE(window.close());
    qunsetenv("XDG_DATA_HOME");
}

} // namespace
