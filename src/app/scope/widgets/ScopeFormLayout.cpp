// The scope window's controls: the button bar above the chart and the groups
// "Counts", "Long Term Averages (LTA)", "Sensors" and "Settings" below it.
#include "ColourSwatch.h"
#include "PictureLabel.h"
#include "Pictures.h"
#include "ScopeChart.h"
#include "ScopeForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace scope;

namespace {

QString name(const char* text)
{
    return QString::fromLatin1(text);
}

QPushButton* button(const char* caption, const char* objectName, QWidget* parent)
{
    auto* b = new QPushButton(name(caption), parent);
    b->setObjectName(name(objectName));
    b->setAutoDefault(false);
    return b;
}

} // namespace

void TScopeForm::buildLayout(const Pictures& pictures)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(4);
    column->addWidget(buildButtonBar());
    ScopeGraph = new TScopeChart(this);
    ScopeGraph->setMinimumHeight(40);
    column->addWidget(ScopeGraph, 1);
    auto* groups = new QHBoxLayout;
    groups->setSpacing(6);
    groups->addWidget(buildCountsGroup(pictures));
    groups->addWidget(buildLtaGroup());
    groups->addWidget(buildSensorsGroup());
    groups->addWidget(buildSettingsGroup(), 1);
    column->addLayout(groups);
}

QWidget* TScopeForm::buildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    ResetScopeButton = button("Reset Scope View", "ResetScopeButton", bar);
    RescaleScopeButton = button("Rescale Scope View", "RescaleScopeButton", bar);
    RestartScopeButton = button("Restart Scope", "RestartScopeButton", bar);
    AutoScaleCheck = new QCheckBox(QStringLiteral("Auto Scale"), bar);
    AutoScaleCheck->setObjectName(QStringLiteral("AutoScaleCheck"));
    AutoScaleCheck->setChecked(true);
    SaveImageButton = button("Save Image...", "SaveImageButton", bar);
    SaveImageButton->setToolTip(QStringLiteral("Save the chart as shown as a PNG picture"));
    ExportCsvButton = button("Export CSV...", "ExportCsvButton", bar);
    ExportCsvButton->setToolTip(
        QStringLiteral("Save the points of the shown traces, one column per trace"));
    for (QWidget* w : {static_cast<QWidget*>(ResetScopeButton),
                       static_cast<QWidget*>(RescaleScopeButton),
                       static_cast<QWidget*>(RestartScopeButton),
                       static_cast<QWidget*>(AutoScaleCheck)})
        row->addWidget(w);
    row->addStretch(1);
    row->addWidget(SaveImageButton);
    row->addWidget(ExportCsvButton);
    return bar;
}

// One selector box with its swatch; the swatch takes the box's name as its
// accessible name with " Colour".
static void addSelector(TScopeForm& f, QGridLayout* grid, int trace, const char* caption,
                        const char* boxName, const char* swatchName, const QString& spoken,
                        int row, int column)
{
    auto* box = new QCheckBox(name(caption));
    box->setObjectName(name(boxName));
    auto* swatch = new TColourSwatch;
    swatch->setObjectName(name(swatchName));
    swatch->setAccessibleName(spoken + QStringLiteral(" Colour"));
    grid->addWidget(box, row, column);
    grid->addWidget(swatch, row, column + 1);
    f.Selectors[static_cast<std::size_t>(trace)] = box;
    f.Swatches[static_cast<std::size_t>(trace)] = swatch;
}

QWidget* TScopeForm::buildCountsGroup(const Pictures& pictures)
{
    static const char* const boxes[] = {"CH0CurCheck", "CH1CurCheck", "CH2CurCheck",
                                        "CH3CurCheck", "CH4CurCheck", "CH5CurCheck"};
    static const char* const swatches[] = {"ColorShape0", "ColorShape1", "ColorShape2",
                                           "ColorShape3", "ColorShape4", "ColorShape5"};
    static const char* const captions[] = {"CH0", "CH1", "CH2", "CH3", "CH4", "CH5"};
    auto* group = new QGroupBox(QStringLiteral("Counts"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int n = 0; n < 6; ++n) {
        const int row = n % 3;
        const int col = n < 3 ? 1 : 4;
        addSelector(*this, grid, n, captions[n], boxes[n], swatches[n],
                    QStringLiteral("CH%1 Count").arg(n), row, col);
    }
    for (int n = 0; n < 3; ++n) {
        auto* pt = new TPictureLabel(pictures.CHNoneScope, pictures.CHProxScope,
                                     pictures.CHTouchScope, group);
        pt->setObjectName(QStringLiteral("CH%1PTShape").arg(n));
        pt->setAccessibleName(QStringLiteral("CH%1 State").arg(n));
        pt->setMark(TMark::None);
        PTShapes[static_cast<std::size_t>(n)] = pt;
        grid->addWidget(pt, n, 0);
    }
    grid->setColumnMinimumWidth(3, 8);
    CSAllCheck = new QCheckBox(QStringLiteral("All"), group);
    CSAllCheck->setObjectName(QStringLiteral("CSAllCheck"));
    CSAllCheck->setTristate(true);
    CSAllCheck->setCheckState(Qt::PartiallyChecked);
    grid->addWidget(CSAllCheck, 3, 1, 1, 2);
    for (int n = 0; n < 6; ++n)
        Selectors[static_cast<std::size_t>(n)]->setChecked(
            kCreationSelection[static_cast<std::size_t>(n)]);
    return group;
}

QWidget* TScopeForm::buildLtaGroup()
{
    static const char* const boxes[] = {"CH0LTACheck", "CH1LTACheck", "CH2LTACheck"};
    static const char* const swatches[] = {"LTAColShape0", "LTAColShape1", "LTAColShape2"};
    static const char* const captions[] = {"CH0", "CH1", "CH2"};
    auto* group = new QGroupBox(QStringLiteral("Long Term Averages (LTA)"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int n = 0; n < 3; ++n)
        addSelector(*this, grid, scopetrace::Lta0 + n, captions[n], boxes[n], swatches[n],
                    QStringLiteral("CH%1 LTA").arg(n), n, 0);
    LTAllCheck = new QCheckBox(QStringLiteral("All"), group);
    LTAllCheck->setObjectName(QStringLiteral("LTAllCheck"));
    LTAllCheck->setTristate(true);
    LTAllCheck->setCheckState(Qt::PartiallyChecked);
    grid->addWidget(LTAllCheck, 3, 0, 1, 2);
    return group;
}

QWidget* TScopeForm::buildSensorsGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Sensors"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    addSelector(*this, grid, scopetrace::QuickRelease, "SAR Quick Release", "QRDCheck",
                "QRDColShape", QStringLiteral("SAR Quick Release"), 0, 0);
    addSelector(*this, grid, scopetrace::Hysteresis, "Hysteresis", "MDCheck", "MDColShape",
                QStringLiteral("Hysteresis"), 1, 0);
    addSelector(*this, grid, scopetrace::Hall, "Hall Value", "HallCheck", "HallColShape",
                QStringLiteral("Hall Value"), 2, 0);
    addSelector(*this, grid, scopetrace::Temperature, "Temperature", "TempCheck", "TempColShape",
                QStringLiteral("Temperature"), 3, 0);
    return group;
}

QWidget* TScopeForm::buildSettingsGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Settings"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    MaxEdit = new QLineEdit(QStringLiteral("1500"), group);
    MaxEdit->setObjectName(QStringLiteral("MaxEdit"));
    MaxEdit->setAccessibleName(QStringLiteral("Y Max"));
    MinEdit = new QLineEdit(QStringLiteral("0"), group);
    MinEdit->setObjectName(QStringLiteral("MinEdit"));
    MinEdit->setAccessibleName(QStringLiteral("Y Min"));
    for (QLineEdit* e : {MaxEdit, MinEdit})
        e->setMaximumWidth(80);
    YIncSpin = new QSpinBox(group);
    YIncSpin->setObjectName(QStringLiteral("YIncSpin"));
    YIncSpin->setAccessibleName(QStringLiteral("Y Inc"));
    YIncSpin->setRange(kYIncMin, kYIncMax);
    YIncSpin->setValue(kYIncStart);
    XRangeSpin = new QSpinBox(group);
    XRangeSpin->setObjectName(QStringLiteral("XRangeSpin"));
    XRangeSpin->setAccessibleName(QStringLiteral("X Range"));
    XRangeSpin->setRange(kXRangeMin, kXRangeMax);
    XRangeSpin->setSingleStep(kXRangeStep);
    XRangeSpin->setValue(kXRangeStart);
    for (QSpinBox* s : {YIncSpin, XRangeSpin}) {
        s->setMaximumWidth(80);
        s->installEventFilter(this);
    }
    SetMaxButton = button("Set Y Max", "SetMaxButton", group);
    SetMinButton = button("Set Y Min", "SetMinButton", group);
    YIncButton = button("Set Y Inc", "YIncButton", group);
    SetXRangeButton = button("Set X Range", "SetXRangeButton", group);

    grid->addWidget(MaxEdit, 0, 0);
    grid->addWidget(SetMaxButton, 0, 1);
    grid->addWidget(YIncSpin, 0, 2);
    grid->addWidget(YIncButton, 0, 3);
    grid->addWidget(MinEdit, 1, 0);
    grid->addWidget(SetMinButton, 1, 1);
    grid->addWidget(XRangeSpin, 1, 2);
    grid->addWidget(SetXRangeButton, 1, 3);

    // The read-out options are not offered: both stay checked.
    XCoordCheck = new QCheckBox(QStringLiteral("X Coordinates"), group);
    XCoordCheck->setObjectName(QStringLiteral("XCoordCheck"));
    YCoordCheck = new QCheckBox(QStringLiteral("Y Coordinates"), group);
    YCoordCheck->setObjectName(QStringLiteral("YCoordCheck"));
    for (QCheckBox* c : {XCoordCheck, YCoordCheck}) {
        c->setChecked(true);
        c->setVisible(false);
    }

    CoordinatesLabel = new QLabel(group);
    CoordinatesLabel->setObjectName(QStringLiteral("CoordinatesLabel"));
    CoordinatesLabel->setAlignment(Qt::AlignCenter);
    QFont bold = CoordinatesLabel->font();
    bold.setBold(true);
    CoordinatesLabel->setFont(bold);
    QSizePolicy keep = CoordinatesLabel->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    CoordinatesLabel->setSizePolicy(keep);
    CoordinatesLabel->setVisible(false);
    grid->addWidget(CoordinatesLabel, 2, 0, 1, 4);
    grid->setRowStretch(3, 1);
    return group;
}
