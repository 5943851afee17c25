#include "HallPanel.h"

#include "DisplayColour.h"
#include "LevelBar.h"
#include "PictureLabel.h"
#include "Pictures.h"
#include "Readout.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

THallPanel::THallPanel(const Pictures& pics, QWidget* parent)
    : TSensorPanel(QStringLiteral("HALL Flags"), QStringLiteral("Hall Settings"), parent),
      FNorth(new TPictureLabel(pics.CHNoneScope, pics.CHProxScope, pics.CHTouchScope, this)),
      FSouth(new TPictureLabel(pics.CHNoneScope, pics.CHProxScope, pics.CHTouchScope, this)),
      FValue(readout(QStringLiteral("HallValLabel"), 64)), FBar(new TLevelBar(this))
{
    setObjectName(QStringLiteral("HallPanel"));
    header()->setObjectName(QStringLiteral("HallHeader"));
    FNorth->setObjectName(QStringLiteral("HallNImage"));
    FSouth->setObjectName(QStringLiteral("HallSImage"));
    FBar->setObjectName(QStringLiteral("HallBar"));
    FNorth->setAccessibleName(QStringLiteral("N"));
    FSouth->setAccessibleName(QStringLiteral("S"));
    FValue->setAccessibleName(QStringLiteral("Hall Value"));
    FBar->setAccessibleName(QStringLiteral("Hall Bar"));
    FBar->setRange(-3000, 3000);
    FBar->setBar(true, 0, displayColour(dispcolour::None));
    showReadout(FValue, QStringLiteral("0"));

    auto* g = grid();
    g->addWidget(FNorth, 0, 0);
    g->addWidget(caption(QStringLiteral("N")), 0, 1);
    g->addWidget(FSouth, 0, 2);
    g->addWidget(caption(QStringLiteral("S")), 0, 3);
    g->addWidget(caption(QStringLiteral("Value")), 0, 4, Qt::AlignRight);
    g->addWidget(FValue, 0, 5);
    g->addWidget(FBar, 1, 0, 1, 6);
    g->setColumnStretch(4, 1);
}

void THallPanel::showHall(const THallView& v)
{
    FNorth->setMark(v.N);
    FSouth->setMark(v.S);
    showReadout(FValue, QString::number(v.Value));
    FBar->setBar(true, v.Value, displayColour(v.Colour));
}
