#include "TemperaturePanel.h"

#include "DisplayColour.h"
#include "LevelBar.h"
#include "PictureLabel.h"
#include "Pictures.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

TTemperaturePanel::TTemperaturePanel(const Pictures& pics, QWidget* parent)
    : TSensorPanel(QStringLiteral("Temperature"), QStringLiteral("Temperature UI Settings"),
                   parent),
      FBar(new TLevelBar(this)),
      FTrip(new TPictureLabel(pics.CHNoneScope, pics.CHProxScope, pics.CHTouchScope, this))
{
    setObjectName(QStringLiteral("TempPanel"));
    header()->setObjectName(QStringLiteral("TempHeader"));
    FBar->setObjectName(QStringLiteral("TempBar"));
    FBar->setToolTip(QStringLiteral("Click to reset the scale"));
    FBar->setCursor(Qt::PointingHandCursor);
    FBar->setRange(0, 100);
    FBar->setValueMarkShown(true);
    FBar->setBar(true, 0, displayColour(dispcolour::Temperature));
    FTrip->setObjectName(QStringLiteral("TempImage"));
    FTrip->setAccessibleName(QStringLiteral("Trip"));
    FBar->setAccessibleName(QStringLiteral("Temperature Bar"));
    connect(FBar, &TLevelBar::clicked, this, [this] { emit tempBarClicked(); });

    auto* g = grid();
    g->addWidget(FTrip, 0, 0);
    g->addWidget(caption(QStringLiteral("Trip")), 0, 1);
    g->addWidget(FBar, 1, 0, 1, 3);
    g->setColumnStretch(2, 1);
}

void TTemperaturePanel::showTemperature(const TTemperatureView& v)
{
    FBar->setRange(0, v.AxisMax);
    FBar->setBar(true, v.Value, displayColour(dispcolour::Temperature));
}

void TTemperaturePanel::showTempTrip(bool tripped)
{
    FTrip->setMark(tripped ? TMark::Touch : TMark::None);
}
