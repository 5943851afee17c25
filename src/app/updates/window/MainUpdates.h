#pragma once
// The main window's side of the web updates: the update manager, the updater
// window, the About window and the taskbar progress, the Help menu's "Check
// for updates" and the top-level "Updates Available" entry, the automatic
// check at the first activation and the close refusal while a download runs.

#include "UpdaterClass.h"

#include <QObject>
#include <functional>
#include <memory>

class QAction;
class QMainWindow;
class TAboutDialog;
class TTaskbarController;
class TTaskbarProgress;
class TWebUpdaterDialog;

class TMainUpdates : public QObject {
    Q_OBJECT
public:
    // version: the program's version "1.1.0.50".
    TMainUpdates(QMainWindow& main, const QString& version, TUpdaterOptions options = {});
    ~TMainUpdates() override;

    // Help, "Check for updates" and the top-level "Updates Available" (hidden
    // until updates are pending).
    QAction* checkForUpdatesAction() const { return Checkforupdates1; }
    QAction* updatesAvailableAction() const { return UpdatesAvailable1; }

    TUpdaterClass& updater() { return FUpdater; }
    TWebUpdaterDialog& window() { return *FWindow; }
    TAboutDialog& about() { return *FAbout; }
    TTaskbarController& taskbar() { return *FTaskbar; }

    // The updater options of the preferences (Updates, Updates1).
    void setStartupOptions(bool dontShow, bool onlyMain);
    bool dontShow() const;
    bool onlyMain() const;

    // First activation of the main window: the About window's update button
    // appears and the automatic check starts.
    void firstActivation();
    // The main window asks to close: false (with a warning, the updater
    // window brought up) while a download runs; otherwise a running check is
    // stopped and true.
    bool closeRequest();
    // The main window closes: rows and downloads go.
    void closeDown();

    // The manual check request (Help menu, About, "Updates Available").
    void CheckForUpdates();
    // Shows "Updates Available" while a row is not completed.
    void ReCheckUpdates();
    void UpdatesAvailableClick();
    // Help, "About": the About window, modal.
    void showAbout();

    // The warning of a refused close (a dialog unless replaced).
    std::function<void(const QString& text)> warnBusy;

signals:
    // An information item for the main window's message list.
    void message(const QString& text);
    // The program's own installer started: the program ends.
    void closeMainRequested();

private:
    QMainWindow& FMain;
    TUpdaterClass FUpdater;
    std::unique_ptr<TWebUpdaterDialog> FWindow;
    TAboutDialog* FAbout = nullptr;
    std::unique_ptr<TTaskbarProgress> FTaskbarSink;
    std::unique_ptr<TTaskbarController> FTaskbar;
    QAction* Checkforupdates1 = nullptr;
    QAction* UpdatesAvailable1 = nullptr;
};
