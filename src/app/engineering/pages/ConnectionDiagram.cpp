#include "ConnectionDiagram.h"

#include <QPainter>
#include <array>

namespace {

struct TWire {
    const char* tool;  // pin name on the tool's connector
    const char* chip;  // pin name on the chip
    QColor colour;
};

const std::array<TWire, 6> kWires{{
    {"VDD", "VDD", QColor(200, 30, 30)},
    {"GND", "VSS", QColor(40, 40, 40)},
    {"SDA", "SDA", QColor(30, 90, 200)},
    {"SCL", "SCL", QColor(230, 150, 0)},
    {"RDY", "RDY", QColor(30, 150, 60)},
    {"VPP", "VPP / TM", QColor(150, 40, 170)},
}};

}  // namespace

TConnectionDiagram::TConnectionDiagram(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ConnectionDiagram"));
    setToolTip(QStringLiteral("The chip is supplied and put into test mode by the configuration "
                              "tool; keep every other load off its supply while programming."));
}

void TConnectionDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());

    const int margin = 12;
    const int boxW = std::max(110, width() / 4);
    const int boxH = height() - 2 * margin;
    const QRect tool(margin, margin, boxW, boxH);
    const QRect chip(width() - margin - boxW, margin, boxW, boxH);

    const auto box = [&](const QRect& r, const QString& title, const QColor& fill) {
        p.setPen(QPen(palette().text().color(), 1.5));
        p.setBrush(fill);
        p.drawRoundedRect(r, 6, 6);
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.drawText(r.adjusted(4, 4, -4, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   title);
    };
    box(tool, QStringLiteral("Kelvan Configuration Tool"), QColor(225, 235, 245));
    box(chip, QStringLiteral("MFS380A"), QColor(235, 245, 225));

    p.setFont(font());
    const int top = margin + 2 * fontMetrics().height() + 8;
    const int step = std::max(fontMetrics().height() + 4, (boxH - (top - margin) - 8) / int(kWires.size()));
    for (std::size_t i = 0; i < kWires.size(); ++i) {
        const int y = top + static_cast<int>(i) * step + step / 2;
        const TWire& w = kWires[i];
        p.setPen(QPen(w.colour, 2.5));
        p.drawLine(tool.right(), y, chip.left(), y);
        p.setBrush(w.colour);
        p.drawEllipse(QPoint(tool.right(), y), 3, 3);
        p.drawEllipse(QPoint(chip.left(), y), 3, 3);
        p.setPen(palette().text().color());
        p.drawText(QRect(tool.left() + 6, y - step / 2, tool.width() - 14, step),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromLatin1(w.tool));
        p.drawText(QRect(chip.left() + 8, y - step / 2, chip.width() - 14, step),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(w.chip));
    }
}
