#include "EmptySpinNotice.h"

#include "Session.h"
#include "SettingsForm.h"
#include "SettingsPage.h"

#include <QLineEdit>
#include <QSpinBox>

void noticeEmptySpin(TSettingsPage& page, QSpinBox* spin, const QString& caption)
{
    const QString text = QStringLiteral("Please enter a value for \"%1\"").arg(caption);
    // The spin's own textChanged does not report text that is no number yet.
    auto* edit = spin->findChild<QLineEdit*>();
    if (!edit)
        return;
    QObject::connect(edit, &QLineEdit::textChanged, &page, [&page, spin, text] {
        TSettingsWindowState& w = page.session().settingsWindow();
        if (spin->cleanText().trimmed().isEmpty())
            page.form().showErrorText(text);
        else if (w.statusError == text)
            page.form().showNoticeText(w.statusNotice);
    });
}
