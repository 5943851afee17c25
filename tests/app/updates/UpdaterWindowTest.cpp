// The updater window, the About window and the main window's update menu on
// the offscreen platform, over a local HTTP server.
#include "AboutDialog.h"
#include "KelvanLogo.h"
#include "MainUpdates.h"
#include "UpdateRowWidget.h"
#include "UpdateTestSupport.h"
#include "UpdateTexts.h"
#include "WebUpdaterDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace updtest;

namespace {

QStringList record(const char* key, const char* name, const char* version, const char* link,
                   const char* digest = "")
{
    return {key, name, version, link, "", digest, ""};
}

const char* const kInstalled = "[Kelvan_Other]\nVersion=V2.0.0.0\n[Kelvan_Third]\nVersion=V3.0.0.0\n";

// Three offered rows: the program itself, another product and a third.
void serveThree(UpdaterRig& rig, const QByteArray& installer)
{
    rig.server.route("/own.zip", TTestRoute(makeZip({{"mfs380a-setup.run", installer}})));
    rig.server.route("/o.zip", TTestRoute(makeZip({{"readme.txt", "no installer"}})));
    rig.server.route("/t.zip", TTestRoute(makeZip({{"third.run", QByteArray(300000, 't')}}))
                                   .stallingAfter(100));
    rig.serveList({record("Kelvan_MFS380A", "Kelvan MFS380A", "V1.1.0.60", "/own.zip", "temp"),
                   record("Kelvan_Other", "Kelvan Other Tool", "V2.0.0.1", "/o.zip"),
                   record("Kelvan_Third", "Kelvan Third", "V3.0.0.1", "/t.zip")});
}

TEST(UpdaterWindow, RowsShowEveryState)
{
    if (archiver().isEmpty())
        GTEST_SKIP() << "7za (p7zip-full) is not installed";
    UpdaterRig rig(kInstalled);
    serveThree(rig, "#!/bin/sh\n");
    TWebUpdaterDialog window(*rig.updater);
    QStringList informed;
    window.inform = [&informed](TNoticeType, const QString& text) { informed << text; };
    ASSERT_TRUE(rig.check());
    ASSERT_EQ(window.rows().size(), 3u);
    EXPECT_EQ(window.rows()[0]->ItemLabel->text(), "Kelvan MFS380A V1.1.0.60");
    EXPECT_TRUE(window.DownloadAllButton->isEnabled());

    // Download the program's own row, fail the second, leave the third running.
    ASSERT_TRUE(rig.download(0));
    ASSERT_TRUE(rig.download(1));
    window.rows()[2]->ItemButton->click();
    TUpdateRowWidget* own = window.rows()[0];
    TUpdateRowWidget* failed = window.rows()[1];
    TUpdateRowWidget* running = window.rows()[2];
    EXPECT_EQ(own->ItemButton->text(), "Install");
    EXPECT_EQ(own->ItemProgress->value(), 100);
    EXPECT_EQ(own->palette().color(QPalette::Window), QColor(196, 255, 196));
    EXPECT_EQ(failed->ItemButton->text(), "Download");
    EXPECT_EQ(failed->palette().color(QPalette::Window), QColor(255, 125, 125));
    EXPECT_EQ(running->ItemButton->text(), "Cancel");
    EXPECT_EQ(running->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(window.DownloadAllButton->isEnabled()); // a row downloads
    ASSERT_EQ(informed.size(), 1);
    EXPECT_EQ(informed[0].toStdString(), updtext::kLocateFailed);

    // The row menu: "Open File Location" only for an install-ready row.
    window.ItemOptionsClick(1);
    EXPECT_FALSE(window.Showinfolder1->isEnabled());
    window.PopupMenu1->hide();
    window.ItemOptionsClick(0);
    EXPECT_TRUE(window.Showinfolder1->isEnabled());
    window.PopupMenu1->hide();
    QString revealed;
    window.revealFile = [&revealed](const QString& file) { revealed = file; };
    window.Showinfolder1Click();
    EXPECT_TRUE(revealed.endsWith("Updates/Kelvan_MFS380A/mfs380a-setup.run"));
    window.ChangeLog1Click();
    EXPECT_EQ(informed.last(), "No description available");

    running->ItemButton->click(); // cancel
    EXPECT_EQ(running->ItemButton->text(), "Download");
    EXPECT_TRUE(window.DownloadAllButton->isEnabled());
}

TEST(UpdaterWindow, OptionsExcludeEachOtherAndEscapeMinimises)
{
    UpdaterRig rig(kInstalled);
    TWebUpdaterDialog window(*rig.updater);
    EXPECT_EQ(window.windowTitle(), "Kelvan Web Updates");
    EXPECT_TRUE(window.OnlyMainCheck->isChecked());
    window.DontShowCheck->click();
    EXPECT_FALSE(window.OnlyMainCheck->isChecked());
    EXPECT_TRUE(rig.updater->DontShowOnStartup);
    EXPECT_FALSE(rig.updater->OnlyMain);
    window.DontShowCheck->click(); // unchecking changes nothing else
    EXPECT_FALSE(window.OnlyMainCheck->isChecked());
    window.OnlyMainCheck->click();
    EXPECT_TRUE(rig.updater->OnlyMain);

    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isMinimized());
    window.bringUp();
    EXPECT_FALSE(window.isMinimized());
    window.CancelBtn->click();
    EXPECT_TRUE(window.isMinimized());
}

TEST(MainUpdates, InstallCloseRefusalAndTheUpdatesAvailableEntry)
{
    if (archiver().isEmpty())
        GTEST_SKIP() << "7za (p7zip-full) is not installed";
    UpdaterRig rig(kInstalled);
    // The installer leaves a mark beside itself when it runs.
    serveThree(rig, "#!/bin/sh\ntouch \"$(dirname \"$0\")/installed-mark\"\n");
    QMainWindow main;
    TMainUpdates updates(main, "1.1.0.50", rig.options);
    TWebUpdaterDialog& window = updates.window();
    QStringList informed, warned, messages;
    window.inform = [&informed](TNoticeType, const QString& text) { informed << text; };
    updates.warnBusy = [&warned](const QString& text) { warned << text; };
    QStringList asked;
    window.confirm = [&asked](const QString& text, bool) {
        asked << text;
        return true;
    };
    QObject::connect(&updates, &TMainUpdates::message, &updates,
                     [&messages](const QString& text) { messages << text; });
    QSignalSpy closeMain(&updates, &TMainUpdates::closeMainRequested);
    EXPECT_FALSE(updates.updatesAvailableAction()->isVisible());
    EXPECT_FALSE(updates.about().CheckUpdateButton->isVisible());

    // Help, "Check for updates": the window opens with the rows.
    TUpdaterClass& updater = updates.updater();
    QSignalSpy checked(&updater, &TUpdaterClass::checkFinished);
    updates.checkForUpdatesAction()->trigger();
    ASSERT_TRUE(checked.wait(20000));
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(window.rows().size(), 3u);
    EXPECT_TRUE(updates.updatesAvailableAction()->isVisible());

    // While the third row downloads the program does not close.
    window.rows()[2]->ItemButton->click();
    window.hide();
    EXPECT_FALSE(updates.closeRequest());
    ASSERT_EQ(warned.size(), 1);
    EXPECT_EQ(warned[0].toStdString(), updtext::kBusyAtExit);
    EXPECT_TRUE(window.isVisible());
    // The program's own installer waits for the downloads.
    QSignalSpy done(&updater, &TUpdaterClass::downloadFinished);
    window.rows()[0]->ItemButton->click();
    ASSERT_TRUE(done.wait(30000));
    window.rows()[0]->ItemButton->click();
    EXPECT_EQ(informed.last().toStdString(), updtext::kStillDownloading);
    window.rows()[2]->ItemButton->click(); // cancel
    EXPECT_TRUE(updates.closeRequest());

    // Install: asked, started, the row completed, the message list told.
    window.rows()[0]->ItemButton->click();
    ASSERT_FALSE(asked.isEmpty());
    EXPECT_TRUE(asked.last().startsWith("Update\n\nThis process will close"));
    EXPECT_EQ(window.rows()[0]->ItemButton->text(), "Completed");
    EXPECT_FALSE(window.rows()[0]->ItemButton->isEnabled());
    EXPECT_EQ(messages, QStringList({"Running update..."}));
    EXPECT_EQ(closeMain.count(), 1);
    const QString mark =
        QDir(rig.localData()).filePath("Updates/Kelvan_MFS380A/installed-mark");
    EXPECT_TRUE(waitUntil([&mark] { return QFile::exists(mark); }, 10000));

    // The entry stays while a row is not completed; clicking it while the
    // window is hidden is a manual check request, which only shows the
    // window while a row has failed.
    EXPECT_TRUE(updates.updatesAvailableAction()->isVisible());
    window.rows()[1]->ItemButton->click(); // an archive without installer
    ASSERT_TRUE(done.wait(30000));
    ASSERT_TRUE(updater.CheckIsItemsError());
    window.hide();
    updates.updatesAvailableAction()->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(updater.checkRunning());

    // Closing the window while nothing downloads clears the errors.
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(updater.CheckIsItemsError());
    for (int row = 1; row < 3; ++row)
        updater.DisableItem(row);
    EXPECT_FALSE(updates.updatesAvailableAction()->isVisible());
}

TEST(AboutWindow, TextsHoverAndCheckButton)
{
    TAboutDialog about;
    about.setVersion("1.1.0.50");
    EXPECT_EQ(about.size(), QSize(335, 230));
    EXPECT_TRUE(about.InfoLabel->text().startsWith("MFS380A GUI \nVersion 1.1.0.50\n"));
    EXPECT_EQ(about.SiteLabel->text(), kMakerSite);
    EXPECT_TRUE(about.SiteLabel->font().bold());
    about.show();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(about.SiteLabel, &enter);
    EXPECT_TRUE(about.SiteLabel->styleSheet().contains("blue"));
    EXPECT_TRUE(about.SiteLabel->styleSheet().contains("underline"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(about.SiteLabel, &leave);
    EXPECT_TRUE(about.SiteLabel->styleSheet().isEmpty());

    QList<QUrl> opened;
    about.openSite = [&opened](const QUrl& url) {
        opened << url;
        return true;
    };
    QTest::mouseClick(about.SiteLabel, Qt::LeftButton);
    QTest::mouseClick(about.Logo, Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>({QUrl(kMakerSite), QUrl(kMakerSite)}));
    QSignalSpy check(&about, &TAboutDialog::checkForUpdatesClicked);
    about.CheckUpdateButton->setVisible(true);
    about.CheckUpdateButton->click();
    EXPECT_EQ(check.count(), 1);
}

} // namespace
