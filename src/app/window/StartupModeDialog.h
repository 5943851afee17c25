#pragma once
// "Startup Mode": before every Start the user picks the PIR Mini Carrier mode,
// the default set-up or a recent settings file.

#include "SessionPrompts.h"

#include <QDialog>

class QComboBox;

class StartupModeDialog : public QDialog {
    Q_OBJECT
public:
    StartupModeDialog(const QStringList& recentNames, QWidget* parent = nullptr);
    // Closed when the window was closed without a choice.
    TStartupChoice choice() const { return FChoice; }

private:
    void choose(TStartupChoice::TMode mode);
    QComboBox* FFiles;
    TStartupChoice FChoice;
};
