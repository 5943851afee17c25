#include "CapacitancePage.h"

#include "CapacitanceCalculation.h"
#include "EngineeringTexts.h"
#include "ResponsiveWait.h"
#include "Session.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TCapacitancePage::TCapacitancePage(TSession& session, QWidget* parent)
    : QWidget(parent), FSession(session), FCalc(new TCapacitanceCalculation(session, this))
{
    setObjectName(QStringLiteral("CapCalculationPage"));
    FCalc->setWaiter(&responsiveWait);

    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Load Capacitance"), this);
    auto* grid = new QGridLayout(group);
    CalculateLoadCapacitanceButton =
        new QPushButton(QString::fromLatin1(engmsg::kCalculate), group);
    CalculateLoadCapacitanceButton->setObjectName(QStringLiteral("CalculateLoadCapacitanceButton"));
    CalculateLoadCapacitanceButton->setMinimumHeight(30);
    UseCurSettingsCalculationCheckbox = new QCheckBox(
        QStringLiteral("Use current settings (otherwise settings will be reset to default)"), group);
    UseCurSettingsCalculationCheckbox->setObjectName(
        QStringLiteral("UseCurSettingsCalculationCheckbox"));
    grid->addWidget(CalculateLoadCapacitanceButton, 0, 0, 1, 3);
    grid->addWidget(UseCurSettingsCalculationCheckbox, 1, 0, 1, 3);
    for (int n = 0; n < 3; ++n) {
        const auto i = static_cast<std::size_t>(n);
        CapLabels[i] = new QLabel(group);
        CapLabels[i]->setObjectName(QStringLiteral("CapLabel%1").arg(n));
        LoadCapLabels[i] = new QLabel(QStringLiteral("-"), group);
        LoadCapLabels[i]->setObjectName(QStringLiteral("CH%1LoadCapLabel").arg(n));
        LoadCapLabels[i]->setMinimumWidth(90);
        QFont bold = LoadCapLabels[i]->font();
        bold.setBold(true);
        LoadCapLabels[i]->setFont(bold);
        Progress[i] = new QProgressBar(group);
        Progress[i]->setRange(0, 100);
        Progress[i]->setValue(0);
        Progress[i]->setTextVisible(false);
        Progress[i]->setMaximumHeight(12);
        grid->addWidget(CapLabels[i], n + 2, 0);
        grid->addWidget(LoadCapLabels[i], n + 2, 1);
        grid->addWidget(Progress[i], n + 2, 2);
    }
    grid->setColumnStretch(2, 1);
    group->setMaximumWidth(560);
    page->addWidget(group);
    page->addStretch(1);
    showRowLabels();
    showButtons();

    connect(CalculateLoadCapacitanceButton, &QPushButton::clicked, this,
            &TCapacitancePage::CalculateLoadCapacitanceButtonClick);
    connect(UseCurSettingsCalculationCheckbox, &QCheckBox::toggled, this,
            &TCapacitancePage::showRowLabels);
    connect(&session, &TSession::buttonsChanged, this, &TCapacitancePage::showButtons);
    connect(FCalc, &TCapacitanceCalculation::channelProgress, this, [this](int n, int percent) {
        QProgressBar* bar = Progress[static_cast<std::size_t>(n)];
        bar->setValue(percent);
        bar->setAccessibleName(QStringLiteral("CH%1 progress").arg(n));
    });
}

TCapacitancePage::~TCapacitancePage() = default;

void TCapacitancePage::showButtons()
{
    if (FCalc->running())
        return;
    CalculateLoadCapacitanceButton->setEnabled(FSession.buttons().loadCapacitanceEnabled);
}

void TCapacitancePage::showRowLabels()
{
    const bool current = UseCurSettingsCalculationCheckbox->isChecked();
    for (int n = 0; n < 3; ++n) {
        QLabel* label = CapLabels[static_cast<std::size_t>(n)];
        label->setText(QString::fromStdString(capacitanceRowLabel(n, current)));
        LoadCapLabels[static_cast<std::size_t>(n)]->setAccessibleName(label->text());
    }
}

void TCapacitancePage::CalculateLoadCapacitanceButtonClick()
{
    if (FCalc->running())
        return;
    CalculateLoadCapacitanceButton->setText(QString::fromLatin1(engmsg::kCalculating));
    CalculateLoadCapacitanceButton->setEnabled(false);
    UseCurSettingsCalculationCheckbox->setEnabled(false);
    const TCapacitanceResult result = FCalc->run(UseCurSettingsCalculationCheckbox->isChecked());
    showResult(result);
    CalculateLoadCapacitanceButton->setText(QString::fromLatin1(engmsg::kCalculate));
    UseCurSettingsCalculationCheckbox->setEnabled(true);
    showButtons();
}

void TCapacitancePage::showResult(const TCapacitanceResult& result)
{
    for (std::size_t n = 0; n < 3; ++n) {
        const auto& value = result.values[n];
        LoadCapLabels[n]->setText(value ? QString::fromStdString(capacitanceText(*value))
                                        : QStringLiteral("-"));
    }
}
