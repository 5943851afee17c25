#include "StaleLook.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr const char* kLiveColour = "staleLookLiveColour";

} // namespace

namespace stalelook {

QColor shade(const QColor& live)
{
    const int grey = qGray(live.rgb());
    // Half-way towards white, so that stale bars read as faded, not as a state.
    const int pale = grey + (255 - grey) / 2;
    return {pale, pale, pale, live.alpha()};
}

QColor textColour()
{
    return {0x9A, 0x9A, 0x9A};
}

void setLabelStale(QLabel* label, bool stale)
{
    const QVariant live = label->property(kLiveColour);
    if (stale == live.isValid())
        return;
    QPalette pal = label->palette();
    if (stale) {
        label->setProperty(kLiveColour, pal.color(QPalette::WindowText));
        pal.setColor(QPalette::WindowText, textColour());
    } else {
        pal.setColor(QPalette::WindowText, live.value<QColor>());
        label->setProperty(kLiveColour, QVariant());
    }
    label->setPalette(pal);
}

QPixmap greyed(const QPixmap& picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = shade(QColor::fromRgba(line[x]));
            line[x] = qRgba(c.red(), c.green(), c.blue(), qAlpha(line[x]));
        }
    }
    QPixmap out = QPixmap::fromImage(image);
    out.setDevicePixelRatio(picture.devicePixelRatio());
    return out;
}

} // namespace stalelook
