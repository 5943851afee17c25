#include "SimulationPanel.h"

#include "SimBackend.h"
#include "SimTool.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QSlider* slider(int minimum, int maximum, QWidget* parent)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(minimum, maximum);
    s->setMinimumWidth(220);
    return s;
}

}  // namespace

SimulationPanel::SimulationPanel(std::shared_ptr<sim::SimBackend> backend, QWidget* parent)
    : QDialog(parent), FBackend(std::move(backend))
{
    setWindowTitle(QStringLiteral("Simulated Chip"));
    setObjectName(QStringLiteral("SimulationPanel"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(
        QStringLiteral("The program runs on a simulated configuration tool and chip.\n"
                       "Move the finger, the magnet and the metal target here."),
        this);
    layout->addWidget(note);
    auto* form = new QFormLayout;
    FCycle = new QCheckBox(QStringLiteral("Finger moves over channels 0 to 2 by itself"), this);
    FCycle->setChecked(true);
    form->addRow(FCycle);
    for (int ch = 0; ch < 3; ++ch) {
        FFinger[ch] = slider(0, 100, this);
        form->addRow(QStringLiteral("Finger on CH%1").arg(ch), FFinger[ch]);
        connect(FFinger[ch], &QSlider::valueChanged, this, [this] {
            FCycle->setChecked(false);
            apply();
        });
    }
    FMagnet = slider(-3000, 3000, this);
    form->addRow(QStringLiteral("Magnet (south - north)"), FMagnet);
    FMetal = slider(0, 100, this);
    form->addRow(QStringLiteral("Metal target"), FMetal);
    layout->addLayout(form);
    FPlug = new QPushButton(this);
    layout->addWidget(FPlug);
    connect(FPlug, &QPushButton::clicked, this, &SimulationPanel::togglePlugged);
    connect(FCycle, &QCheckBox::toggled, this, &SimulationPanel::apply);
    connect(FMagnet, &QSlider::valueChanged, this, &SimulationPanel::apply);
    connect(FMetal, &QSlider::valueChanged, this, &SimulationPanel::apply);
    FPlug->setText(plugged() ? QStringLiteral("Unplug the tool") : QStringLiteral("Plug the tool in"));
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
    FPlug->setText(plugged() ? QStringLiteral("Unplug the tool") : QStringLiteral("Plug the tool in"));
    emit pluggedChanged(plugged());
}

void SimulationPanel::apply()
{
    for (int key : FBackend->tools()) {
        sim::ToolControl tool = FBackend->tool(key);
        tool.setFingerCycle(FCycle->isChecked());
        if (!FCycle->isChecked()) {
            for (int ch = 0; ch < 3; ++ch)
                tool.setFinger(ch, FFinger[ch]->value() / 100.0);
        }
        tool.setMagnet(FMagnet->value());
        tool.setMetal(FMetal->value() / 100.0);
    }
}
