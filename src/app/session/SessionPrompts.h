#pragma once
// Everything the session must ask a person goes through this interface: the
// program answers with dialogs, the tests and the command-line front end with
// scripted answers.

#include <QString>
#include <QStringList>
#include <optional>

enum class TDialogIcon { Error, Warning, Information, Confirmation };
enum class TDialogButtons { Ok, OkCancel, YesNo };
enum class TDialogResult { Ok, Cancel, Yes, No };

// A file save dialog: filter in "Text (*.ext)" form, default extension
// without the point, preset file name; the dialog prompts before overwriting.
struct TFileDialogRequest {
    QString title;
    QString filter;
    QString defaultExtension;
    QString fileName;
};

// The start-up mode window's choice.
struct TStartupChoice {
    enum class TMode { Closed, DualPir, Default, Custom };
    TMode mode = TMode::Closed;
    // Custom: the selected entry of the recent settings files, -1 for none.
    int customIndex = -1;
};

class SessionPrompts {
public:
    virtual ~SessionPrompts() = default;
    // A modal message box with its icon and buttons.
    virtual TDialogResult message(const QString& text, TDialogIcon icon,
                                  TDialogButtons buttons) = 0;
    // A save dialog; nothing when cancelled.
    virtual std::optional<QString> saveFileName(const TFileDialogRequest& request) = 0;
    // The start-up mode window, shown modally before every Start. recentNames
    // are the names of the recent settings files, in list order.
    virtual TStartupChoice startupMode(const QStringList& recentNames) = 0;
};
