#include "OtpPage.h"

#include "ConnectionDiagram.h"
#include "OtpAddress.h"
#include "ResponsiveWait.h"
#include "Session.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TOtpPage::TOtpPage(TSession& session, QWidget* parent)
    : QWidget(parent), FSession(session), FOtp(new TOtpAddress(session, this))
{
    setObjectName(QStringLiteral("OTPSetupPage"));
    FOtp->setWaiter(&responsiveWait);
    auto* page = new QVBoxLayout(this);

    auto* grid = new QGridLayout;
    auto* currentCaption = new QLabel(QStringLiteral("Current I2C Address: "), this);
    CurrentI2CAddressLabel = new QLabel(QStringLiteral("-"), this);
    CurrentI2CAddressLabel->setObjectName(QStringLiteral("CurrentI2CAddressLabel"));
    CurrentI2CAddressLabel->setAccessibleName(QStringLiteral("Current I2C Address"));
    QFont bold = CurrentI2CAddressLabel->font();
    bold.setBold(true);
    CurrentI2CAddressLabel->setFont(bold);
    auto* newCaption = new QLabel(QStringLiteral("New I2C Address: "), this);
    NewI2CAddressCombo = new QComboBox(this);
    NewI2CAddressCombo->setObjectName(QStringLiteral("NewI2CAddressCombo"));
    for (const TOtpEntry& e : kOtpEntries)
        NewI2CAddressCombo->addItem(QString::fromLatin1(e.text));
    NewI2CAddressCombo->setCurrentIndex(0);
    newCaption->setBuddy(NewI2CAddressCombo);
    NewI2CAddressCombo->setAccessibleName(QStringLiteral("New I2C Address"));
    ReadAddressButton = new QPushButton(this);
    ReadAddressButton->setObjectName(QStringLiteral("ReadAddressButton"));
    WriteAddressButton = new QPushButton(this);
    WriteAddressButton->setObjectName(QStringLiteral("WriteAddressButton"));
    for (QPushButton* b : {ReadAddressButton, WriteAddressButton})
        b->setMinimumWidth(120);
    grid->addWidget(currentCaption, 0, 0);
    grid->addWidget(CurrentI2CAddressLabel, 0, 1);
    grid->addWidget(ReadAddressButton, 0, 2);
    grid->addWidget(newCaption, 1, 0);
    grid->addWidget(NewI2CAddressCombo, 1, 1);
    grid->addWidget(WriteAddressButton, 1, 2);
    grid->setColumnStretch(3, 1);
    page->addLayout(grid);
    auto* note = new QLabel(
        QStringLiteral("Note: Start Streaming to enable I2C Address read/write functionality"), this);
    note->setWordWrap(true);
    page->addWidget(note);

    auto* diagram = new QGroupBox(QStringLiteral("Connection Diagram"), this);
    auto* diagramLayout = new QVBoxLayout(diagram);
    auto* picture = new TConnectionDiagram(diagram);
    picture->setAccessibleName(diagram->title());
    diagramLayout->addWidget(picture);
    diagram->setMaximumSize(680, 320);
    page->addWidget(diagram);
    page->addStretch(1);

    connect(ReadAddressButton, &QPushButton::clicked, this, [this] { FOtp->ReadAddressButtonClick(); });
    connect(WriteAddressButton, &QPushButton::clicked, this,
            [this] { FOtp->WriteAddressButtonClick(NewI2CAddressCombo->currentIndex()); });
    connect(FOtp, &TOtpAddress::viewChanged, this, &TOtpPage::showState);
    connect(&session, &TSession::settingsChanged, this, &TOtpPage::showState);
    showState();
}

void TOtpPage::showState()
{
    const TOtpView& v = FOtp->view();
    ReadAddressButton->setText(v.readCaption);
    ReadAddressButton->setEnabled(v.readEnabled);
    WriteAddressButton->setText(v.writeCaption);
    WriteAddressButton->setEnabled(v.writeEnabled);
    const QString& address = FSession.settingsWindow().currentAddressText;
    CurrentI2CAddressLabel->setText(address.isEmpty() ? QStringLiteral("-") : address);
    // The captions change while a procedure runs: show them now.
    ReadAddressButton->repaint();
    WriteAddressButton->repaint();
}
