#include "GuiPrompts.h"

#include "ProgramCaption.h"
#include "StartupModeDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

TDialogResult GuiPrompts::message(const QString& text, TDialogIcon icon, TDialogButtons buttons)
{
    QMessageBox box(FParent);
    box.setWindowTitle(programCaption().trimmed());
    box.setText(text);
    switch (icon) {
    case TDialogIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case TDialogIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case TDialogIcon::Information: box.setIcon(QMessageBox::Information); break;
    case TDialogIcon::Confirmation: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case TDialogButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case TDialogButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case TDialogButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return TDialogResult::Yes;
    case QMessageBox::No: return TDialogResult::No;
    case QMessageBox::Cancel: return TDialogResult::Cancel;
    default: return buttons == TDialogButtons::YesNo ? TDialogResult::No : TDialogResult::Ok;
    }
}

std::optional<QString> GuiPrompts::saveFileName(const TFileDialogRequest& request)
{
    QFileDialog dialog(FParent, request.title, QString(), request.filter + QStringLiteral(";;All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultExtension);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

TStartupChoice GuiPrompts::startupMode(const QStringList& recentNames)
{
    if (nextStartupChoice) {
        const TStartupChoice choice = *nextStartupChoice;
        nextStartupChoice.reset();
        return choice;
    }
    StartupModeDialog dialog(recentNames, recentFiles, FParent);
    dialog.exec();
    return dialog.choice();
}
