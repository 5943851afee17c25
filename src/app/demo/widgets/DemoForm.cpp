#include "DemoForm.h"

#include "KvnRadioGroup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 605;
constexpr int kClientHeight = 459;

QGroupBox* whiteGroup(const QString& title, QWidget* parent)
{
    auto* g = new QGroupBox(title, parent);
    g->setAutoFillBackground(true);
    QPalette pal = g->palette();
    pal.setColor(QPalette::Window, Qt::white);
    g->setPalette(pal);
    QFont f = g->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() + 1);
    g->setFont(f);
    return g;
}

// Labels inside a bold group keep the normal weight.
QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(false);
    l->setFont(f);
    return l;
}

const char* const kImageNames[kDemoIndicators] = {"CH0ProxImage", "CH0TouchImage", "CH0DeepImage",
                                                  "CH1ProxImage", "CH1TouchImage", "CH1DeepImage"};
const char* const kStateCaptions[3] = {"Prox", "Touch", "Deep Touch"};

} // namespace

TDemoForm::TDemoForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      FDemo(DemoPictures::draw(devicePixelRatioF()))
{
    setObjectName(QStringLiteral("DemoForm"));
    setWindowTitle(QStringLiteral("2 Channel SAR UI Demo"));
    FShown.fill(-1);

    auto* antennas = new QHBoxLayout;
    antennas->addWidget(antennaGroup(QStringLiteral("SAR Antenna 1"), 0));
    antennas->addWidget(antennaGroup(QStringLiteral("SAR Antenna 2"), 1));

    auto* events = whiteGroup(QStringLiteral("Events"), this);
    auto* counterCaption = plainLabel(QStringLiteral("Event Counter:"), events);
    eventCounterLabel = plainLabel(QStringLiteral("0"), events);
    eventCounterLabel->setObjectName(QStringLiteral("eventCounterLabel"));
    eventCounterLabel->setAccessibleName(QStringLiteral("Event Counter"));
    eventCounterLabel->setAccessibleDescription(eventCounterLabel->text());
    eventCounterLabel->setMinimumWidth(60);
    QFont counterFont = eventCounterLabel->font();
    counterFont.setBold(true);
    counterFont.setPointSizeF(counterFont.pointSizeF() + 4);
    eventCounterLabel->setFont(counterFont);
    counterCaption->setBuddy(eventCounterLabel);
    LoadSarSettings = new QPushButton(QStringLiteral("Load Settings"), events);
    LoadSarSettings->setObjectName(QStringLiteral("LoadSarSettings"));
    QFont normal = LoadSarSettings->font();
    normal.setBold(false);
    LoadSarSettings->setFont(normal);
    CommsModeRadioDemo = new TKvnRadioGroup(
        QStringLiteral("Mode"), {QStringLiteral("Streaming Mode"), QStringLiteral("Event Mode")},
        events);
    CommsModeRadioDemo->setObjectName(QStringLiteral("CommsModeRadioDemo"));
    CommsModeRadioDemo->HeaderFont = font();
    CommsModeRadioDemo->HeaderFont.setBold(true);
    CommsModeRadioDemo->ItemsFont = normal;
    CommsModeRadioDemo->applyFonts();
    CommsModeRadioDemo->setItemIndex(0);

    auto* eventsLayout = new QGridLayout(events);
    eventsLayout->setContentsMargins(14, 12, 14, 12);
    eventsLayout->setHorizontalSpacing(16);
    eventsLayout->addWidget(counterCaption, 0, 0);
    eventsLayout->addWidget(eventCounterLabel, 0, 1);
    eventsLayout->addWidget(LoadSarSettings, 1, 0, 1, 2);
    eventsLayout->addWidget(CommsModeRadioDemo, 0, 2, 2, 1);
    eventsLayout->setColumnStretch(1, 1);
    eventsLayout->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(antennas, 1);
    layout->addWidget(events);

    connect(LoadSarSettings, &QPushButton::clicked, this, &TDemoForm::loadSettingsClicked);
    connect(CommsModeRadioDemo, &TKvnRadioGroup::itemClicked, this, &TDemoForm::modeChosen);
    setFixedSize(kClientWidth, kClientHeight);
}

QWidget* TDemoForm::antennaGroup(const QString& title, int channel)
{
    auto* g = whiteGroup(title, this);
    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(18, 14, 18, 14);
    grid->setHorizontalSpacing(18);
    for (int row = 0; row < 3; ++row) {
        const int i = channel * 3 + row;
        auto* image = new QLabel(g);
        image->setObjectName(QString::fromLatin1(kImageNames[i]));
        image->setFixedSize(49, 40);
        image->setPixmap(FDemo[TDemoPicture::SARNone]);
        const QString caption = QString::fromLatin1(kStateCaptions[row]);
        // The name tells the antennas apart; the description says the state.
        image->setAccessibleName(QStringLiteral("Antenna %1 %2").arg(channel + 1).arg(caption));
        image->setAccessibleDescription(QStringLiteral("off"));
        FImages[static_cast<std::size_t>(i)] = image;
        auto* label = plainLabel(caption, g);
        label->setBuddy(image);
        grid->addWidget(image, row, 0);
        grid->addWidget(label, row, 1);
    }
    grid->setColumnStretch(1, 1);
    return g;
}

void TDemoForm::set(TDemoIndicator indicator, bool State)
{
    const auto i = static_cast<std::size_t>(indicator);
    const TDemoPicture picture = demoPicture(indicator, State);
    if (FShown[i] == static_cast<int>(picture))
        return;
    FShown[i] = static_cast<int>(picture);
    ++FAssignments;
    FImages[i]->setPixmap(FDemo[picture]);
    FImages[i]->setAccessibleDescription(State ? QStringLiteral("on") : QStringLiteral("off"));
}

void TDemoForm::forgetStates()
{
    FShown.fill(-1);
}

TDemoPicture TDemoForm::shown(TDemoIndicator indicator) const
{
    const int p = FShown[static_cast<std::size_t>(indicator)];
    return p < 0 ? TDemoPicture::SARNone : static_cast<TDemoPicture>(p);
}

void TDemoForm::setEventCounter(int count)
{
    eventCounterLabel->setText(QString::number(count));
    eventCounterLabel->setAccessibleDescription(eventCounterLabel->text());
}

void TDemoForm::showMode(int index)
{
    if (CommsModeRadioDemo->itemIndex() != index)
        CommsModeRadioDemo->setItemIndex(index);
}

void TDemoForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FCentred)
        return;
    FCentred = true;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TDemoForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit closed();
}
