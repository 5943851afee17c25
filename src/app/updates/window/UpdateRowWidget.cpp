#include "UpdateRowWidget.h"

#include "KvnColor.h"
#include "UpdateTexts.h"
#include "UpdaterClass.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace {

QFrame* separator(QWidget* parent, const QString& name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    line->setFixedWidth(1);
    return line;
}

QString colourCss(int value)
{
    return kvnColor(value).name();
}

} // namespace

TUpdateRowWidget::TUpdateRowWidget(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("ItemPanel"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setAutoFillBackground(true);
    setFixedHeight(40);

    ItemLabel = new QLabel(this);
    ItemLabel->setObjectName(QStringLiteral("ItemLabel"));
    QFont font = ItemLabel->font();
    font.setBold(true);
    ItemLabel->setFont(font);
    ItemShape1 = separator(this, QStringLiteral("ItemShape1"));
    ItemShape2 = separator(this, QStringLiteral("ItemShape2"));
    ItemShape3 = separator(this, QStringLiteral("ItemShape3"));
    ItemProgress = new QProgressBar(this);
    ItemProgress->setObjectName(QStringLiteral("ItemProgress"));
    ItemProgress->setRange(0, 100);
    ItemProgress->setTextVisible(false);
    ItemProgress->setFixedWidth(160);
    ItemButton = new QPushButton(QString::fromLatin1(updtext::kDownload), this);
    ItemButton->setObjectName(QStringLiteral("ItemButton"));
    ItemButton->setFixedWidth(90);
    ItemOptionsButton = new QToolButton(this);
    ItemOptionsButton->setObjectName(QStringLiteral("ItemOptionsButton"));
    ItemOptionsButton->setText(QStringLiteral("..."));
    ItemOptionsButton->setAccessibleName(QStringLiteral("Options"));
    ItemOptionsButton->setToolTip(QStringLiteral("Description and file location"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 6, 4);
    row->setSpacing(8);
    row->addWidget(ItemLabel, 1);
    row->addWidget(ItemShape1);
    row->addWidget(ItemProgress);
    row->addWidget(ItemShape2);
    row->addWidget(ItemButton);
    row->addWidget(ItemShape3);
    row->addWidget(ItemOptionsButton);

    connect(ItemButton, &QPushButton::clicked, this, &TUpdateRowWidget::buttonClicked);
    connect(ItemOptionsButton, &QToolButton::clicked, this, &TUpdateRowWidget::optionsClicked);
}

void TUpdateRowWidget::show(const TUpdateItem& item)
{
    const QString text = item.FDisplayName + QLatin1Char(' ') + item.FVersion;
    ItemLabel->setText(text);
    ItemProgress->setAccessibleName(text);
    QPalette p = palette();
    p.setColor(QPalette::Window, kvnColor(item.colour()));
    setPalette(p);

    const QString line = item.FCompleted ? colourCss(updcolour::kSilver) : QStringLiteral("#a0a0a0");
    for (QFrame* shape : {ItemShape1, ItemShape2, ItemShape3})
        shape->setStyleSheet(QStringLiteral("color: %1;").arg(line));
    ItemLabel->setStyleSheet(item.FCompleted
                                 ? QStringLiteral("color: %1;").arg(colourCss(updcolour::kSilver))
                                 : QString());

    ItemProgress->setValue(item.Progress);
    ItemProgress->setEnabled(!item.FCompleted);
    // The error state of the bar: a red bar.
    ItemProgress->setStyleSheet(
        item.ProgressError
            ? QStringLiteral("QProgressBar { border: 1px solid #a0a0a0; background: white; }"
                             "QProgressBar::chunk { background: #d03030; }")
            : QString());
    if (item.ProgressError && ItemProgress->value() == 0)
        ItemProgress->setValue(100);

    ItemButton->setText(item.buttonCaption());
    ItemButton->setEnabled(!item.FCompleted);
    ItemOptionsButton->setEnabled(!item.FCompleted);
}
