#include "StartupModeDialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

StartupModeDialog::StartupModeDialog(const QStringList& recentNames, TAddFile addFile,
                                     QWidget* parent)
    : QDialog(parent), FFiles(new QComboBox(this)), FAddFile(std::move(addFile))
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
    FFiles->addItems(recentNames);
    FFiles->setCurrentIndex(-1);
    FFiles->setMinimumWidth(220);
    grid->addWidget(FFiles, 3, 1, 1, 1);
    auto* browseButton = new QPushButton(QStringLiteral("..."), this);
    browseButton->setObjectName(QStringLiteral("StartupSettingsFileButton"));
    browseButton->setToolTip(QStringLiteral("Select settings file"));
    browseButton->setFixedWidth(32);
    browseButton->setVisible(static_cast<bool>(FAddFile));
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
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Select settings file"),
                                                      QString(),
                                                      QStringLiteral("IniFiles (*.ini)"));
    if (file.isEmpty() || !FAddFile)
        return;
    QStringList names;
    const int index = FAddFile(file, names);
    FFiles->clear();
    FFiles->addItems(names);
    FFiles->setCurrentIndex(index);
}
