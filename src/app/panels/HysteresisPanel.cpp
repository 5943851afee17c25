#include "HysteresisPanel.h"

#include "DisplayColour.h"
#include "LevelBar.h"
#include "PictureLabel.h"
#include "Pictures.h"
#include "Readout.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace {

void setTextIfChanged(QLabel* l, const QString& text)
{
    showReadout(l, text);
}

} // namespace

THysteresisPanel::THysteresisPanel(const Pictures& pics, QWidget* parent)
    : TSensorPanel(QStringLiteral("Hysteresis"), QStringLiteral("Hysteresis UI Settings"), parent),
      FPicture(new TPictureLabel(pics.CHNoneScope, pics.CHProxScope, pics.CHTouchScope, this)),
      FState(readout(QStringLiteral("MetalPTLabel"), 56)),
      FType(readout(QStringLiteral("MetalTypeLabel"), 36)),
      FValue(readout(QStringLiteral("MetalValLabel"), 56)), FBar(new TLevelBar(this))
{
    setObjectName(QStringLiteral("MetalPanel"));
    header()->setObjectName(QStringLiteral("MetalHeader"));
    FPicture->setObjectName(QStringLiteral("MetalImage"));
    FBar->setObjectName(QStringLiteral("MetalBar"));
    FPicture->setAccessibleName(QStringLiteral("Hysteresis State"));
    FState->setAccessibleName(QStringLiteral("Hysteresis Flag"));
    FType->setAccessibleName(QStringLiteral("Type"));
    FValue->setAccessibleName(QStringLiteral("Hysteresis Value"));
    FBar->setAccessibleName(QStringLiteral("Hysteresis Bar"));
    FBar->setRange(0, 1000);
    FBar->setBar(true, 0, displayColour(dispcolour::None));
    showReadout(FState, QStringLiteral("N/A"));

    auto* g = grid();
    g->addWidget(FPicture, 0, 0);
    g->addWidget(FState, 0, 1);
    g->addWidget(caption(QStringLiteral("Type")), 0, 2, Qt::AlignRight);
    g->addWidget(FType, 0, 3);
    g->addWidget(caption(QStringLiteral("Value")), 1, 0, 1, 2, Qt::AlignRight);
    g->addWidget(FValue, 1, 3);
    g->addWidget(FBar, 2, 0, 1, 4);
    g->setColumnStretch(2, 1);
}

void THysteresisPanel::showMetal(const TMetalView& v)
{
    FPicture->setMark(v.Mark);
    setTextIfChanged(FState, QString::fromLatin1(v.StateText));
    setTextIfChanged(FType, QString::fromLatin1(v.TypeText));
    setTextIfChanged(FValue, QString::fromStdString(v.ValueText));
    FBar->setBar(true, v.BarValue, displayColour(v.Colour));
}
