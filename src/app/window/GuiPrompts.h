#pragma once
// The session's questions answered with dialogs.

#include "SessionPrompts.h"

#include <functional>
#include <optional>

class QWidget;

class GuiPrompts final : public SessionPrompts {
public:
    explicit GuiPrompts(QWidget* parent) : FParent(parent) {}
    void setParent(QWidget* parent) { FParent = parent; }

    TDialogResult message(const QString& text, TDialogIcon icon, TDialogButtons buttons) override;
    std::optional<QString> saveFileName(const TFileDialogRequest& request) override;
    TStartupChoice startupMode(const QStringList& recentNames) override;

    // Adds a settings file browsed to in the start-up mode window to the recent
    // files; returns its index and the names of all recent files.
    std::function<int(const QString& path, QStringList& names)> addRecentFile;

    // When set, the next start-up mode question takes this answer without a
    // window (unattended runs).
    std::optional<TStartupChoice> nextStartupChoice;

private:
    QWidget* FParent;
};
