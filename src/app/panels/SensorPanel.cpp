#include "SensorPanel.h"

#include "LevelBar.h"
#include "PictureLabel.h"
#include "StaleLook.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

TSensorPanel::TSensorPanel(const QString& title, const QString& settingsPage, QWidget* parent)
    : QFrame(parent), FHeader(new QToolButton(this)), FGrid(new QGridLayout)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

    FHeader->setText(title);
    FHeader->setToolTip(QStringLiteral("Open the \"%1\" page of the settings").arg(settingsPage));
    FHeader->setAutoRaise(true);
    FHeader->setCursor(Qt::PointingHandCursor);
    FHeader->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont f = FHeader->font();
    f.setBold(true);
    FHeader->setFont(f);
    QPalette pal = FHeader->palette();
    pal.setColor(QPalette::ButtonText, QColor(0x00, 0x40, 0x80));
    FHeader->setPalette(pal);
    connect(FHeader, &QToolButton::clicked, this, [this] { emit headerClicked(); });

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    FGrid->setContentsMargins(8, 2, 8, 6);
    FGrid->setHorizontalSpacing(8);
    FGrid->setVerticalSpacing(4);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(FHeader);
    layout->addWidget(line);
    layout->addLayout(FGrid);
    layout->addStretch(1);
}

QLabel* TSensorPanel::caption(const QString& text)
{
    auto* l = new QLabel(text, this);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    l->setPalette(pal);
    return l;
}

QLabel* TSensorPanel::readout(const QString& name, int minWidth)
{
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(minWidth);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    FReadouts.append(l);
    return l;
}

void TSensorPanel::setStale(bool stale)
{
    if (stale == FStale)
        return;
    FStale = stale;
    for (QLabel* l : FReadouts)
        stalelook::setLabelStale(l, stale);
    for (TPictureLabel* p : findChildren<TPictureLabel*>())
        p->setStale(stale);
    for (TLevelBar* b : findChildren<TLevelBar*>())
        b->setStale(stale);
}
