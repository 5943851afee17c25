#include "DataLogPage.h"

#include "EmptySpinNotice.h"
#include "Session.h"
#include "SettingsForm.h"
#include "SettingsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kEveryXEntry = 1; // "Log Every (X Samples)"

QCheckBox* box(const QString& name, const QString& accessibleName, QWidget* parent)
{
    auto* c = new QCheckBox(parent);
    c->setObjectName(name);
    c->setAccessibleName(accessibleName);
    return c;
}

template <std::size_t N>
void showBoxes(const std::array<QCheckBox*, N>& boxes, const std::array<bool, N>& values)
{
    for (std::size_t i = 0; i < N; ++i) {
        const QSignalBlocker quiet(boxes[i]);
        boxes[i]->setChecked(values[i]);
    }
}

template <std::size_t N>
void takeBoxes(const std::array<QCheckBox*, N>& boxes, std::array<bool, N>& values)
{
    for (std::size_t i = 0; i < N; ++i)
        values[i] = boxes[i]->isChecked();
}

} // namespace

TDataLogPage::TDataLogPage(TSettingsForm& form) : TSettingsPage(form, settingspage::kDataLogging)
{
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildSensorsGroup());
    top->addWidget(buildChannelGroup(), 1);
    column->addLayout(top);
    column->addWidget(buildLoggingGroup());
    column->addStretch(1);
    connect(&session(), &TSession::buttonsChanged, this, &TSettingsPage::settingsChanged);
    connect(&session(), &TSession::logStateChanged, this, &TSettingsPage::settingsChanged);
}

QWidget* TDataLogPage::buildSensorsGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Sensors"), this);
    auto* grid = new QGridLayout(g);
    const QString captions[] = {QStringLiteral("SAR Quick Release:"), QStringLiteral("HALL:"),
                                QStringLiteral("Hysteresis:")};
    const QString names[] = {QStringLiteral("LogQRDCheck"), QStringLiteral("LogHallCheck"),
                             QStringLiteral("LogMDCheck")};
    QCheckBox** boxes[] = {&LogQRDCheck, &LogHallCheck, &LogMDCheck};
    for (int i = 0; i < 3; ++i) {
        *boxes[i] = box(names[i], QString(captions[i]).remove(QLatin1Char(':')), g);
        auto* label = new QLabel(captions[i], g);
        label->setBuddy(*boxes[i]);
        FLabels << label;
        grid->addWidget(label, i, 0);
        grid->addWidget(*boxes[i], i, 1);
        connect(*boxes[i], &QCheckBox::clicked, this, [this] { selectionEdited(); });
    }
    grid->setRowStretch(3, 1);
    return g;
}

QWidget* TDataLogPage::buildChannelGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Channel Specific"), this);
    auto* grid = new QGridLayout(g);
    for (int n = 0; n < 6; ++n) {
        auto* head = new QLabel(QString::number(n), g);
        head->setAlignment(Qt::AlignCenter);
        FLabels << head;
        grid->addWidget(head, 0, n + 1);
    }
    struct TRow {
        const char* caption; // the row's label
        const char* name;    // the box's name: LogCh<n><suffix>Check
        const char* suffix;
        QCheckBox** boxes;
        int count;
    };
    const TRow rows[] = {{"Counts:", "Counts", "", LogCountChecks.data(), 6},
                         {"LTAs:", "LTA", "LTA", LogLTAChecks.data(), 3},
                         {"Deltas:", "Delta", "DT", LogDTChecks.data(), 3},
                         {"Prox:", "Prox", "P", LogPChecks.data(), 3},
                         {"Touch:", "Touch", "T", LogTChecks.data(), 3}};
    int r = 1;
    for (const TRow& row : rows) {
        auto* label = new QLabel(QString::fromLatin1(row.caption), g);
        FLabels << label;
        grid->addWidget(label, r, 0);
        for (int n = 0; n < row.count; ++n) {
            QCheckBox* c =
                box(QStringLiteral("LogCh%1%2Check").arg(n).arg(row.suffix),
                    QStringLiteral("%1 CH%2").arg(QString::fromLatin1(row.name)).arg(n), g);
            row.boxes[n] = c;
            if (n == 0)
                label->setBuddy(c);
            grid->addWidget(c, r, n + 1, Qt::AlignCenter);
            connect(c, &QCheckBox::clicked, this, [this] { selectionEdited(); });
        }
        ++r;
    }
    grid->setHorizontalSpacing(18);
    grid->setColumnStretch(7, 1);  // the columns stay together on a wide page
    return g;
}

QWidget* TDataLogPage::buildLoggingGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Logging"), this);
    auto* row = new QHBoxLayout(g);
    LogCombo = new QComboBox(g);
    LogCombo->setObjectName(QStringLiteral("LogCombo"));
    LogCombo->addItems(
        {QStringLiteral("Log All Samples"), QStringLiteral("Log Every (X Samples)")});
    LogCombo->setAccessibleName(QStringLiteral("Logging"));
    SampleRateSpin = new QSpinBox(g);
    SampleRateSpin->setObjectName(QStringLiteral("SampleRateSpin"));
    SampleRateSpin->setRange(1, 100);
    SampleRateSpin->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    SampleRateSpin->setAccessibleName(QStringLiteral("X Samples"));
    SampleRateLabel = new QLabel(QStringLiteral("X Samples :"), g);
    SampleRateLabel->setBuddy(SampleRateSpin);
    LogDataButton = new QPushButton(QStringLiteral("Start Log"), g);
    LogDataButton->setObjectName(QStringLiteral("LogDataButton"));
    LogDataButton->setMinimumWidth(110);
    row->addWidget(LogCombo);
    row->addSpacing(12);
    row->addWidget(SampleRateLabel);
    row->addWidget(SampleRateSpin);
    row->addStretch(1);
    row->addWidget(LogDataButton);

    connect(LogCombo, &QComboBox::currentIndexChanged, this, [this] { selectionEdited(); });
    connect(SampleRateSpin, &QSpinBox::valueChanged, this, [this] { selectionEdited(); });
    noticeEmptySpin(*this, SampleRateSpin, QStringLiteral("X Samples"));
    connect(LogDataButton, &QPushButton::clicked, this, &TDataLogPage::LogDataButtonClick);
    return g;
}

void TDataLogPage::selectionEdited()
{
    if (refreshing())
        return;
    TLogSelection& sel = session().settingsWindow().logSelection;
    sel.qrd = LogQRDCheck->isChecked();
    sel.hall = LogHallCheck->isChecked();
    sel.metal = LogMDCheck->isChecked();
    takeBoxes(LogCountChecks, sel.counts);
    takeBoxes(LogLTAChecks, sel.lta);
    takeBoxes(LogDTChecks, sel.delta);
    takeBoxes(LogPChecks, sel.prox);
    takeBoxes(LogTChecks, sel.touch);
    sel.everyX = LogCombo->currentIndex() == kEveryXEntry;
    sel.sampleRate = SampleRateSpin->value();
    showOptionsEnabled(session().state().FDoLog, sel.everyX);
}

void TDataLogPage::LogDataButtonClick()
{
    selectionEdited();
    session().LogDataButtonClick();
    window()->raise();
    window()->activateWindow();
}

void TDataLogPage::showOptionsEnabled(bool logging, bool everyX)
{
    QList<QWidget*> options = {LogQRDCheck, LogHallCheck, LogMDCheck, LogCombo};
    for (const auto* boxes : {&LogLTAChecks, &LogDTChecks, &LogPChecks, &LogTChecks})
        for (QCheckBox* c : *boxes)
            options << c;
    for (QCheckBox* c : LogCountChecks)
        options << c;
    for (QWidget* w : options)
        w->setEnabled(!logging);
    for (QLabel* l : FLabels)
        l->setEnabled(!logging);
    SampleRateSpin->setEnabled(!logging && everyX);
    SampleRateLabel->setEnabled(!logging && everyX);
}

void TDataLogPage::showSettings()
{
    const TLogSelection& sel = session().settingsWindow().logSelection;
    for (auto [c, on] : {std::pair{LogQRDCheck, sel.qrd}, std::pair{LogHallCheck, sel.hall},
                         std::pair{LogMDCheck, sel.metal}}) {
        const QSignalBlocker quiet(c);
        c->setChecked(on);
    }
    showBoxes(LogCountChecks, sel.counts);
    showBoxes(LogLTAChecks, sel.lta);
    showBoxes(LogDTChecks, sel.delta);
    showBoxes(LogPChecks, sel.prox);
    showBoxes(LogTChecks, sel.touch);
    {
        const QSignalBlocker quiet(LogCombo);
        LogCombo->setCurrentIndex(sel.everyX ? kEveryXEntry : 0);
    }
    if (SampleRateSpin->value() != sel.sampleRate) {
        const QSignalBlocker quiet(SampleRateSpin);
        SampleRateSpin->setValue(sel.sampleRate);
    }
    LogDataButton->setText(session().buttons().logCaption);
    showOptionsEnabled(session().state().FDoLog, sel.everyX);
}
