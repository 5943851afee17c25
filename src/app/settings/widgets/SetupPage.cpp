#include "SetupPage.h"

#include "EmptySpinNotice.h"
#include "KvnRadioGroup.h"
#include "Session.h"
#include "SettingsForm.h"
#include "SettingsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kPollingEntry = 2; // "Polling"

QComboBox* combo(const char* name, const QStringList& entries, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(entries);
    c->setMaximumWidth(200);
    return c;
}

QSpinBox* spin(const char* name, int min, int max, QWidget* parent)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(min, max);
    s->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    s->setMaximumWidth(120);
    return s;
}

// A label with the control as its buddy, so the control is named by it.
QLabel* labelFor(const QString& text, QWidget* control)
{
    auto* l = new QLabel(text, control->parentWidget());
    l->setBuddy(control);
    control->setAccessibleName(QString(text).remove(QLatin1Char(':')).trimmed());
    return l;
}

void setIndex(QComboBox* c, int index)
{
    if (c->currentIndex() != index)
        c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
}

// Sets a spin from the model, leaving a box the user is emptying alone.
void setSpin(QSpinBox* s, double value)
{
    const int v = static_cast<int>(std::lround(value));
    if (s->value() != v)
        s->setValue(v);
}

void setBold(QCheckBox* box, bool bold)
{
    QFont f = box->font();
    f.setBold(bold);
    box->setFont(f);
}

} // namespace

TSetupPage::TSetupPage(TSettingsForm& form) : TSettingsPage(form, settingspage::kSetup)
{
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    left->addWidget(buildToolGroup());
    left->addWidget(buildStreamingGroup());
    left->addStretch(1);
    right->addWidget(buildBarGraphGroup());
    right->addWidget(buildDisplayGroup());
    right->addWidget(buildFilesGroup());
    right->addStretch(1);

    // The recent list and the buttons' states live in the session.
    connect(&session(), &TSession::buttonsChanged, this, &TSettingsPage::settingsChanged);
}

QWidget* TSetupPage::buildToolGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Kelvan Configuration Tool (USB Dongle)"), this);
    auto* form = new QFormLayout(g);
    VoltageCombo = combo("VoltageCombo", {QStringLiteral("3.3 V"), QStringLiteral("1.8 V")}, g);
    CommsCombo = combo("CommsCombo",
                       {QStringLiteral("RDY Active Low"), QStringLiteral("RDY Active High"),
                        QStringLiteral("Polling")},
                       g);
    PollingSpeedSpin = spin("PollingSpeedSpin", 0, 65535, g);
    CommsSpeedCombo =
        combo("CommsSpeedCombo",
              {QStringLiteral("Fast"), QStringLiteral("Medium"), QStringLiteral("Slow")}, g);
    I2CPullupsRadioGroup =
        new TKvnRadioGroup(QStringLiteral("I2C Pullup Resistors"),
                           {QStringLiteral("Enabled"), QStringLiteral("Disabled")}, g);
    I2CPullupsRadioGroup->setObjectName(QStringLiteral("I2CPullupsRadioGroup"));
    I2CPullupsRadioGroup->setColumns(2);
    I2CPullupsRadioGroup->setAccessibleName(QStringLiteral("I2C Pullup Resistors"));
    I2CAddressEdit = new QLineEdit(g);
    I2CAddressEdit->setObjectName(QStringLiteral("I2CAddressEdit"));
    I2CAddressEdit->setMaxLength(8);
    I2CAddressEdit->setMaximumWidth(80);

    form->addRow(labelFor(QStringLiteral("Voltage Select:"), VoltageCombo), VoltageCombo);
    form->addRow(labelFor(QStringLiteral("Comms Type:"), CommsCombo), CommsCombo);
    PollingSpeedLabel = labelFor(QStringLiteral("Polling Speed (ms)"), PollingSpeedSpin);
    form->addRow(PollingSpeedLabel, PollingSpeedSpin);
    form->addRow(labelFor(QStringLiteral("Comms Speed:"), CommsSpeedCombo), CommsSpeedCombo);
    form->addRow(I2CPullupsRadioGroup);
    form->addRow(labelFor(QStringLiteral("I2C Address (Hex):"), I2CAddressEdit), I2CAddressEdit);

    for (QComboBox* c : {VoltageCombo, CommsSpeedCombo})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { setupEdited(); });
    connect(CommsCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        showPollingEnabled(index);
        setupEdited();
    });
    connect(PollingSpeedSpin, &QSpinBox::valueChanged, this, [this] { setupEdited(); });
    connect(I2CPullupsRadioGroup, &TKvnRadioGroup::itemClicked, this, [this] { setupEdited(); });
    connect(I2CAddressEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        session().Setup().I2CAddressText = text.trimmed().toStdString();
        if (!text.trimmed().isEmpty())
            setupEdited();
    });
    noticeEmptySpin(*this, PollingSpeedSpin, QStringLiteral("Polling Speed (ms)"));
    return g;
}

QWidget* TSetupPage::buildStreamingGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Streaming Setup"), this);
    auto* column = new QVBoxLayout(g);
    CSCheck = new QCheckBox(QStringLiteral("Count Samples"), g);
    CSCheck->setObjectName(QStringLiteral("CSCheck"));
    LTACheck = new QCheckBox(QStringLiteral("Long Term Averages (LTA)"), g);
    LTACheck->setObjectName(QStringLiteral("LTACheck"));
    PTCheck = new QCheckBox(QStringLiteral("Prox && Touch"), g); // shows one ampersand
    PTCheck->setObjectName(QStringLiteral("PTCheck"));
    PTCheck->setAccessibleName(QStringLiteral("Prox & Touch"));
    for (QCheckBox* c : {CSCheck, LTACheck, PTCheck}) {
        column->addWidget(c);
        connect(c, &QCheckBox::clicked, this, [this] { streamingEdited(); });
    }
    return g;
}

QWidget* TSetupPage::buildBarGraphGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Bar Graph"), this);
    auto* form = new QFormLayout(g);
    GraphMinSpin = spin("GraphMinSpin", 0, 10000, g);
    GraphMaxSpin = spin("GraphMaxSpin", 1, 10000, g);
    GraphIncSpin = spin("GraphIncSpin", 1, 10000, g);
    const QString captions[] = {QStringLiteral("Y Axis Minimum"), QStringLiteral("Y Axis Maximum"),
                                QStringLiteral("Y Axis Increment")};
    QSpinBox* spins[] = {GraphMinSpin, GraphMaxSpin, GraphIncSpin};
    for (int i = 0; i < 3; ++i) {
        form->addRow(labelFor(captions[i], spins[i]), spins[i]);
        connect(spins[i], &QSpinBox::valueChanged, this, [this] { setupEdited(); });
        noticeEmptySpin(*this, spins[i], captions[i]);
    }
    Label59 = new QLabel(g);
    Label59->setObjectName(QStringLiteral("Label59"));
    Label59->setStyleSheet(QStringLiteral("color: #C00000;"));
    Label59->setWordWrap(true);
    form->addRow(Label59);
    return g;
}

QWidget* TSetupPage::buildDisplayGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Display Options"), this);
    auto* column = new QVBoxLayout(g);
    DeltaCheck = new QCheckBox(QStringLiteral("Baseline View"), g);
    DeltaCheck->setObjectName(QStringLiteral("DeltaCheck"));
    auto* note = new QLabel(
        QStringLiteral("Display only the Deltas. Counts and LTA Streaming must be active."), g);
    note->setWordWrap(true);
    column->addWidget(DeltaCheck);
    column->addWidget(note);
    connect(DeltaCheck, &QCheckBox::clicked, this, [this](bool on) {
        setBold(DeltaCheck, on);
        setupEdited();
    });
    return g;
}

QWidget* TSetupPage::buildFilesGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Save / Load Settings"), this);
    auto* grid = new QGridLayout(g);
    SettingsFileButton = new QToolButton(g);
    SettingsFileButton->setObjectName(QStringLiteral("SettingsFileButton"));
    SettingsFileButton->setText(QStringLiteral("..."));
    SettingsFileButton->setToolTip(QStringLiteral("Select settings file"));
    SettingsFileButton->setAccessibleName(QStringLiteral("Select settings file"));
    SettingsFileCombo = new QComboBox(g);
    SettingsFileCombo->setObjectName(QStringLiteral("SettingsFileCombo"));
    SettingsFileCombo->setMinimumWidth(220);
    auto* browseLabel = new QLabel(QStringLiteral("(Browse to settings file)"), g);
    browseLabel->setBuddy(SettingsFileCombo);
    SettingsFileCombo->setAccessibleName(QStringLiteral("Settings file"));
    LoadSettingsButton = new QPushButton(QStringLiteral("Apply Settings"), g);
    LoadSettingsButton->setObjectName(QStringLiteral("LoadSettingsButton"));
    SaveSettingsButton = new QPushButton(QStringLiteral("Save Settings"), g);
    SaveSettingsButton->setObjectName(QStringLiteral("SaveSettingsButton"));
    ClearRecentButton = new QPushButton(QStringLiteral("Clear List"), g);
    ClearRecentButton->setObjectName(QStringLiteral("ClearRecentButton"));

    grid->addWidget(browseLabel, 0, 0, 1, 2);
    grid->addWidget(SettingsFileCombo, 1, 0);
    grid->addWidget(SettingsFileButton, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LoadSettingsButton);
    buttons->addWidget(SaveSettingsButton);
    buttons->addWidget(ClearRecentButton);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    connect(SettingsFileButton, &QToolButton::clicked, this, &TSetupPage::browseSettingsFile);
    connect(SettingsFileCombo, &QComboBox::activated, this,
            [this](int index) { session().SelectRecentSettings(index); });
    connect(LoadSettingsButton, &QPushButton::clicked, this,
            [this] { session().LoadSettingsButtonClick(); });
    connect(SaveSettingsButton, &QPushButton::clicked, this, [this] {
        session().SaveSettingsButtonClick();
        toFront();
    });
    connect(ClearRecentButton, &QPushButton::clicked, this,
            [this] { session().ClearRecentButtonClick(); });
    return g;
}

void TSetupPage::setupEdited()
{
    if (refreshing())
        return;
    TSetupModel& m = session().Setup();
    m.VoltageIndex = VoltageCombo->currentIndex();
    m.BaselineView = DeltaCheck->isChecked();
    m.CommsIndex = CommsCombo->currentIndex();
    m.GraphMin = GraphMinSpin->value();
    m.GraphMax = GraphMaxSpin->value();
    m.GraphInc = GraphIncSpin->value();
    m.PollingSpeed = PollingSpeedSpin->value();
    m.PullupIndex = I2CPullupsRadioGroup->itemIndex();
    m.CommsSpeedIndex = CommsSpeedCombo->currentIndex();
    m.I2CAddressText = I2CAddressEdit->text().trimmed().toStdString();
    detectSetupChange();
}

void TSetupPage::streamingEdited()
{
    if (refreshing())
        return;
    TSetupModel& m = session().Setup();
    m.CSCheck = CSCheck->isChecked();
    m.LTACheck = LTACheck->isChecked();
    m.PTCheck = PTCheck->isChecked();
    detectStreamingChange();
}

void TSetupPage::showPollingEnabled(int commsIndex)
{
    const bool polling = commsIndex == kPollingEntry;
    PollingSpeedLabel->setEnabled(polling);
    PollingSpeedSpin->setEnabled(polling);
}

void TSetupPage::browseSettingsFile()
{
    QFileDialog dialog(this, QStringLiteral("Select settings file"), QString(),
                       QStringLiteral("IniFiles (*.ini)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("ini"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        session().BrowseSettingsFile(dialog.selectedFiles().first().toStdString());
    else
        session().SettingsFileDialogCancelled();
    toFront();
}

void TSetupPage::toFront()
{
    window()->raise();
    window()->activateWindow();
}

void TSetupPage::showSettings()
{
    TSession& s = session();
    const TSetupModel& m = s.Setup();
    const TSettingsWindowState& w = s.settingsWindow();
    const TSessionButtons& b = s.buttons();
    const QList<QWidget*> controls = {
        VoltageCombo,   CommsCombo,   PollingSpeedSpin, CommsSpeedCombo,  I2CPullupsRadioGroup,
        I2CAddressEdit, CSCheck,      LTACheck,         PTCheck,          GraphMinSpin,
        GraphMaxSpin,   GraphIncSpin, DeltaCheck,       SettingsFileCombo};
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QWidget* c : controls)
        quiet.push_back(std::make_unique<QSignalBlocker>(c));

    setIndex(VoltageCombo, m.VoltageIndex);
    setIndex(CommsCombo, m.CommsIndex);
    showPollingEnabled(m.CommsIndex);
    setSpin(PollingSpeedSpin, m.PollingSpeed);
    setIndex(CommsSpeedCombo, m.CommsSpeedIndex);
    if (I2CPullupsRadioGroup->itemIndex() != m.PullupIndex)
        I2CPullupsRadioGroup->setItemIndex(m.PullupIndex);
    if (I2CAddressEdit->text().trimmed().toStdString() != m.I2CAddressText)
        I2CAddressEdit->setText(QString::fromStdString(m.I2CAddressText));
    CSCheck->setChecked(m.CSCheck);
    LTACheck->setChecked(m.LTACheck);
    PTCheck->setChecked(m.PTCheck);
    setSpin(GraphMinSpin, m.GraphMin);
    setSpin(GraphMaxSpin, m.GraphMax);
    setSpin(GraphIncSpin, m.GraphInc);
    Label59->setText(w.axisMessage);
    DeltaCheck->setChecked(m.BaselineView);
    setBold(DeltaCheck, m.BaselineView);

    QStringList names;
    for (const auto& name : s.Recent().names())
        names << QString::fromStdString(name);
    QStringList shown;
    for (int i = 0; i < SettingsFileCombo->count(); ++i)
        shown << SettingsFileCombo->itemText(i);
    if (shown != names) {
        SettingsFileCombo->clear();
        SettingsFileCombo->addItems(names);
    }
    SettingsFileCombo->setCurrentIndex(w.recentSelection < names.size() ? w.recentSelection : -1);
    LoadSettingsButton->setEnabled(b.applySettingsEnabled);
    SaveSettingsButton->setEnabled(b.saveSettingsEnabled);
}
