#include "MainUpdates.h"

#include "AboutDialog.h"
#include "TaskbarController.h"
#include "UpdateTexts.h"
#include "WebUpdaterDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>

TMainUpdates::TMainUpdates(QMainWindow& main, const QString& version, TUpdaterOptions options)
    : QObject(&main), FMain(main), FUpdater([&] {
          if (options.OwnVersion.isEmpty())
              options.OwnVersion = QStringLiteral("V") + version;
          return options;
      }())
{
    // A top-level window of its own, not owned by the main window.
    FWindow = std::make_unique<TWebUpdaterDialog>(FUpdater);
    FAbout = new TAboutDialog(&main);
    FAbout->setVersion(version);
    FTaskbarSink = makeTaskbarProgress();
    FTaskbar = std::make_unique<TTaskbarController>(*FTaskbarSink, [this] {
        TTaskbarInput in;
        for (const TUpdateItem& item : FUpdater.UpdateItems())
            in.rows.push_back({item.ItemError, item.FDownloading, item.installReady(), item.Progress});
        in.updaterError = FUpdater.Error;
        in.automaticCheck = !FUpdater.ManualCheck;
        in.dontShow = FUpdater.DontShowOnStartup;
        in.onlyMain = FUpdater.OnlyMain;
        in.hasMainRow = FUpdater.CheckIsMainGUI();
        in.windowVisible = FWindow->isVisible();
        in.windowShowing = FWindow->showing();
        in.webGuiUpdate = FUpdater.WebGuiUpdate;
        return in;
    });

    Checkforupdates1 = new QAction(QStringLiteral("Check for updates"), this);
    UpdatesAvailable1 = new QAction(QStringLiteral("Updates Available"), this);
    UpdatesAvailable1->setVisible(false);
    connect(Checkforupdates1, &QAction::triggered, this, &TMainUpdates::CheckForUpdates);
    connect(UpdatesAvailable1, &QAction::triggered, this, &TMainUpdates::UpdatesAvailableClick);
    connect(FAbout, &TAboutDialog::checkForUpdatesClicked, this, &TMainUpdates::CheckForUpdates);

    connect(&FUpdater, &TUpdaterClass::stateChanged, this, [this] {
        ReCheckUpdates();
        FTaskbar->refresh();
    });
    connect(&FUpdater, &TUpdaterClass::showRequested, FWindow.get(), &TWebUpdaterDialog::bringUp);
    connect(FTaskbar.get(), &TTaskbarController::openWindowRequested, FWindow.get(),
            &TWebUpdaterDialog::bringUp);
    connect(FWindow.get(), &TWebUpdaterDialog::installerStarted, this, [this](bool mainGui) {
        emit message(QString::fromLatin1(updtext::kRunning));
        if (mainGui)
            emit closeMainRequested();
    });
    connect(FWindow.get(), &TWebUpdaterDialog::closedByUser, this, [this] {
        if (!FUpdater.CheckIsItemsBusy()) {
            FTaskbar->clear();
            FUpdater.ClearItemsError();
        }
    });
    warnBusy = [this](const QString& text) {
        QMessageBox::warning(&FMain, FMain.windowTitle(), text);
    };
}

TMainUpdates::~TMainUpdates()
{
    FUpdater.Terminate();
    FUpdater.RemoveItems();
    FTaskbar->clear();
}

void TMainUpdates::setStartupOptions(bool dontShow, bool onlyMain)
{
    FWindow->DontShowCheck->setChecked(dontShow);
    FWindow->OnlyMainCheck->setChecked(onlyMain); // the boxes tell the updater
}

bool TMainUpdates::dontShow() const
{
    return FWindow->DontShowCheck->isChecked();
}

bool TMainUpdates::onlyMain() const
{
    return FWindow->OnlyMainCheck->isChecked();
}

void TMainUpdates::firstActivation()
{
    FAbout->CheckUpdateButton->setVisible(true);
    FUpdater.ManualCheck = false;
    FUpdater.CheckForUpdates();
}

bool TMainUpdates::closeRequest()
{
    if (FUpdater.CheckIsItemsBusy()) {
        warnBusy(QString::fromLatin1(updtext::kBusyAtExit));
        FWindow->bringUp();
        return false;
    }
    FUpdater.Terminate();
    return true;
}

void TMainUpdates::closeDown()
{
    FUpdater.Terminate();
    FUpdater.RemoveItems();
    FWindow->hide();
}

void TMainUpdates::CheckForUpdates()
{
    FUpdater.ManualCheckRequest();
}

void TMainUpdates::ReCheckUpdates()
{
    UpdatesAvailable1->setVisible(FUpdater.hasPendingItems());
}

void TMainUpdates::UpdatesAvailableClick()
{
    if (!FWindow->isVisible())
        CheckForUpdates();
    else
        FWindow->bringUp();
}

void TMainUpdates::showAbout()
{
    FAbout->exec();
}
