#include "ControlColumn.h"

#include "FlagsEventsPanel.h"
#include "KvnListBox.h"

#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QGroupBox* group(const QString& title, QWidget* parent)
{
    auto* g = new QGroupBox(title, parent);
    QFont f = g->font();
    f.setBold(true);
    g->setFont(f);
    return g;
}

// Children of a bold group keep the normal font.
template <class W> W* plain(W* w)
{
    QFont f = w->font();
    f.setBold(false);
    w->setFont(f);
    return w;
}

}  // namespace

TControlColumn::TControlColumn(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LeftPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);

    // Configuration tool.
    auto* tool = group(QStringLiteral("Kelvan Configuration Tool"), this);
    ToolPanel = tool;
    auto* toolRow = new QHBoxLayout(tool);
    CtLabel = plain(new QLabel(tool));
    CtLabel->setObjectName(QStringLiteral("CtLabel"));
    CtLabel->setAutoFillBackground(true);
    CtLabel->setMargin(4);
    CtLabel->setMinimumHeight(26);
    CtSetupButton = plain(new QToolButton(tool));
    CtSetupButton->setObjectName(QStringLiteral("CtSetupButton"));
    CtSetupButton->setText(QStringLiteral("..."));
    CtSetupButton->setToolTip(QStringLiteral("Setup Configuration Tool"));
    CtSetupButton->setAccessibleName(QStringLiteral("Setup Configuration Tool"));
    CtLabel->setAccessibleName(QStringLiteral("Configuration Tool"));
    CtSetupButton->setEnabled(false);
    toolRow->addWidget(CtLabel, 1);
    toolRow->addWidget(CtSetupButton);
    column->addWidget(tool);

    // Streaming.
    auto* streaming = group(QStringLiteral("Streaming"), this);
    auto* grid = new QGridLayout(streaming);
    StartButton = plain(new QPushButton(QStringLiteral("Start"), streaming));
    StartButton->setObjectName(QStringLiteral("StartButton"));
    PauseButton = plain(new QPushButton(QStringLiteral("Pause"), streaming));
    PauseButton->setObjectName(QStringLiteral("PauseButton"));
    PauseButton->setEnabled(false);
    ScopeButton = plain(new QPushButton(QStringLiteral("Scope"), streaming));
    ScopeButton->setObjectName(QStringLiteral("ScopeButton"));
    SetupButton = plain(new QPushButton(QStringLiteral("Settings"), streaming));
    SetupButton->setObjectName(QStringLiteral("SetupButton"));
    for (QPushButton* b : {StartButton, PauseButton, ScopeButton, SetupButton})
        b->setMinimumHeight(30);
    StartButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    PauseButton->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    ScopeButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    SetupButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    grid->addWidget(StartButton, 0, 0);
    grid->addWidget(PauseButton, 0, 1);
    grid->addWidget(ScopeButton, 1, 0);
    grid->addWidget(SetupButton, 1, 1);
    column->addWidget(streaming);

    // Messages.
    auto* messages = group(QStringLiteral("Messages"), this);
    auto* messagesLayout = new QVBoxLayout(messages);
    MessageBox = new TKvnListBox(messages);
    MessageBox->setObjectName(QStringLiteral("MessageBox"));
    MessageBox->setAccessibleName(QStringLiteral("Messages"));
    MessageBox->SelectedColor = 16772055;
    MessageBox->MouseOverColor = 15329769;
    MessageBox->ItemsPrefix = QStringLiteral(" ");
    MessageBox->AutoClear = 20;
    MessageBox->setItemHeight(logicalDpiY() > 96 ? 18 : 15);
    MessageBox->setMinimumHeight(170);
    messagesLayout->addWidget(MessageBox);
    column->addWidget(messages, 1);

    // Flags and events.
    FlagsEvents = new TFlagsEventsPanel(this);
    column->addWidget(FlagsEvents);

    // Demo.
    auto* demo = group(QStringLiteral("Demo"), this);
    auto* demoLayout = new QVBoxLayout(demo);
    DemoButton = plain(new QPushButton(QStringLiteral("2 Channel SAR UI Demo"), demo));
    DemoButton->setObjectName(QStringLiteral("DemoButton"));
    demoLayout->addWidget(DemoButton);
    column->addWidget(demo);

    setMinimumWidth(300);
    setMaximumWidth(560);
}

void TControlColumn::showToolLabel(const TToolLabel& label)
{
    CtLabel->setText(label.text);
    CtLabel->setToolTip(label.hint);
    QFont f = CtLabel->font();
    f.setBold(true);
    f.setStrikeOut(label.style == TToolLabel::TStyle::Unsupported);
    CtLabel->setFont(f);
    QPalette pal = CtLabel->palette();
    switch (label.style) {
    case TToolLabel::TStyle::Recommended:
        pal.setColor(QPalette::Window, QColor(0xFF, 0xE9, 0xD2));
        pal.setColor(QPalette::WindowText, QColor(0xFF, 0x80, 0x00));
        break;
    case TToolLabel::TStyle::NoDevice:
        pal.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
        pal.setColor(QPalette::WindowText, Qt::black);
        break;
    case TToolLabel::TStyle::Required:
    case TToolLabel::TStyle::Unsupported:
    case TToolLabel::TStyle::Error:
    case TToolLabel::TStyle::NoDeviceError:
        pal.setColor(QPalette::Window, QColor(0xFF, 0xCE, 0xCE));
        pal.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
        break;
    case TToolLabel::TStyle::Tool:
        pal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
        pal.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
        break;
    }
    CtLabel->setPalette(pal);
}

void TControlColumn::showButtons(const TSessionButtons& b)
{
    StartButton->setText(b.startCaption);
    StartButton->setEnabled(b.startEnabled);
    StartButton->setIcon(style()->standardIcon(b.startCaption == QLatin1String("Start")
                                                   ? QStyle::SP_MediaPlay
                                                   : QStyle::SP_MediaStop));
    PauseButton->setText(b.pauseCaption);
    PauseButton->setEnabled(b.pauseEnabled);
    PauseButton->setIcon(style()->standardIcon(b.pauseCaption == QLatin1String("Pause")
                                                   ? QStyle::SP_MediaPause
                                                   : QStyle::SP_MediaPlay));
    DemoButton->setEnabled(b.demoEnabled);
    CtSetupButton->setEnabled(b.setupButtonEnabled);
}
