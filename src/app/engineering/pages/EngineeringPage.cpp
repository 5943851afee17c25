#include "EngineeringPage.h"

#include "HexEdit.h"
#include "HexText.h"
#include "Session.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// "Address:" [field] "H" in one row of a grid.
THexEdit* hexRow(QGridLayout* grid, int row, const QString& caption, const QString& name,
                 QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    auto* edit = new THexEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(caption.chopped(1));
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("H"), parent), row, 2);
    return edit;
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QString hexText(std::uint8_t value)
{
    return QString::fromStdString(hexByteText(value));
}

}  // namespace

TEngineeringPage::TEngineeringPage(TSession& session, QWidget* parent)
    : QWidget(parent), FSession(session)
{
    setObjectName(QStringLiteral("EngineeringPage"));
    auto* page = new QVBoxLayout(this);

    DataMissLabel = new QLabel(QStringLiteral("Some Data Missed"), this);
    DataMissLabel->setObjectName(QStringLiteral("DataMissLabel"));
    DataMissLabel->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;"));
    DataMissLabel->setToolTip(QStringLiteral("Click to hide"));
    DataMissLabel->setCursor(Qt::PointingHandCursor);
    DataMissLabel->installEventFilter(this);
    DataMissLabel->hide();

    auto* top = new QHBoxLayout;
    PowerButton = button(QStringLiteral("Power On"), QStringLiteral("PowerButton"), this);
    ShowSendCommandsButton =
        button(QStringLiteral("Show Send Commands"), QStringLiteral("ShowSendCommandsButton"), this);
    setSendCommandsAvailable(false);
    top->addWidget(PowerButton);
    top->addWidget(ShowSendCommandsButton);
    top->addStretch(1);
    top->addWidget(DataMissLabel);
    page->addLayout(top);

    auto* access = new QHBoxLayout;
    auto* mm = new QGroupBox(QStringLiteral("R/W Memory Map"), this);
    auto* mmGrid = new QGridLayout(mm);
    MMAddressEdit = hexRow(mmGrid, 0, QStringLiteral("Address:"), QStringLiteral("MMAddressEdit"), mm);
    MMDataEdit = hexRow(mmGrid, 1, QStringLiteral("Data:"), QStringLiteral("MMDataEdit"), mm);
    ReadMMButton = button(QStringLiteral("Read"), QStringLiteral("ReadMMButton"), mm);
    WriteMMButton = button(QStringLiteral("Write"), QStringLiteral("WriteMMButton"), mm);
    mmGrid->addWidget(ReadMMButton, 2, 0, 1, 2);
    mmGrid->addWidget(WriteMMButton, 2, 2);
    access->addWidget(mm);

    auto* ind = new QGroupBox(QStringLiteral("R/W Indirect"), this);
    auto* indGrid = new QGridLayout(ind);
    DirAddrEdit = hexRow(indGrid, 0, QStringLiteral("Address:"), QStringLiteral("DirAddrEdit"), ind);
    DirDataEdit = hexRow(indGrid, 1, QStringLiteral("Data:"), QStringLiteral("DirDataEdit"), ind);
    InDirReadButton = button(QStringLiteral("Read"), QStringLiteral("InDirReadButton"), ind);
    InDirWriteButton = button(QStringLiteral("Write"), QStringLiteral("InDirWriteButton"), ind);
    indGrid->addWidget(InDirReadButton, 2, 0, 1, 2);
    indGrid->addWidget(InDirWriteButton, 2, 2);
    access->addWidget(ind);
    access->addStretch(1);
    page->addLayout(access);
    page->addStretch(1);

    // The buttons of one group share its name, so a screen reader hears which.
    ReadMMButton->setAccessibleDescription(mm->title());
    WriteMMButton->setAccessibleDescription(mm->title());
    InDirReadButton->setAccessibleDescription(ind->title());
    InDirWriteButton->setAccessibleDescription(ind->title());

    connect(PowerButton, &QPushButton::clicked, &session, &TSession::PowerButtonClick);
    connect(ShowSendCommandsButton, &QPushButton::clicked, this,
            &TEngineeringPage::showSendCommandsRequested);
    connect(ReadMMButton, &QPushButton::clicked, this, [this] {
        if (const auto v = FSession.MemoryRead(MMAddressEdit->text()))
            MMDataEdit->setText(hexText(*v));
    });
    connect(WriteMMButton, &QPushButton::clicked, this,
            [this] { FSession.MemoryWrite(MMAddressEdit->text(), MMDataEdit->text()); });
    connect(InDirReadButton, &QPushButton::clicked, this, [this] {
        if (const auto v = FSession.IndirectRead(DirAddrEdit->text()))
            DirDataEdit->setText(hexText(*v));
    });
    connect(InDirWriteButton, &QPushButton::clicked, this,
            [this] { FSession.IndirectWrite(DirAddrEdit->text(), DirDataEdit->text()); });
    connect(&session, &TSession::buttonsChanged, this, &TEngineeringPage::showState);
    connect(&session, &TSession::settingsChanged, this, &TEngineeringPage::showState);
    showState();
}

void TEngineeringPage::setSendCommandsAvailable(bool available)
{
    ShowSendCommandsButton->setEnabled(available);
    ShowSendCommandsButton->setToolTip(
        available ? QString() : QStringLiteral("The sent-commands window is not part of this version"));
}

void TEngineeringPage::showState()
{
    const TSessionButtons& b = FSession.buttons();
    PowerButton->setText(b.powerCaption);
    PowerButton->setEnabled(FSession.DevList().Connected());
    ReadMMButton->setEnabled(b.memoryAccessEnabled);
    WriteMMButton->setEnabled(b.memoryAccessEnabled);
    DataMissLabel->setVisible(FSession.settingsWindow().dataMissedVisible);
}

bool TEngineeringPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DataMissLabel && event->type() == QEvent::MouseButtonRelease) {
        FSession.settingsWindow().dataMissedVisible = false;
        DataMissLabel->hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
