#include "SendCommands.h"

#include "PreferenceKeys.h"
#include "Preferences.h"
#include "WindowPlacing.h"

#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QTextStream>

namespace {

constexpr const char* kSaved = "File saved successfully";

} // namespace

TSendCommands::TSendCommands(TPreferences& preferences, QWidget* parent)
    : QDialog(parent), FPrefs(preferences)
{
    setObjectName(QStringLiteral("SendCommands"));
    setWindowTitle(QStringLiteral("Send Commands"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Sent reports"));
    ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ListBox1->setUniformItemSizes(true);
    Button1 = new QPushButton(QStringLiteral("Save To File"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Clear"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    OKBtn = new QPushButton(QStringLiteral("Close"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);

    // The buttons stay on one line under the list at any size: "Save To
    // File" on its left edge, "Close" on its right edge, "Clear" centred.
    auto* grid = new QGridLayout(this);
    grid->addWidget(ListBox1, 0, 0, 1, 3);
    grid->addWidget(Button1, 1, 0, Qt::AlignLeft);
    grid->addWidget(Button2, 1, 1, Qt::AlignHCenter);
    grid->addWidget(OKBtn, 1, 2, Qt::AlignRight);
    for (int c = 0; c < 3; ++c)
        grid->setColumnStretch(c, 1);
    grid->setRowStretch(0, 1);

    connect(Button1, &QPushButton::clicked, this, &TSendCommands::saveClicked);
    connect(Button2, &QPushButton::clicked, ListBox1, &QListWidget::clear);
    connect(OKBtn, &QPushButton::clicked, this, &QWidget::close);
    resize(820, 420);
}

TSendCommands::~TSendCommands()
{
    if (FFormActivated)
        FPrefs.writePlacement(pref::section::kSendComForm, currentPlacement(*this));
}

void TSendCommands::ShowSentCommand(const QString& line)
{
    ListBox1->addItem(line);
    ListBox1->setCurrentRow(ListBox1->count() - 1);
}

bool TSendCommands::saveToFile(const QString& path, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&file);
        for (int i = 0; i < ListBox1->count(); ++i)
            out << ListBox1->item(i)->text() << '\n';
        out.flush();
        if (file.commit()) {
            ShowSentCommand(QString::fromLatin1(kSaved));
            return true;
        }
    }
    if (error)
        *error = file.errorString();
    return false;
}

void TSendCommands::saveClicked()
{
    // The dialog asks before it overwrites a file.
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save To File"), QString(),
                                     QStringLiteral("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!saveToFile(path, &error))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Unable to save %1:\n%2").arg(path, error));
}

void TSendCommands::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FFormActivated = true;
    if (!FSetupFormIni)
        return;
    FSetupFormIni = false;
    // Read errors are ignored: the window keeps its place.
    TWindowPlacement saved = currentPlacement(*this);
    if (FPrefs.readPlacement(pref::section::kSendComForm, saved))
        applyPlacement(*this, placeWindow(saved, displayRects()));
}

void TSendCommands::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        emit closed();
}
