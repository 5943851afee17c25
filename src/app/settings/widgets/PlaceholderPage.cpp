#include "PlaceholderPage.h"

#include <QLabel>
#include <QVBoxLayout>

TPlaceholderPage::TPlaceholderPage(TSettingsForm& form, int page) : TSettingsPage(form, page)
{
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("This page is not part of this version."), this);
    note->setObjectName(QStringLiteral("PlaceholderNote"));
    note->setEnabled(false);
    layout->addWidget(note);
    layout->addStretch(1);
}
