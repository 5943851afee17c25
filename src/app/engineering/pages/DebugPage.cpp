#include "DebugPage.h"

#include "FrameDecoder.h"
#include "HexEdit.h"
#include "Session.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDebugPage::TDebugPage(TSession& session, QWidget* parent) : QWidget(parent), FSession(session)
{
    setObjectName(QStringLiteral("DebugPage"));
    auto* page = new QHBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(QStringLiteral("Address (Hex)"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Result"), this), 0, 2);
    const QFont fixed(QStringLiteral("Monospace"));
    for (int row = 0; row < kRows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        auto* number = new QLabel(QString::number(row + 1), this);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        AdrsEditArray[i] = new THexEdit(this);
        AdrsEditArray[i]->setObjectName(QStringLiteral("AdrsEdit%1").arg(row + 1));
        AdrsEditArray[i]->setAccessibleName(QStringLiteral("Address %1").arg(row + 1));
        number->setBuddy(AdrsEditArray[i]);
        ResEditArray[i] = new QLineEdit(this);
        ResEditArray[i]->setObjectName(QStringLiteral("ResEdit%1").arg(row + 1));
        ResEditArray[i]->setAccessibleName(QStringLiteral("Result %1").arg(row + 1));
        ResEditArray[i]->setReadOnly(true);
        ResEditArray[i]->setFont(fixed);
        ResEditArray[i]->setMinimumWidth(
            ResEditArray[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000000 0x00")) + 16);
        grid->addWidget(number, row + 1, 0);
        grid->addWidget(AdrsEditArray[i], row + 1, 1);
        grid->addWidget(ResEditArray[i], row + 1, 2);
        connect(AdrsEditArray[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            FSession.Setup().AdrsEditArray[i] = text.toUpper().toStdString();
        });
    }
    auto* rows = new QVBoxLayout;
    rows->addLayout(grid);
    rows->addStretch(1);
    page->addLayout(rows);
    auto* side = new QVBoxLayout;
    GoButton = new QPushButton(QStringLiteral("GO!"), this);
    GoButton->setObjectName(QStringLiteral("GoButton"));
    GoButton->setMinimumHeight(40);
    side->addWidget(GoButton);
    side->addStretch(1);
    page->addLayout(side);
    page->addStretch(1);

    connect(GoButton, &QPushButton::clicked, &session, &TSession::DebugGoClick);
    connect(&session, &TSession::frameHandled, this, &TDebugPage::showResults);
    showAddresses();
}

void TDebugPage::showEvent(QShowEvent* event)
{
    showAddresses();
    QWidget::showEvent(event);
}

void TDebugPage::showAddresses()
{
    for (std::size_t i = 0; i < kRows; ++i) {
        const QString text = QString::fromStdString(FSession.Setup().AdrsEditArray[i]);
        if (AdrsEditArray[i]->text() != text)
            AdrsEditArray[i]->setText(text);
    }
}

void TDebugPage::showResults()
{
    if (!FSession.engineering())
        return;
    const TStreamLayout& layout = FSession.Setup().streamLayout();
    const TLiveChannelState& live = FSession.Live();
    for (std::size_t i = 0; i < kRows; ++i) {
        if (!layout.AdrActiveArray[i])
            continue;
        const QString text = QString::fromStdString(debugByteText(live.DebugBytes[i]));
        if (ResEditArray[i]->text() != text)
            ResEditArray[i]->setText(text);
    }
}
