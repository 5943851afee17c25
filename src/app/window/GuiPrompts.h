#pragma once
// The session's questions answered with dialogs.

#include "SessionPrompts.h"

class QWidget;

class GuiPrompts final : public SessionPrompts {
public:
    explicit GuiPrompts(QWidget* parent) : FParent(parent) {}
    void setParent(QWidget* parent) { FParent = parent; }

    TDialogResult message(const QString& text, TDialogIcon icon, TDialogButtons buttons) override;
    std::optional<QString> saveFileName(const TFileDialogSpec& spec) override;
    TStartupChoice startupMode(const QStringList& recentNames) override;

private:
    QWidget* FParent;
};
