#include "SimulationPanel.h"

#include "SimBackend.h"
#include "SimTool.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace simpanel {

double proximity(int mm, int awayMm)
{
    return std::clamp(1.0 - static_cast<double>(mm) / awayMm, 0.0, 1.0);
}

double magnetField(int mm, bool north)
{
    if (mm >= kMagnetAwayMm)
        return 0.0;
    // A small magnet: 3000 counts at the package, falling with the cube of
    // the distance.
    const double f = 3000.0 * std::pow(5.0 / (5.0 + std::max(mm, 0)), 3.0);
    return north ? f : -f;
}

bool metalNeedsInductiveSetup(std::uint8_t activeChannels, std::uint8_t pxsGlobal)
{
    return !(activeChannels & 0x08) || !(pxsGlobal & 0x40);
}

} // namespace simpanel

namespace {

constexpr std::uint8_t kActiveChannels = 0xD1;
constexpr std::uint8_t kPxsGlobal = 0x50;

QString distanceText(int mm, int awayMm)
{
    if (mm <= 0)
        return QStringLiteral("touching");
    if (mm >= awayMm)
        return QStringLiteral("away");
    return QStringLiteral("%1 mm").arg(mm);
}

} // namespace

SimulationPanel::SimulationPanel(std::shared_ptr<sim::SimBackend> backend, QWidget* parent)
    : QDialog(parent), FBackend(std::move(backend))
{
    setWindowTitle(QStringLiteral("Simulated Chip"));
    setObjectName(QStringLiteral("SimulationPanel"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("The program runs on a simulated configuration tool "
                                           "and chip.\nBring a finger, a magnet or a metal "
                                           "target near the chip here."),
                            this);
    layout->addWidget(note);

    FGrid = new QGridLayout;
    FGrid->setColumnStretch(1, 1);
    FGrid->setColumnMinimumWidth(2, 90);
    layout->addLayout(FGrid);
    for (int ch = 0; ch < 3; ++ch)
        FFinger[static_cast<std::size_t>(ch)] =
            addSlider(QStringLiteral("Finger over CH%1").arg(ch), 0, simpanel::kFingerAwayMm, 0);
    FCycle = new QCheckBox(QStringLiteral("Finger moves over CH0 to CH2 by itself"), this);
    FCycle->setChecked(false);
    FGrid->addWidget(FCycle, FGrid->rowCount(), 0, 1, 3);

    FMagnet =
        addSlider(QStringLiteral("Magnet"), 0, simpanel::kMagnetAwayMm, 0);
    FPole = new QComboBox(this);
    FPole->addItems({QStringLiteral("North pole towards the chip"),
                     QStringLiteral("South pole towards the chip")});
    FPole->setAccessibleName(QStringLiteral("Magnet pole"));
    FGrid->addWidget(FPole, FGrid->rowCount(), 1, 1, 2);

    FMetal = addSlider(QStringLiteral("Metal target"), 0, simpanel::kMetalAwayMm, 0);
    FMetalHint = new QLabel(
        QStringLiteral("The metal target is sensed with the inductive set-up only: channel "
                       "CH3 on and the hysteresis UI enabled (the settings file "
                       "MFS380_INDUCTIVE.ini has both)."),
        this);
    FMetalHint->setObjectName(QStringLiteral("MetalHint"));
    FMetalHint->setWordWrap(true);
    QPalette pal = FMetalHint->palette();
    pal.setColor(QPalette::WindowText, QColor(0xA0, 0x50, 0x00));
    FMetalHint->setPalette(pal);
    FMetalHint->hide();
    FGrid->addWidget(FMetalHint, FGrid->rowCount(), 0, 1, 3);

    FTemperature = addSlider(QStringLiteral("Temperature"), -20, 100, 25);
    FDrift = new QCheckBox(QStringLiteral("Temperature drifts by itself"), this);
    FDrift->setChecked(true);
    FGrid->addWidget(FDrift, FGrid->rowCount(), 0, 1, 3);

    FPlug = new QPushButton(this);
    layout->addWidget(FPlug);
    connect(FPlug, &QPushButton::clicked, this, &SimulationPanel::togglePlugged);
    connect(FCycle, &QCheckBox::toggled, this, &SimulationPanel::apply);
    connect(FDrift, &QCheckBox::toggled, this, &SimulationPanel::apply);
    connect(FPole, &QComboBox::currentIndexChanged, this, &SimulationPanel::apply);

    FHintTimer = new QTimer(this);
    FHintTimer->setInterval(1000);
    connect(FHintTimer, &QTimer::timeout, this, &SimulationPanel::refreshMetalHint);

    FPlug->setText(plugged() ? QStringLiteral("Unplug the tool")
                             : QStringLiteral("Plug the tool in"));
    apply();
}

QSlider* SimulationPanel::addSlider(const QString& caption, int minimum, int maximum, int value)
{
    const int row = FGrid->rowCount();
    auto* label = new QLabel(caption, this);
    auto* s = new QSlider(Qt::Horizontal, this);
    s->setRange(minimum, maximum);
    s->setValue(value);
    s->setMinimumWidth(220);
    s->setAccessibleName(caption);
    label->setBuddy(s);
    auto* shown = new QLabel(this);
    shown->setObjectName(caption + QStringLiteral(" value"));
    shown->setAccessibleName(caption + QStringLiteral(" value"));
    shown->setMinimumWidth(90);
    FGrid->addWidget(label, row, 0);
    FGrid->addWidget(s, row, 1);
    FGrid->addWidget(shown, row, 2);
    s->setProperty("valueLabel", QVariant::fromValue(static_cast<QObject*>(shown)));
    connect(s, &QSlider::valueChanged, this, &SimulationPanel::apply);
    return s;
}

int SimulationPanel::distance(const QSlider* s) const
{
    // A distance slider runs from away (left, its minimum) to touching
    // (right), so that the filled part of its groove grows as the object
    // comes near.
    return s == FTemperature ? s->value() : s->maximum() - s->value();
}

void SimulationPanel::setDistance(QSlider* s, int mm)
{
    s->setValue(s == FTemperature ? mm : s->maximum() - mm);
}

QString SimulationPanel::valueText(const QSlider* s) const
{
    const int v = distance(s);
    if (s == FMagnet)
        return distanceText(v, simpanel::kMagnetAwayMm);
    if (s == FMetal)
        return distanceText(v, simpanel::kMetalAwayMm);
    if (s == FTemperature)
        return FDrift->isChecked() ? QStringLiteral("drifting") : QStringLiteral("%1 °C").arg(v);
    return distanceText(v, simpanel::kFingerAwayMm);
}

void SimulationPanel::showValues()
{
    for (QSlider* s : {FFinger[0], FFinger[1], FFinger[2], FMagnet, FMetal, FTemperature}) {
        if (auto* l = qobject_cast<QLabel*>(s->property("valueLabel").value<QObject*>()))
            l->setText(valueText(s));
    }
    FTemperature->setEnabled(!FDrift->isChecked());
}

bool SimulationPanel::plugged() const
{
    return !FBackend->tools().empty();
}

void SimulationPanel::togglePlugged()
{
    const auto tools = FBackend->tools();
    if (tools.empty()) {
        // The same tool (serial number and all) comes back, as a cable
        // plugged in again would bring it.
        FBackend->plug(FUnplugged.value_or(sim::ToolConfig{}));
        apply();
    } else {
        for (int key : tools) {
            FBackend->tool(key).with([this](sim::SimTool& t) { FUnplugged = t.config(); });
            FBackend->unplug(key);
        }
    }
    FPlug->setText(plugged() ? QStringLiteral("Unplug the tool")
                             : QStringLiteral("Plug the tool in"));
    emit pluggedChanged(plugged());
}

void SimulationPanel::apply()
{
    showValues();
    const bool north = FPole->currentIndex() == 0;
    for (int key : FBackend->tools()) {
        sim::ToolControl tool = FBackend->tool(key);
        tool.setFingerCycle(FCycle->isChecked());
        for (int ch = 0; ch < 3; ++ch)
            tool.setFinger(ch, simpanel::proximity(distance(FFinger[static_cast<std::size_t>(ch)]),
                                                   simpanel::kFingerAwayMm));
        tool.setMagnet(simpanel::magnetField(distance(FMagnet), north));
        tool.setMetal(simpanel::proximity(distance(FMetal), simpanel::kMetalAwayMm));
        if (FDrift->isChecked())
            tool.setTemperature(std::nullopt);
        else
            tool.setTemperature(FTemperature->value());
    }
    refreshMetalHint();
}

void SimulationPanel::refreshMetalHint()
{
    bool needed = false;
    if (distance(FMetal) < simpanel::kMetalAwayMm) {
        const auto tools = FBackend->tools();
        if (!tools.empty()) {
            const sim::ToolControl tool = FBackend->tool(tools.front());
            needed = simpanel::metalNeedsInductiveSetup(tool.chipRegister(kActiveChannels),
                                                        tool.chipRegister(kPxsGlobal));
        }
    }
    if (needed == FMetalHint->isVisibleTo(this))
        return;
    FMetalHint->setVisible(needed);
    // Grow (or shrink) the panel so that the hint's lines are not cut.
    if (isVisible()) {
        layout()->activate();
        resize(width(), heightForWidth(width()) > 0 ? heightForWidth(width()) : sizeHint().height());
    }
}

void SimulationPanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refreshMetalHint();
    FHintTimer->start();
}

void SimulationPanel::hideEvent(QHideEvent* event)
{
    FHintTimer->stop();
    QDialog::hideEvent(event);
}
