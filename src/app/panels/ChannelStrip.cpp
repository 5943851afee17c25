#include "ChannelStrip.h"

#include "PictureLabel.h"
#include "Pictures.h"
#include "StaleLook.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace {

// Rows, top to bottom.
constexpr int kPictureY = 4;
constexpr int kNumberY = 34;
constexpr int kCheckY = 52;
constexpr int kCountY = 76;
constexpr int kLtaY = 96;
constexpr int kDeltaY = 116;
constexpr int kRowHeight = 18;
constexpr int kHeight = 138;
constexpr int kValueWidth = 58;
constexpr int kCaptionX = 6;

const QColor kCountColour(0x20, 0x20, 0x20);
const QColor kLtaColour(0x00, 0x40, 0x80);
const QColor kDeltaColour(0x7A, 0x3E, 0x00);

QLabel* valueLabel(QWidget* parent, const QString& name, const QColor& colour)
{
    auto* l = new QLabel(QStringLiteral("N/A"), parent);
    l->setAccessibleDescription(l->text()); // the value, under the label's name
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedSize(kValueWidth, kRowHeight);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
}

void centreAt(QWidget* w, int x, int y)
{
    w->move(x - w->width() / 2, y);
}

} // namespace

TChannelStrip::TChannelStrip(const Pictures& pics, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ChannelStrip"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    const std::array<std::pair<const char*, QColor>, 6> captions{{
        {"State", QColor(0x50, 0x50, 0x50)},
        {"Channel", QColor(0x50, 0x50, 0x50)},
        {"", QColor()},
        {"Count", kCountColour},
        {"LTA", kLtaColour},
        {"Delta", kDeltaColour},
    }};
    const std::array<int, 6> rowY{kPictureY + 4, kNumberY, kCheckY, kCountY, kLtaY, kDeltaY};
    QFont captionFont = font();
    captionFont.setBold(true);
    for (std::size_t r = 0; r < captions.size(); ++r) {
        if (!*captions[r].first)
            continue;
        auto* c = new QLabel(QString::fromLatin1(captions[r].first), this);
        c->setFont(captionFont);
        QPalette cp = c->palette();
        cp.setColor(QPalette::WindowText, captions[r].second);
        c->setPalette(cp);
        c->setFixedHeight(kRowHeight);
        c->move(kCaptionX, rowY[r]);
        FCaptions[r] = c;
    }
    FAll = new QCheckBox(QStringLiteral("All"), this);
    FAll->setObjectName(QStringLiteral("AllCheck"));
    FAll->setFont(captionFont);
    FAll->adjustSize();
    FAll->move(kCaptionX - 2, kCheckY);
    // A click on a partly ticked "All" ticks every channel.
    connect(FAll, &QCheckBox::clicked, this, [this](bool on) {
        for (int n = 0; n < kDisplayChannels; ++n) {
            const QSignalBlocker block(FChecks[static_cast<std::size_t>(n)]);
            FChecks[static_cast<std::size_t>(n)]->setChecked(on);
        }
        showAllState();
        emit allClicked(on);
    });

    QFont numberFont = font();
    numberFont.setBold(true);
    for (int n = 0; n < kColumns; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (n < kDisplayChannels) {
            FPictures[i] = new TPictureLabel(pics.CHNone, pics.CHProx, pics.CHTouch, this);
            FPictures[i]->setObjectName(QStringLiteral("CH%1PTShape").arg(n));
            FPictures[i]->setAccessibleName(QStringLiteral("State CH%1").arg(n));
            FLtas[i] = valueLabel(this, QStringLiteral("LTA%1Lbl").arg(n), kLtaColour);
            FLtas[i]->setAccessibleName(QStringLiteral("LTA CH%1").arg(n));
            FDeltas[i] = valueLabel(this, QStringLiteral("DT%1Lbl").arg(n), kDeltaColour);
            FDeltas[i]->setAccessibleName(QStringLiteral("Delta CH%1").arg(n));
        } else {
            auto* edit = new QLineEdit(this);
            const int bar = n;
            edit->setObjectName(QStringLiteral("Bar%1AdrEdit").arg(n - kDisplayChannels + 1));
            edit->setMaxLength(2);
            edit->setAlignment(Qt::AlignCenter);
            edit->setPlaceholderText(QStringLiteral("Adr"));
            edit->setAccessibleName(QStringLiteral("Address CH%1").arg(n));
            edit->setToolTip(QStringLiteral("Register address of bar %1 (hexadecimal)").arg(n));
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), edit));
            edit->setFixedSize(kValueWidth - 12, 22);
            connect(edit, &QLineEdit::editingFinished, this,
                    [this, bar, edit] { emit barAddressEdited(bar, edit->text().toUpper()); });
            FAddresses[i - kDisplayChannels] = edit;
        }
        FNumbers[i] = new QLabel(QStringLiteral("CH%1").arg(n), this);
        FNumbers[i]->setFont(numberFont);
        FNumbers[i]->setAlignment(Qt::AlignCenter);
        FNumbers[i]->setFixedSize(kValueWidth, kRowHeight - 2);

        FChecks[i] = new QCheckBox(this);
        FChecks[i]->setObjectName(QStringLiteral("CH%1Check").arg(n));
        // The box has no caption of its own: it is named after its channel.
        FChecks[i]->setAccessibleName(QStringLiteral("CH%1").arg(n));
        FChecks[i]->adjustSize();
        if (n < kDisplayChannels) {
            FChecks[i]->setChecked(true);
            FChecks[i]->setToolTip(QStringLiteral("Enable channel %1").arg(n));
            connect(FChecks[i], &QCheckBox::clicked, this, [this, n](bool on) {
                showAllState();
                emit channelBoxClicked(n, on);
            });
        } else {
            FChecks[i]->setToolTip(QStringLiteral("Stream bar %1").arg(n));
            connect(FChecks[i], &QCheckBox::clicked, this,
                    [this, n](bool on) { emit extraBarBoxClicked(n, on); });
        }
        FCounts[i] = valueLabel(this, QStringLiteral("CS%1Lbl").arg(n), kCountColour);
        FCounts[i]->setAccessibleName(QStringLiteral("Count CH%1").arg(n));
        if (n > 0) {
            auto* sep = new QFrame(this);
            sep->setFrameShape(QFrame::VLine);
            sep->setFrameShadow(QFrame::Sunken);
            sep->setFixedSize(2, kHeight - 8);
            FSeparators[i - 1] = sep;
        }
    }
    setEngineeringMode(false);
    showAllState();
    // Until the bar graph is laid out: evenly spaced.
    std::array<int, kColumns> xs{};
    for (int n = 0; n < kColumns; ++n)
        xs[static_cast<std::size_t>(n)] = 110 + n * 80;
    PositionChannelLabels(xs, kDisplayChannels);
}

QSize TChannelStrip::sizeHint() const
{
    return {600, kHeight};
}

QSize TChannelStrip::minimumSizeHint() const
{
    return {400, kHeight};
}

void TChannelStrip::PositionChannelLabels(const std::array<int, kColumns>& xs, int columns)
{
    columns = std::clamp(columns, 0, kColumns);
    for (int n = 0; n < columns; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const int x = xs[i];
        if (n < kDisplayChannels) {
            centreAt(FPictures[i], x, kPictureY);
            centreAt(FLtas[i], x, kLtaY);
            centreAt(FDeltas[i], x, kDeltaY);
        } else {
            centreAt(FAddresses[i - kDisplayChannels], x, kPictureY + 2);
        }
        centreAt(FNumbers[i], x, kNumberY);
        centreAt(FChecks[i], x, kCheckY);
        centreAt(FCounts[i], x, kCountY);
        if (n > 0) {
            // Half-way between this check box and the previous one.
            const int mid =
                (FChecks[i - 1]->geometry().center().x() + FChecks[i]->geometry().center().x()) / 2;
            FSeparators[i - 1]->move(mid - 1, 4);
        }
    }
}

void TChannelStrip::setEngineeringMode(bool on)
{
    FEngineering = on;
    for (std::size_t e = 0; e < kEngineeringBars; ++e) {
        const std::size_t i = kDisplayChannels + e;
        for (QWidget* w : std::initializer_list<QWidget*>{FNumbers[i], FChecks[i], FCounts[i],
                                                          FAddresses[e], FSeparators[i - 1]})
            w->setVisible(on);
    }
}

std::array<bool, kDisplayChannels> TChannelStrip::channelChecks() const
{
    std::array<bool, kDisplayChannels> c{};
    for (std::size_t n = 0; n < c.size(); ++n)
        c[n] = FChecks[n]->isChecked();
    return c;
}

void TChannelStrip::setChannelChecks(const std::array<bool, kDisplayChannels>& checks)
{
    for (std::size_t n = 0; n < checks.size(); ++n) {
        const QSignalBlocker block(FChecks[n]);
        FChecks[n]->setChecked(checks[n]);
    }
    showAllState();
}

void TChannelStrip::showAllState()
{
    int ticked = 0;
    for (int n = 0; n < kDisplayChannels; ++n)
        ticked += FChecks[static_cast<std::size_t>(n)]->isChecked() ? 1 : 0;
    const QSignalBlocker block(FAll);
    FAll->setCheckState(ticked == kDisplayChannels ? Qt::Checked
                        : ticked == 0              ? Qt::Unchecked
                                                   : Qt::PartiallyChecked);
}

void TChannelStrip::setStale(bool stale)
{
    if (stale == FStale)
        return;
    FStale = stale;
    for (std::size_t i = 0; i < kColumns; ++i) {
        stalelook::setLabelStale(FCounts[i], stale);
        if (i < kDisplayChannels) {
            FPictures[i]->setStale(stale);
            stalelook::setLabelStale(FLtas[i], stale);
            stalelook::setLabelStale(FDeltas[i], stale);
        }
    }
}

bool TChannelStrip::extraBarChecked(int bar) const
{
    return bar >= kDisplayChannels && bar < kColumns &&
           FChecks[static_cast<std::size_t>(bar)]->isChecked();
}

void TChannelStrip::setExtraBarChecked(int bar, bool on)
{
    if (bar < kDisplayChannels || bar >= kColumns)
        return;
    const QSignalBlocker block(FChecks[static_cast<std::size_t>(bar)]);
    FChecks[static_cast<std::size_t>(bar)]->setChecked(on);
}

QLineEdit* TChannelStrip::addressEdit(int bar) const
{
    if (bar < kDisplayChannels || bar >= kColumns)
        return nullptr;
    return FAddresses[static_cast<std::size_t>(bar - kDisplayChannels)];
}

QString TChannelStrip::barAddressText(int bar) const
{
    const QLineEdit* e = addressEdit(bar);
    return e ? e->text() : QString();
}

void TChannelStrip::setBarAddressText(int bar, const QString& text)
{
    if (QLineEdit* e = addressEdit(bar)) {
        const QSignalBlocker block(e);
        e->setText(text);
    }
}
