#pragma once
// The session's questions answered with dialogs.

#include "SessionPrompts.h"
#include "StartupModeDialog.h"

#include <optional>

class QWidget;

class GuiPrompts final : public SessionPrompts {
public:
    explicit GuiPrompts(QWidget* parent) : FParent(parent) {}
    void setParent(QWidget* parent) { FParent = parent; }

    TDialogResult message(const QString& text, TDialogIcon icon, TDialogButtons buttons) override;
    std::optional<QString> saveFileName(const TFileDialogRequest& request) override;
    TStartupChoice startupMode(const QStringList& recentNames) override;

    // The recent settings files the start-up mode window's list shows.
    TRecentFileHooks recentFiles;

    // When set, the next start-up mode question takes this answer without a
    // window (unattended runs).
    std::optional<TStartupChoice> nextStartupChoice;

private:
    QWidget* FParent;
};
