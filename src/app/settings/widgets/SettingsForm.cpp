#include "SettingsForm.h"

#include "ChannelPage.h"
#include "FieldPage.h"
#include "FileMessages.h"
#include "NavigationColumn.h"
#include "PageSlots.h"
#include "PlaceholderPage.h"
#include "PreferenceKeys.h"
#include "Session.h"
#include "SettingsPages.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A button on a panel whose colour shows whether there is something to apply.
QFrame* colouredPanel(QPushButton* button, const char* name, QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setAutoFillBackground(true);
    auto* l = new QHBoxLayout(panel);
    l->setContentsMargins(4, 4, 4, 4);
    button->setParent(panel);
    l->addWidget(button);
    return panel;
}

void setPanelColour(QFrame* panel, const QColor& colour)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, colour);
    panel->setPalette(p);
}

} // namespace

TSettingsForm::TSettingsForm(TSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), FSession(session)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("Settings"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    FNav = new TNavigationColumn(this);
    row->addWidget(FNav);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    row->addWidget(divider);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(8, 6, 8, 6);
    HeaderLabel = new QLabel(this);
    HeaderLabel->setObjectName(QStringLiteral("HeaderLabel"));
    QFont f = HeaderLabel->font();
    f.setPointSizeF(f.pointSizeF() * 1.5);
    f.setBold(true);
    HeaderLabel->setFont(f);
    right->addWidget(HeaderLabel);
    FStack = new QStackedWidget(this);
    right->addWidget(FStack, 1);
    buildBottomBar(right);
    row->addLayout(right, 1);

    for (int p = 0; p < kSettingsPageCount; ++p) {
        auto* scroll = new QScrollArea(FStack);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        FStack->addWidget(scroll);
        const TSettingsPageInfo& info = settingsPage(p);
        if (info.Channel >= 0)
            setPage(p, new TChannelPage(*this, p));
        else if (info.FieldPage)
            setPage(p, new TFieldPage(*this, p));
        else
            setPage(p, new TPlaceholderPage(*this, p));
    }
    addSetupPages(*this);
    addEngineeringPages(*this);

    connect(FNav, &TNavigationColumn::pageClicked, this, &TSettingsForm::setActivePage);
    connect(FNav, &TNavigationColumn::ignoreClicked, this, &TSettingsForm::IgnoreButtonClick);
    connect(FNav, &TNavigationColumn::updateAllClicked, this,
            &TSettingsForm::UpdateAllSettingsClick);
    connect(&FSession, &TSession::settingsChanged, this, &TSettingsForm::showState);
    connect(&FSession, &TSession::engineeringChanged, this, &TSettingsForm::engineeringChanged);
    // Esc closes the window while it is the active window.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &QWidget::close);

    FActivePage = -1;
    setActivePage(settingspage::kSetup);
    showPanelColours(false);
    showState();
    resize(1180, 740);
}

TSettingsForm::~TSettingsForm()
{
    if (FFormActivated)
        writePlacement();
}

void TSettingsForm::buildBottomBar(QVBoxLayout* right)
{
    auto* bar = new QHBoxLayout;
    bar->setSpacing(8);
    ErrorLabel = new QLabel(QStringLiteral("Could not update settings"), this);
    ErrorLabel->setObjectName(QStringLiteral("ErrorLabel"));
    ErrorLabel->setStyleSheet(QStringLiteral("color: #d00000; font-weight: bold;"));
    ErrorLabel->hide();
    ChangeLabel = new QLabel(QStringLiteral("Changes not yet applied..."), this);
    ChangeLabel->setObjectName(QStringLiteral("ChangeLabel"));
    ChangeLabel->setStyleSheet(QStringLiteral("font-weight: bold;"));
    ChangeLabel->hide();
    bar->addWidget(ErrorLabel);
    bar->addWidget(ChangeLabel);
    bar->addStretch(1);

    CancelButton = new QPushButton(QStringLiteral("Undo"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    ApplyButton = new QPushButton(QStringLiteral("Apply"), this);
    ApplyButton->setObjectName(QStringLiteral("ApplyButton"));
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* b : {CancelButton, ApplyButton, CloseButton}) {
        b->setAccessibleName(b->text());
        b->setMinimumWidth(90);
    }
    UndoPanel = colouredPanel(CancelButton, "UndoPanel", this);
    ApplyPanel = colouredPanel(ApplyButton, "ApplyPanel", this);
    bar->addWidget(UndoPanel);
    bar->addWidget(ApplyPanel);
    bar->addWidget(CloseButton);
    right->addLayout(bar);

    connect(CancelButton, &QPushButton::clicked, this, &TSettingsForm::CancelButtonClick);
    connect(ApplyButton, &QPushButton::clicked, this, &TSettingsForm::ApplyButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

void TSettingsForm::setPage(int number, TSettingsPage* page)
{
    if (number < 0 || number >= kSettingsPageCount || !page)
        return;
    auto* scroll = static_cast<QScrollArea*>(FStack->widget(number));
    delete scroll->takeWidget();
    scroll->setWidget(page);
    FPages[static_cast<std::size_t>(number)] = page;
    page->setEngineering(FSession.engineering());
    page->settingsChanged();
}

TSettingsPage* TSettingsForm::page(int number) const
{
    if (number < 0 || number >= kSettingsPageCount)
        return nullptr;
    return FPages[static_cast<std::size_t>(number)];
}

void TSettingsForm::setActivePage(int page)
{
    if (page < 0 || page >= kSettingsPageCount)
        page = settingspage::kSetup;
    if (page == FActivePage)
        return;
    FActivePage = page;
    FStack->setCurrentIndex(page);
    FNav->setCurrentPage(page);
    HeaderLabel->setText(qs(settingsPage(page).HeaderTitle));
    emit activePageChanged(page);
}

bool TSettingsForm::SettingsChanged() const
{
    return FSession.settingsWindow().FChanged;
}

void TSettingsForm::showErrorText(const QString& text)
{
    TSettingsWindowState& w = FSession.settingsWindow();
    w.statusNotice.clear();
    w.statusError = text;
    showState();
}

void TSettingsForm::showNoticeText(const QString& text)
{
    TSettingsWindowState& w = FSession.settingsWindow();
    w.statusError.clear();
    w.statusNotice = text;
    showState();
}

void TSettingsForm::showState()
{
    const TSettingsWindowState& w = FSession.settingsWindow();
    if (!w.statusError.isEmpty()) {
        ErrorLabel->setText(w.statusError);
        ErrorLabel->show();
        ChangeLabel->hide();
    } else {
        ErrorLabel->hide();
        ChangeLabel->setText(w.statusNotice);
        ChangeLabel->setVisible(!w.statusNotice.isEmpty());
    }
    showPanelColours(w.FChanged);
    FNav->showAtiNotice(w.atiNoticeVisible);
    for (TSettingsPage* p : FPages)
        p->settingsChanged();
}

void TSettingsForm::showPanelColours(bool changed)
{
    if (changed == FColoursChanged && UndoPanel->property("coloured").isValid())
        return;
    FColoursChanged = changed;
    UndoPanel->setProperty("coloured", true);
    const QColor grey(206, 206, 206);
    setPanelColour(UndoPanel, changed ? QColor(Qt::red) : grey);
    setPanelColour(ApplyPanel, changed ? QColor(0, 192, 0) : grey);
}

void TSettingsForm::engineeringChanged(bool on)
{
    FNav->setEngineering(on);
    for (TSettingsPage* p : FPages)
        p->setEngineering(on);
    if (on) {
        showWindow();
        setActivePage(settingspage::kEngineering);
    } else if (FActivePage == settingspage::kEngineering || FActivePage == settingspage::kDebug) {
        setActivePage(settingspage::kSetup);
    }
}

void TSettingsForm::showWindow()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TSettingsForm::showPage(int page)
{
    showWindow();
    setActivePage(page);
}

bool TSettingsForm::ApplyButtonClick()
{
    return FSession.ApplyButtonClick();
}

void TSettingsForm::CancelButtonClick()
{
    FSession.CancelButtonClick();
}

bool TSettingsForm::UpdateAllSettingsClick()
{
    return FSession.UpdateAllSettingsClick();
}

void TSettingsForm::IgnoreButtonClick()
{
    FSession.settingsWindow().atiNoticeVisible = false;
    showState();
}

void TSettingsForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FSetupFormIni) {
        FSetupFormIni = false;
        firstActivation();
    }
    FFormActivated = true;
    if (FDoActivate) {
        FDoActivate = false;
        const int shown = FActivePage;
        if (settingsPage(shown).ReclickOnActivate) {
            FActivePage = -1;
            setActivePage(shown);
        }
        rebaselineOnActivation(shown, FSession.Settings(), FSession.Setup());
    }
    CloseButton->setFocus();
}

void TSettingsForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FFormActivated = true;
        CloseButton->setFocus();
    }
}

void TSettingsForm::closeEvent(QCloseEvent* event)
{
    FSession.SettingsFormClosing();
    FDoActivate = true;
    event->accept();
}

void TSettingsForm::firstActivation()
{
    TWindowPlacement placement{x(), y(), width(), height(), isMaximized()};
    if (!FSession.Preferences().readPlacement(pref::section::kSettingsForm, placement)) {
        FSession.KvnAddItem(QString::fromLatin1(filemsg::kPreferencesLoadError),
                            TMessageType::Error);
        return;
    }
    std::vector<QRect> displays;
    for (QScreen* screen : QGuiApplication::screens())
        displays.push_back(screen->geometry());
    const TPlacementDecision d = placeWindow(placement, displays);
    if (d.move)
        move(d.position);
    if (d.resize)
        resize(d.size);
    if (d.maximise)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TSettingsForm::writePlacement()
{
    const bool maximised = isMaximized();
    const QRect g = maximised ? normalGeometry() : geometry();
    const TWindowPlacement p{maximised ? geometry().x() - 8 : g.x(),
                             maximised ? geometry().y() - 8 : g.y(), g.width(), g.height(),
                             maximised};
    FSession.Preferences().writePlacement(pref::section::kSettingsForm, p); // failures ignored
}
