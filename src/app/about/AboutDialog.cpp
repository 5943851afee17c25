#include "AboutDialog.h"

#include "KelvanLogo.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

TAboutDialog::TAboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(335, 230);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);

    Logo = new TKelvanLogo(panel);
    Logo->setToolTip(QString::fromLatin1(kMakerSite));
    Logo->setFixedHeight(62);
    InfoLabel = new QLabel(panel);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    InfoLabel->setAlignment(Qt::AlignCenter);
    SiteLabel = new QLabel(QString::fromLatin1(kMakerSite), panel);
    SiteLabel->setObjectName(QStringLiteral("SiteLabel"));
    SiteLabel->setAlignment(Qt::AlignCenter);
    SiteLabel->setCursor(Qt::PointingHandCursor);
    SiteLabel->setAccessibleName(QString::fromLatin1(kMakerSite));
    QFont bold = SiteLabel->font();
    bold.setBold(true);
    SiteLabel->setFont(bold);
    SiteLabel->installEventFilter(this);

    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(12, 10, 12, 8);
    inner->addWidget(Logo);
    inner->addWidget(InfoLabel);
    inner->addWidget(SiteLabel);

    CheckUpdateButton = new QPushButton(QStringLiteral("Check For Updates"), this);
    CheckUpdateButton->setObjectName(QStringLiteral("CheckUpdateButton"));
    CheckUpdateButton->setVisible(false); // shown once the update manager exists
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(panel, 1);
    outer->addWidget(CheckUpdateButton, 0, Qt::AlignHCenter);

    openSite = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    connect(Logo, &TKelvanLogo::clicked, this, &TAboutDialog::visitSite);
    connect(CheckUpdateButton, &QPushButton::clicked, this, &TAboutDialog::checkForUpdatesClicked);
    setVersion(QString());
}

void TAboutDialog::setVersion(const QString& version)
{
    InfoLabel->setText(QStringLiteral("MFS380A GUI \nVersion ") + version +
                       QStringLiteral("\nCopyright (c) Kelvan Sensing Solutions"));
}

void TAboutDialog::visitSite()
{
    if (!openSite(QUrl(QString::fromLatin1(kMakerSite))))
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("No web browser could be opened. Kelvan's web "
                                                "site is at ") +
                                     QString::fromLatin1(kMakerSite));
}

bool TAboutDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SiteLabel) {
        switch (event->type()) {
        case QEvent::Enter:
            SiteLabel->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
            break;
        case QEvent::Leave: SiteLabel->setStyleSheet(QString()); break;
        case QEvent::MouseButtonRelease: visitSite(); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
