#include "BarGraphPanel.h"

#include "Pictures.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TBarGraphPanel::TBarGraphPanel(const Pictures& pictures, QWidget* parent)
    : QWidget(parent), FGraph(new TBarGraph(pictures.BackText, pictures.WaitText, this)),
      FStrip(new TChannelStrip(pictures, this)), FRePosTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("BarGraphPanel"));
    FGraph->setMinimumHeight(220);
    FGraph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    FStrip->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    FStrip->setFixedHeight(FStrip->sizeHint().height());

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 2, 6, 4);
    buttons->setSpacing(6);
    buttons->addStretch(1);
    struct ButtonDef {
        const char* name;
        const char* caption;
        const char* hint;
        void (TBarGraphPanel::*signal)();
    };
    const ButtonDef defs[] = {
        {"RedoATIButton", "Redo ATI", "Run the chip's ATI again", &TBarGraphPanel::redoAtiClicked},
        {"ReseedButton", "Reseed", "Reseed the long-term averages", &TBarGraphPanel::reseedClicked},
        {"ShowResetButton", "Show Reset", "Acknowledge the reset flag and report the next reset",
         &TBarGraphPanel::showResetClicked},
        {"SoftResetButton", "Soft Reset", "Reset the chip", &TBarGraphPanel::softResetClicked},
    };
    for (const auto& d : defs) {
        auto* b = new QPushButton(QString::fromLatin1(d.caption), this);
        b->setObjectName(QString::fromLatin1(d.name));
        b->setToolTip(QString::fromLatin1(d.hint));
        b->setMinimumWidth(88);
        const auto signal = d.signal;
        connect(b, &QPushButton::clicked, this, [this, signal] { emit(this->*signal)(); });
        buttons->addWidget(b);
        if (d.signal == &TBarGraphPanel::showResetClicked)
            FShowReset = b;
        FCommands.push_back(b);
    }
    FGraph->setAccessibleName(QStringLiteral("Bar Graph"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FGraph, 1);
    layout->addWidget(FStrip);
    layout->addLayout(buttons);

    FRePosTimer->setObjectName(QStringLiteral("RePosTimer"));
    FRePosTimer->setSingleShot(true);
    FRePosTimer->setInterval(50);
    connect(FRePosTimer, &QTimer::timeout, this, &TBarGraphPanel::PositionChannelLabels);
}

void TBarGraphPanel::setCommandButtons(bool chipPowered, bool showResetEnabled)
{
    for (QPushButton* b : FCommands)
        b->setEnabled(chipPowered && (b != FShowReset || showResetEnabled));
}

void TBarGraphPanel::setStale(bool stale)
{
    FGraph->setStale(stale);
    FStrip->setStale(stale);
}

void TBarGraphPanel::setEngineeringMode(bool on)
{
    FGraph->setEngineeringBars(on);
    FStrip->setEngineeringMode(on);
    schedulePositioning();
}

void TBarGraphPanel::schedulePositioning()
{
    FRePosTimer->start();
}

void TBarGraphPanel::PositionChannelLabels()
{
    FGraph->replot(QCustomPlot::rpQueuedRefresh); // lays out the axes
    std::array<int, TChannelStrip::kColumns> xs{};
    for (int n = 0; n < FGraph->barSlots(); ++n) {
        const QPoint inPanel = FGraph->mapTo(this, QPoint(FGraph->barPixelX(n), 0));
        xs[static_cast<std::size_t>(n)] = FStrip->mapFrom(this, inPanel).x();
    }
    FStrip->PositionChannelLabels(xs, FGraph->barSlots());
}

void TBarGraphPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    schedulePositioning();
}

void TBarGraphPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    schedulePositioning();
}
