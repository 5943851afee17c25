#include "FlagsEventsPanel.h"

#include "DisplayColour.h"
#include "StaleLook.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

void colourLabel(QLabel* l, const QColor& back, const QColor& text)
{
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, text);
    l->setPalette(pal);
}

QLabel* boxLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumHeight(l->fontMetrics().height() + 8);
    return l;
}

constexpr std::array<const char*, kEventIndicatorCount> kEventNames{
    "GlobalEventLabel", "PXSEventLabel",        "SAREventLabel",
    "HALLEventLabel",   "HysteresisEventLabel", "SystemEventLabel",
    "PMUEventLabel",    "SARActiveEventLabel",  "TemperatureEventLabel"};

} // namespace

TFlagsEventsPanel::TFlagsEventsPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Flags && Events"), parent)
{
    setObjectName(QStringLiteral("FlagsEventsPanel"));
    // A heading like the column's other groups; its own groups and labels
    // keep the normal font.
    QFont heading = font();
    heading.setBold(true);
    setFont(heading);
    QFont normal = heading;
    normal.setBold(false);

    auto* power = new QGroupBox(QStringLiteral("Power Modes"), this);
    power->setFont(normal);
    FPowerMode = boxLabel(power, QStringLiteral("PowerModesLabel"), QString());
    QFont bold = FPowerMode->font();
    bold.setBold(true);
    FPowerMode->setFont(bold);
    showPowerMode(TPowerModeView{});
    auto* powerLayout = new QVBoxLayout(power);
    powerLayout->setContentsMargins(6, 4, 6, 6);
    powerLayout->addWidget(FPowerMode);

    auto* flags = new QGroupBox(QStringLiteral("System Flags"), this);
    flags->setFont(normal);
    auto* flagsLayout = new QGridLayout(flags);
    flagsLayout->setContentsMargins(8, 4, 8, 6);
    flagsLayout->setHorizontalSpacing(12);
    flagsLayout->setVerticalSpacing(2);
    const std::array<const char*, 4> flagNames{"ResetFlagLabel", "LowPowerFlagLabel",
                                               "InATIFlagLabel", "NPSegFlagLabel"};
    const TDisplayView initial;
    for (std::size_t i = 0; i < FFlags.size(); ++i) {
        FFlags[i] = new QLabel(QString::fromLatin1(initial.SystemFlagTexts[i]), flags);
        FFlags[i]->setObjectName(QString::fromLatin1(flagNames[i]));
        flagsLayout->addWidget(FFlags[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }

    auto* events = new QGroupBox(QStringLiteral("Events"), this);
    events->setFont(normal);
    auto* eventsLayout = new QGridLayout(events);
    eventsLayout->setContentsMargins(6, 4, 6, 6);
    eventsLayout->setSpacing(4);
    for (int i = 0; i < kEventIndicatorCount; ++i) {
        const auto& look = eventIndicatorLook(static_cast<TEventIndicator>(i));
        auto* l = boxLabel(events, QString::fromLatin1(kEventNames[static_cast<std::size_t>(i)]),
                           QString::fromLatin1(look.caption));
        if (*look.hint)
            l->setToolTip(QString::fromLatin1(look.hint));
        colourLabel(l, displayColour(kEventUnlitColour), Qt::black);
        FEvents[static_cast<std::size_t>(i)] = l;
        eventsLayout->addWidget(l, i / 3, i % 3);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(power);
    layout->addWidget(flags);
    layout->addWidget(events);
}

void TFlagsEventsPanel::showPowerMode(const TPowerModeView& v)
{
    FPowerView = v;
    const QString text = QString::fromLatin1(v.Text);
    if (FPowerMode->text() != text)
        FPowerMode->setText(text);
    // Stale: the last mode stays readable but not lit in its colour, so that
    // an unpowered chip does not seem to run in "Normal Power".
    const QColor back = FStale ? displayColour(kEventUnlitColour) : displayColour(v.Colour);
    const QColor fore = FStale                             ? stalelook::textColour()
                        : v.Colour == dispcolour::HaltMode ? QColor(Qt::white)
                                                           : QColor(Qt::black);
    const QPalette& pal = FPowerMode->palette();
    if (pal.color(QPalette::Window) != back || pal.color(QPalette::WindowText) != fore)
        colourLabel(FPowerMode, back, fore);
}

void TFlagsEventsPanel::setStale(bool stale)
{
    FStale = stale;
    showPowerMode(FPowerView);
    for (QLabel* l : FFlags)
        stalelook::setLabelStale(l, stale);
}

void TFlagsEventsPanel::showSystemFlags(const std::array<const char*, 4>& texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QString t = QString::fromLatin1(texts[i]);
        if (FFlags[i]->text() != t)
            FFlags[i]->setText(t);
    }
}

void TFlagsEventsPanel::showEvents(const TEventIndicators& indicators)
{
    for (int i = 0; i < kEventIndicatorCount; ++i) {
        const auto id = static_cast<TEventIndicator>(i);
        const auto k = static_cast<std::size_t>(i);
        const bool lit = indicators.lit(id);
        if (lit == FLit[k])
            continue;
        FLit[k] = lit;
        const auto& look = eventIndicatorLook(id);
        if (lit)
            colourLabel(FEvents[k], displayColour(look.litColour),
                        look.whiteText ? Qt::white : Qt::black);
        else
            colourLabel(FEvents[k], displayColour(kEventUnlitColour), Qt::black);
    }
}
