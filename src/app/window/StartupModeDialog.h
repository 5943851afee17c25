#pragma once
// "Startup Mode": before every Start the user picks the PIR Mini Carrier mode,
// the default set-up or a recent settings file.

#include "SessionPrompts.h"

#include <QDialog>
#include <functional>

class QComboBox;

class StartupModeDialog : public QDialog {
    Q_OBJECT
public:
    using TAddFile = std::function<int(const QString& path, QStringList& names)>;
    // addFile lists a browsed file among the recent files ("..." is hidden without it).
    StartupModeDialog(const QStringList& recentNames, TAddFile addFile = {},
                      QWidget* parent = nullptr);
    // Closed when the window was closed without a choice.
    TStartupChoice choice() const { return FChoice; }

private:
    void choose(TStartupChoice::TMode mode);
    void browse();
    TAddFile FAddFile;
    QComboBox* FFiles;
    TStartupChoice FChoice;
};
