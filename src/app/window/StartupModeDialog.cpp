#include "StartupModeDialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

StartupModeDialog::StartupModeDialog(const QStringList& recentNames, TRecentFileHooks hooks,
                                     QWidget* parent)
    : QDialog(parent), FHooks(std::move(hooks)), FFiles(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Startup Mode"));
    setObjectName(QStringLiteral("StartupSettingsForm"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* grid = new QGridLayout(this);
    auto* title = new QLabel(QStringLiteral("Select Startup Mode:"), this);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title->setFont(f);
    grid->addWidget(title, 0, 0, 1, 3);

    auto* pir = new QPushButton(QStringLiteral("PIR Mini Carrier"), this);
    pir->setObjectName(QStringLiteral("DualPIRButton"));
    pir->setMinimumSize(150, 110);
    grid->addWidget(pir, 1, 0, 4, 1);

    auto* def = new QPushButton(QStringLiteral("Start Streaming with Default Setup"), this);
    def->setObjectName(QStringLiteral("DefaultStreamingButton"));
    def->setDefault(true);
    grid->addWidget(def, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Choose Custom Setup File:"), this), 2, 1, 1, 2);
    FFiles->setObjectName(QStringLiteral("StartupSettingsFileCombo"));
    FFiles->setAccessibleName(QStringLiteral("Choose Custom Setup File:"));
    if (FHooks.valid()) {
        refill(FHooks.selected());
    } else {
        FFiles->addItems(recentNames);
        FFiles->setCurrentIndex(-1);
    }
    connect(FFiles, &QComboBox::activated, this, &StartupModeDialog::fileChosen);
    FFiles->setMinimumWidth(220);
    grid->addWidget(FFiles, 3, 1, 1, 1);
    auto* browseButton = new QPushButton(QStringLiteral("..."), this);
    browseButton->setObjectName(QStringLiteral("StartupSettingsFileButton"));
    browseButton->setToolTip(QStringLiteral("Select settings file"));
    browseButton->setFixedWidth(32);
    browseButton->setAccessibleName(QStringLiteral("Select settings file"));
    browseButton->setVisible(FHooks.valid());
    grid->addWidget(browseButton, 3, 2);
    connect(browseButton, &QPushButton::clicked, this, &StartupModeDialog::browse);
    auto* custom = new QPushButton(QStringLiteral("Start Streaming with Custom Setup"), this);
    custom->setObjectName(QStringLiteral("CustomStreamingButton"));
    grid->addWidget(custom, 4, 1, 1, 2);

    connect(pir, &QPushButton::clicked, this, [this] { choose(TStartupChoice::TMode::DualPir); });
    connect(def, &QPushButton::clicked, this, [this] { choose(TStartupChoice::TMode::Default); });
    connect(custom, &QPushButton::clicked, this,
            [this] { choose(TStartupChoice::TMode::Custom); });
    setFixedSize(sizeHint());
}

void StartupModeDialog::choose(TStartupChoice::TMode mode)
{
    FChoice.mode = mode;
    FChoice.customIndex = FFiles->currentIndex();
    accept();
}

void StartupModeDialog::browse()
{
    if (!FHooks.valid())
        return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Select settings file"),
                                                      QString(),
                                                      QStringLiteral("IniFiles (*.ini)"));
    refill(FHooks.browse(file));
}

void StartupModeDialog::fileChosen(int index)
{
    if (FHooks.valid())
        refill(FHooks.select(index));
}

void StartupModeDialog::refill(int selected)
{
    const QSignalBlocker quiet(FFiles);
    FFiles->clear();
    FFiles->addItems(FHooks.names());
    FFiles->setCurrentIndex(selected < FFiles->count() ? selected : -1);
}
