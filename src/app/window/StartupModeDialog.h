#pragma once
// "Startup Mode": before every Start the user picks the PIR Mini Carrier mode,
// the default set-up or a recent settings file. The file list is the settings
// window's list of recent settings files and always shows the same entry.

#include "SessionPrompts.h"

#include <QDialog>
#include <functional>

class QComboBox;

// The recent settings files as the settings window keeps them.
struct TRecentFileHooks {
    std::function<QStringList()> names; // file names, in list order
    std::function<int()> selected;      // the entry selected in both lists, -1 for none
    // "...": a browsed file (empty when the dialog was cancelled) is listed
    // and selected; returns the selection afterwards.
    std::function<int(const QString& path)> browse;
    // An entry chosen in the list (a file that has gone may be removed);
    // returns the selection afterwards.
    std::function<int(int index)> select;

    bool valid() const { return names && selected && browse && select; }
};

class StartupModeDialog : public QDialog {
    Q_OBJECT
public:
    // Without valid hooks the list shows recentNames and "..." is hidden.
    StartupModeDialog(const QStringList& recentNames, TRecentFileHooks hooks = {},
                      QWidget* parent = nullptr);
    // Closed when the window was closed without a choice.
    TStartupChoice choice() const { return FChoice; }
    QComboBox* fileList() const { return FFiles; }

private:
    void choose(TStartupChoice::TMode mode);
    void browse();
    void fileChosen(int index);
    // Refills the list from the hooks and selects their entry.
    void refill(int selected);

    TRecentFileHooks FHooks;
    QComboBox* FFiles;
    TStartupChoice FChoice;
};
