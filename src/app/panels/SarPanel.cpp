#include "SarPanel.h"

#include "DisplayColour.h"
#include "LevelBar.h"
#include "PictureLabel.h"
#include "Pictures.h"
#include "Readout.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

TSarPanel::TSarPanel(const Pictures& pics, QWidget* parent)
    : TSensorPanel(QStringLiteral("SAR Flags"), QStringLiteral("SAR UI Settings"), parent),
      FGraph(new TLevelBar(this)), FValue(readout(QStringLiteral("QRDLabel")))
{
    setObjectName(QStringLiteral("SarPanel"));
    header()->setObjectName(QStringLiteral("SarHeader"));
    const std::array<std::pair<const char*, const char*>, kSarPictures> defs{{
        {"FilterHaltImage", "Filter Halt"},
        {"MovementImage", "Movement"},
        {"QuickReleaseImage", "Quick Release"},
        {"SarActiveImage", "SAR Active"},
    }};
    auto* g = grid();
    for (std::size_t i = 0; i < defs.size(); ++i) {
        auto* pic = new TPictureLabel(pics.CHNoneScope, pics.CHProxScope, pics.CHTouchScope, this);
        pic->setObjectName(QString::fromLatin1(defs[i].first));
        pic->setAccessibleName(QString::fromLatin1(defs[i].second));
        FPictures[i] = pic;
        const int row = static_cast<int>(i / 2), col = static_cast<int>(i % 2) * 2;
        g->addWidget(pic, row, col);
        g->addWidget(caption(QString::fromLatin1(defs[i].second)), row, col + 1);
    }
    FGraph->setObjectName(QStringLiteral("QRDGraph"));
    FGraph->setAccessibleName(QStringLiteral("Quick Release Graph"));
    FValue->setAccessibleName(QStringLiteral("Quick Release Value"));
    FGraph->setRange(0, 30);
    showReadout(FValue, QStringLiteral("0"));
    g->addWidget(caption(QStringLiteral("Quick Release Value")), 2, 0, 1, 3);
    g->addWidget(FValue, 2, 3);
    g->addWidget(FGraph, 3, 0, 1, 4);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
}

void TSarPanel::showSarMarks(const std::array<TMark, kSarPictures>& marks)
{
    for (std::size_t i = 0; i < marks.size(); ++i)
        FPictures[i]->setMark(marks[i]);
}

void TSarPanel::showQuickRelease(const TQuickReleaseView& v)
{
    FGraph->setRange(0, v.AxisMax);
    FGraph->setBar(v.BarShown, v.HeldMax, displayColour(v.BarColour));
    FGraph->setMarker(v.MarkerShown, v.Value);
    const QString text = QString::fromStdString(v.LabelText);
    if (!text.isEmpty() && FValue->text() != text)
        showReadout(FValue, text);
}
