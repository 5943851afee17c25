#pragma once
// The command line's answers to the session's questions: the start-up mode is
// always the default set-up, questions are answered Yes or OK, save dialogs
// take the file given on the command line, and every dialog text goes to
// standard error.

#include "SessionPrompts.h"

#include <cstdio>

class CliPrompts final : public SessionPrompts {
public:
    std::optional<QString> saveAs;
    int dialogs = 0;

    TDialogResult message(const QString& text, TDialogIcon, TDialogButtons buttons) override
    {
        ++dialogs;
        std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace('\n', ' ')));
        return buttons == TDialogButtons::YesNo ? TDialogResult::Yes : TDialogResult::Ok;
    }
    std::optional<QString> saveFileName(const TFileDialogRequest&) override { return saveAs; }
    TStartupChoice startupMode(const QStringList&) override
    {
        return {TStartupChoice::TMode::Default, -1};
    }
};
