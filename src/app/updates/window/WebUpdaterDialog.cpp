#include "WebUpdaterDialog.h"

#include "InstallerLaunch.h"
#include "UpdateRowWidget.h"
#include "UpdateTexts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TWebUpdaterDialog::TWebUpdaterDialog(TUpdaterClass& updater, QWidget* parent)
    : QWidget(parent, Qt::Window), FUpdater(updater)
{
    setObjectName(QStringLiteral("WebUpdaterDialog"));
    setWindowTitle(QStringLiteral("Kelvan Web Updates"));
    resize(620, 360);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FRowsArea = new QWidget;
    FRowsArea->setObjectName(QStringLiteral("RowsArea"));
    FRowsArea->setAutoFillBackground(true);
    QPalette white = FRowsArea->palette();
    white.setColor(QPalette::Window, Qt::white);
    FRowsArea->setPalette(white);
    FRowsLayout = new QVBoxLayout(FRowsArea);
    FRowsLayout->setContentsMargins(8, 8, 8, 8);
    FRowsLayout->setSpacing(3);
    auto* head = new QLabel(QStringLiteral("Available Updates"), FRowsArea);
    head->setObjectName(QStringLiteral("HeadPanel"));
    QFont headFont = head->font();
    headFont.setBold(true);
    headFont.setUnderline(true);
    headFont.setPointSizeF(headFont.pointSizeF() * 1.4);
    head->setFont(headFont);
    head->setContentsMargins(0, 2, 0, 8);
    FRowsLayout->addWidget(head);
    FEmptyLabel = new QLabel(QStringLiteral("No updates listed."), FRowsArea);
    FEmptyLabel->setStyleSheet(QStringLiteral("color: gray;"));
    FRowsLayout->addWidget(FEmptyLabel);
    FRowsLayout->addStretch(1);
    ScrollBox1->setWidget(FRowsArea);

    DontShowCheck = new QCheckBox(QStringLiteral("Don't show updates on startup"), this);
    DontShowCheck->setObjectName(QStringLiteral("DontShowCheck"));
    OnlyMainCheck = new QCheckBox(this);
    OnlyMainCheck->setObjectName(QStringLiteral("OnlyMainCheck"));
    OnlyMainCheck->setText(QStringLiteral("Only show if an update is available for the MFS380A."));
    DownloadAllButton = new QPushButton(QStringLiteral("Download All"), this);
    DownloadAllButton->setObjectName(QStringLiteral("DownloadAllButton"));
    DownloadAllButton->setEnabled(false);
    CancelBtn = new QPushButton(QStringLiteral("Hide in background"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* options = new QVBoxLayout;
    options->setSpacing(2);
    options->addWidget(DontShowCheck);
    options->addWidget(OnlyMainCheck);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(options, 1);
    bottom->addWidget(DownloadAllButton);
    bottom->addWidget(CancelBtn);
    auto* main = new QVBoxLayout(this);
    main->addWidget(ScrollBox1, 1);
    main->addLayout(bottom);

    PopupMenu1 = new QMenu(this);
    ChangeLog1 = PopupMenu1->addAction(QStringLiteral("Description"), this,
                                       &TWebUpdaterDialog::ChangeLog1Click);
    Showinfolder1 = PopupMenu1->addAction(QStringLiteral("Open File Location"), this,
                                          &TWebUpdaterDialog::Showinfolder1Click);

    confirm = [this](const QString& text, bool yesNo) {
        const auto buttons = yesNo ? QMessageBox::Yes | QMessageBox::No
                                   : QMessageBox::Ok | QMessageBox::Cancel;
        const auto go = yesNo ? QMessageBox::Yes : QMessageBox::Ok;
        return QMessageBox::question(this, windowTitle(), text, buttons, go) == go;
    };
    inform = [this](TNoticeType type, const QString& text) {
        switch (type) {
        case TNoticeType::Information: QMessageBox::information(this, windowTitle(), text); break;
        case TNoticeType::Warning: QMessageBox::warning(this, windowTitle(), text); break;
        case TNoticeType::Error: QMessageBox::critical(this, windowTitle(), text); break;
        }
    };
    startInstaller = [](const QString& file, QString* error) { return runInstaller(file, error); };
    revealFile = [](const QString& file) { showInFileManager(file); };

    // The two options exclude each other; unchecking changes nothing else.
    connect(DontShowCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            OnlyMainCheck->setChecked(false);
        FUpdater.DontShowOnStartup = on;
    });
    connect(OnlyMainCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            DontShowCheck->setChecked(false);
        FUpdater.OnlyMain = on;
    });
    OnlyMainCheck->setChecked(FUpdater.OnlyMain);
    DontShowCheck->setChecked(FUpdater.DontShowOnStartup);
    connect(DownloadAllButton, &QPushButton::clicked, &FUpdater, &TUpdaterClass::StartAllDownloads);
    connect(CancelBtn, &QPushButton::clicked, this, &QWidget::showMinimized);

    connect(&FUpdater, &TUpdaterClass::itemsReset, this, &TWebUpdaterDialog::rebuildRows);
    connect(&FUpdater, &TUpdaterClass::itemChanged, this, &TWebUpdaterDialog::showRow);
    connect(&FUpdater, &TUpdaterClass::stateChanged, this, &TWebUpdaterDialog::refreshDownloadAll);
    connect(&FUpdater, &TUpdaterClass::notice, this,
            [this](TNoticeType type, const QString& text) { inform(type, text); });
}

void TWebUpdaterDialog::bringUp()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TWebUpdaterDialog::refreshDownloadAll()
{
    DownloadAllButton->setEnabled(FUpdater.downloadAllEnabled());
}

void TWebUpdaterDialog::rebuildRows()
{
    for (TUpdateRowWidget* row : FRows)
        delete row;
    FRows.clear();
    const auto& items = FUpdater.UpdateItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* row = new TUpdateRowWidget(FRowsArea);
        const int index = static_cast<int>(i);
        connect(row, &TUpdateRowWidget::buttonClicked, this, [this, index] { ItemButtonClick(index); });
        connect(row, &TUpdateRowWidget::optionsClicked, this,
                [this, index] { ItemOptionsClick(index); });
        // Rows stack under the header in record order.
        FRowsLayout->insertWidget(1 + index, row);
        FRows.push_back(row);
        row->show(items[i]);
    }
    FEmptyLabel->setVisible(FRows.empty());
    refreshDownloadAll();
}

void TWebUpdaterDialog::showRow(int row)
{
    if (row >= 0 && row < std::ssize(FRows) && row < std::ssize(FUpdater.UpdateItems()))
        FRows[static_cast<std::size_t>(row)]->show(FUpdater.UpdateItems()[static_cast<std::size_t>(row)]);
}

void TWebUpdaterDialog::ItemButtonClick(int row)
{
    if (row < 0 || row >= std::ssize(FUpdater.UpdateItems()))
        return;
    const TUpdateItem& item = FUpdater.UpdateItems()[static_cast<std::size_t>(row)];
    if (item.FCompleted)
        return;
    if (item.FDownloading)
        FUpdater.CancelDownload(row);
    else if (item.FInstallOnly)
        install(row);
    else
        FUpdater.StartDownload(row);
}

void TWebUpdaterDialog::install(int row)
{
    const TUpdateItem item = FUpdater.UpdateItems()[static_cast<std::size_t>(row)];
    if (item.FMainGui) {
        if (FUpdater.CheckIsItemsBusy()) {
            inform(TNoticeType::Warning, QString::fromLatin1(updtext::kStillDownloading));
            return;
        }
        if (!confirm(QStringLiteral("Update\n\nThis process will close to install the update.\n\n"
                                    "Do you want to install the update now?"),
                     true))
            return;
    } else if (!confirm(QStringLiteral("Please make sure the ") + item.FDisplayName +
                            QStringLiteral(" is not running before you continue.\n\n"
                                           "Click 'Ok' to continue."),
                        false)) {
        return;
    }
    QString why;
    if (!startInstaller(item.FLink, &why)) {
        inform(TNoticeType::Error, QString::fromLatin1(updtext::kOpenFailed));
        return;
    }
    FUpdater.DisableItem(row);
    emit installerStarted(item.FMainGui);
}

void TWebUpdaterDialog::ItemOptionsClick(int row)
{
    if (row < 0 || row >= std::ssize(FUpdater.UpdateItems()))
        return;
    const TUpdateItem& item = FUpdater.UpdateItems()[static_cast<std::size_t>(row)];
    ItemIndex = item.FItemIndex;
    Showinfolder1->setEnabled(item.installReady());
    PopupMenu1->popup(QCursor::pos());
}

void TWebUpdaterDialog::ChangeLog1Click()
{
    inform(TNoticeType::Information, FUpdater.description(ItemIndex));
}

void TWebUpdaterDialog::Showinfolder1Click()
{
    const auto& records = FUpdater.UpdateRecord();
    if (ItemIndex >= 0 && ItemIndex < std::ssize(records))
        revealFile(records[static_cast<std::size_t>(ItemIndex)].LocalLink);
}

void TWebUpdaterDialog::closeEvent(QCloseEvent* event)
{
    // The window only hides; downloads go on.
    event->ignore();
    hide();
    emit closedByUser();
}

void TWebUpdaterDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        showMinimized();
        return;
    }
    QWidget::keyPressEvent(event);
}
