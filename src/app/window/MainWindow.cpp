#include "MainWindow.h"

#include "BarGraphPanel.h"
#include "BaselineView.h"
#include "CommandLogs.h"
#include "ControlColumn.h"
#include "CtSetupForm.h"
#include "CtSetupModel.h"
#include "DemoForm.h"
#include "DemoLink.h"
#include "FileMessages.h"
#include "FlagsEventsPanel.h"
#include "HallPanel.h"
#include "HysteresisPanel.h"
#include "KvnListBox.h"
#include "MainUpdates.h"
#include "ProgramCaption.h"
#include "SarPanel.h"
#include "ScopeLink.h"
#include "SendCommandsLink.h"
#include "Session.h"
#include "SettingsForm.h"
#include "SettingsWindowLink.h"
#include "SimBackend.h"
#include "SimulationPanel.h"
#include "StaleDisplay.h"
#include "TemperaturePanel.h"
#include "WindowPlacing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#ifndef MFS_VERSION
#define MFS_VERSION "1.1.0.50"
#endif

TMainForm::TMainForm(TSession& session, std::shared_ptr<sim::SimBackend> simulation,
                     QWidget* parent)
    : QMainWindow(parent),
      FSession(session),
      FSimulation(std::move(simulation)),
      FPictures(Pictures::draw(devicePixelRatioF()))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(caption());
    FSettingsForm = std::make_unique<TSettingsForm>(FSession);
    buildLayout();
    // No update server until the program names one (setUpdateUrl).
    TUpdaterOptions updateOptions;
    updateOptions.WebUrl = QUrl();
    FUpdates = new TMainUpdates(*this, QStringLiteral(MFS_VERSION), updateOptions);
    connect(FUpdates, &TMainUpdates::message, this,
            [this](const QString& text) { FSession.KvnAddItem(text, TMessageType::Info); });
    connect(FUpdates, &TMainUpdates::closeMainRequested, this, &QWidget::close);
    buildMenus();
    FScope = std::make_unique<TScopeLink>(FSession, FModel, FPictures);
    FCommandLogs = std::make_unique<TCommandLogs>(FSession, this);
    linkSendCommandsButton(*FSettingsForm, *FCommandLogs);
    FDemoLink = std::make_unique<TDemoLink>(FSession);
    wireSession();
    // The setup window judges the tools' firmware from now on.
    FCtSetupForm = TCtSetupForm::create(FSession, FSimulation, this);
    linkSettingsWindow(*FSettingsForm, {FColumn->SetupButton, FSettingsAction, FHall, FSar,
                                        FMetal, FTemp});

    FBarTimer.setInterval(10);
    connect(&FBarTimer, &QTimer::timeout, this, [this] { FBars->barGraph()->replotIfDirty(); });
    FQRDTimer.setSingleShot(true);
    connect(&FQRDTimer, &QTimer::timeout, this, [this] {
        FModel.QRDTimerFired();
        present();
    });
    qApp->installEventFilter(this);
    showButtons();
    FColumn->showToolLabel(FSession.toolLabel());
    resize(1280, 820);
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    // The settings window writes its placement as it goes, before a reset.
    FSettingsForm.reset();
    // The scope writes its settings first, so that a reset below removes them too.
    FScope.reset();
    FCommandLogs.reset();
    FDemoLink.reset();
    // "Reset application saved settings": the next start is a first start.
    FSession.Preferences().resetIfMarked();
}

TScopeForm* TMainForm::scopeForm() const
{
    return FScope->form();
}

TDemoForm* TMainForm::demoForm() const
{
    return FDemoLink->form();
}

QString TMainForm::caption()
{
    return programCaption();
}

void TMainForm::buildLayout()
{
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    FColumn = new TControlColumn(central);
    // The column widens with the window (so does its message list).
    row->addWidget(FColumn, 1);

    auto* container = new QWidget(central);
    container->setObjectName(QStringLiteral("ContainerPanel"));
    auto* right = new QVBoxLayout(container);
    right->setContentsMargins(6, 6, 6, 6);
    FBars = new TBarGraphPanel(FPictures, container);
    right->addWidget(FBars, 1);
    auto* sensors = new QHBoxLayout;
    FSar = new TSarPanel(FPictures, container);
    FHall = new THallPanel(FPictures, container);
    FMetal = new THysteresisPanel(FPictures, container);
    FTemp = new TTemperaturePanel(FPictures, container);
    for (QWidget* w : {static_cast<QWidget*>(FSar), static_cast<QWidget*>(FHall),
                       static_cast<QWidget*>(FMetal), static_cast<QWidget*>(FTemp)})
        sensors->addWidget(w, 1);
    right->addLayout(sensors);
    row->addWidget(container, 4);
    setCentralWidget(central);

    FVersionLabel = new QLabel(this);
    FVersionLabel->setObjectName(QStringLiteral("DeviceVersionLabel"));
    statusBar()->addPermanentWidget(FVersionLabel);
    if (FSimulation) {
        // A widget of the status bar, not a message: menu hints do not clear it.
        auto* notice = new QLabel(QStringLiteral("Simulated configuration tool and chip"), this);
        notice->setObjectName(QStringLiteral("SimulationNotice"));
        statusBar()->addWidget(notice);
    }

    FPresenter = std::make_unique<TLiveDisplayPresenter>(
        TLiveDisplayWidgets{FBars, FColumn->FlagsEvents, FSar, FHall, FMetal, FTemp});
    FBars->barGraph()->ShowBarBackground(TBarGraph::TBackground::Watermark);
    new TStaleDisplay(FSession, *FPresenter, this);
    refreshInputs();
    FModel.start();
    present();
}

void TMainForm::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    FExportH = file->addAction(QStringLiteral("Export H File"), this,
                               [this] { FSession.ExportHFile(); });
    FExportH->setEnabled(false);
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
    exit->setShortcut(QKeySequence::Quit);

    FSettingsAction = menuBar()->addAction(QStringLiteral("Settings"));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setToolTipsVisible(true);
    options->addAction(QStringLiteral("Reset application saved settings"), this,
                       [this] { FSession.ResetSavedSettings(); });
    FHints = options->addAction(QStringLiteral("Show hover hints"));
    FHints->setCheckable(true);
    FHints->setChecked(true);
    options->addAction(QStringLiteral("Read all settings from the device"), this,
                       [this] { FSession.ReadFromDevice(false); });
    options->addAction(QStringLiteral("Show Send Commands"), this,
                       [this] { FCommandLogs->showEasyShowSend(); });
    FNotifyReset = options->addAction(QStringLiteral("Notify on device reset"));
    FNotifyReset->setCheckable(true);
    FNotifyReset->setChecked(true);
    connect(FNotifyReset, &QAction::toggled, this, [this](bool on) { FSession.NotifyReset = on; });
    FResumeStreaming = options->addAction(QStringLiteral("Resume streaming after reconnect"));
    FResumeStreaming->setCheckable(true);
    FResumeStreaming->setChecked(true);
    connect(FResumeStreaming, &QAction::toggled, this,
            [this](bool on) { FSession.ResumeAfterReconnect = on; });
    options->addSeparator();
    // The chip's power switch (the settings window's power button).
    FPower = options->addAction(QStringLiteral("Power On"), this,
                                [this] { FSession.PowerButtonClick(); });
    if (FSimulation) {
        // Made now: it sets the simulated world up (no finger moving by itself).
        FSimPanel = new SimulationPanel(FSimulation, this);
        options->addSeparator();
        FPlugSim = options->addAction(QStringLiteral("Unplug Simulated Tool"), this, [this] {
            if (!FSimPanel)
                FSimPanel = new SimulationPanel(FSimulation, this);
            FSimPanel->togglePlugged();
        });
        options->addAction(QStringLiteral("Simulated Chip..."), this, [this] {
            if (!FSimPanel)
                FSimPanel = new SimulationPanel(FSimulation, this);
            FSimPanel->show();
            FSimPanel->raise();
        });
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(FUpdates->checkForUpdatesAction());
    help->addAction(QStringLiteral("About"), this, &TMainForm::showAbout);
    menuBar()->addAction(FUpdates->updatesAvailableAction());
}

void TMainForm::setUpdateUrl(const QUrl& url)
{
    FUpdates->updater().setWebUrl(url);
}

void TMainForm::wireSession()
{
    TSession* s = &FSession;
    connect(s, &TSession::messageAdded, this, [this](const QString& text, TMessageType type) {
        FColumn->MessageBox->KvnAddItem(text, type == TMessageType::Error ? aError : aInfo);
    });
    connect(s, &TSession::buttonsChanged, this, &TMainForm::showButtons);
    connect(s, &TSession::toolLabelChanged, this,
            [this] { FColumn->showToolLabel(FSession.toolLabel()); });
    connect(s, &TSession::toolsChanged, this, [this] {
        // The version of a chip whose tool has gone stays for reading, greyed
        // until the next read of a version.
        if (!FSession.DevList().Connected())
            FVersionLabel->setEnabled(false);
        if (FPlugSim)
            FPlugSim->setText(FSession.DevList().Connected()
                                  ? QStringLiteral("Unplug Simulated Tool")
                                  : QStringLiteral("Plug In Simulated Tool"));
    });
    connect(s, &TSession::frameHandled, this, &TMainForm::onFrame);
    connect(s, &TSession::displayReset, this, [this] {
        refreshInputs();
        FModel.start();
        present();
    });
    connect(s, &TSession::barBackgroundChanged, this, [this](TBarBackground b) {
        FBars->barGraph()->ShowBarBackground(b == TBarBackground::Wait
                                                 ? TBarGraph::TBackground::Wait
                                             : b == TBarBackground::Watermark
                                                 ? TBarGraph::TBackground::Watermark
                                                 : TBarGraph::TBackground::None);
        FBars->barGraph()->replotIfDirty();
    });
    connect(s, &TSession::barTimerChanged, this, [this](bool running) {
        if (running)
            FBarTimer.start();
        else
            FBarTimer.stop();
    });
    connect(s, &TSession::eventIndicatorsChanged, this,
            [this] { FPresenter->presentEvents(FSession.Events()); });
    connect(s, &TSession::channelBoxesChanged, this, [this] {
        FBars->strip()->setChannelChecks(FSession.channelBoxes());
        refreshInputs();
        FModel.ChannelBoxesClicked(FSession.channelBoxes());
        present();
    });
    connect(s, &TSession::engineeringChanged, this, [this](bool on) {
        FBars->setEngineeringMode(on);
        refreshInputs();
        FModel.EngineeringModeChanged(FSession.Live(), FInputs);
        present();
    });
    connect(s, &TSession::baselineViewChanged, this, [this](bool on) {
        const TStreamLayout& layout = FSession.Setup().streamLayout();
        FBars->barGraph()->setBaselineView(baselineViewLook(on, layout.CSActive, layout.LTAActive));
    });
    connect(s, &TSession::barAxisChanged, this, [this](double min, double max, double step) {
        FBars->barGraph()->setValueAxis(min, max, step);
        if (!FBarTimer.isActive())  // not refreshing: redraw once
            FBars->barGraph()->replotIfDirty();
    });
    connect(s, &TSession::deviceVersionChanged, this, [this](const QString& text) {
        FVersionLabel->setText(QStringLiteral("Device Version : ") + text);
        FVersionLabel->setEnabled(true);
    });

    // User actions.
    connect(FColumn->StartButton, &QPushButton::clicked, s, &TSession::StartButtonClick);
    connect(FColumn->PauseButton, &QPushButton::clicked, s, &TSession::PauseButtonClick);
    connect(FColumn->DemoButton, &QPushButton::clicked, s, &TSession::DemoButtonClick);
    connect(FColumn->CtSetupButton, &QToolButton::clicked, this, &TMainForm::showToolSetup);
    connect(FColumn->ScopeButton, &QPushButton::clicked, this,
            [this] { FScope->form()->showScope(); });
    connect(FBars, &TBarGraphPanel::redoAtiClicked, s, &TSession::RedoATIButtonClick);
    connect(FBars, &TBarGraphPanel::reseedClicked, s, &TSession::ReseedButtonClick);
    connect(FBars, &TBarGraphPanel::showResetClicked, s, &TSession::ShowResetButtonClick);
    connect(FBars, &TBarGraphPanel::softResetClicked, s, &TSession::SoftResetButtonClick);
    TChannelStrip* strip = FBars->strip();
    connect(strip, &TChannelStrip::channelBoxClicked, s, &TSession::ChannelCheckClick);
    connect(strip, &TChannelStrip::allClicked, s, &TSession::AllCheckClick);
    connect(strip, &TChannelStrip::extraBarBoxClicked, this,
            [this](int bar, bool checked) { FSession.ExtraBarCheckClick(bar - 6, checked); });
    connect(strip, &TChannelStrip::barAddressEdited, this, [this](int bar, const QString& text) {
        FSession.Setup().AdrsEditArray[static_cast<std::size_t>(bar == 6 ? 20 : 21)] =
            text.toStdString();
    });
    connect(FTemp, &TTemperaturePanel::tempBarClicked, this, [this] {
        FModel.TempBarClicked();
        present();
    });
}

void TMainForm::refreshInputs()
{
    FInputs.ChannelChecked = FSession.channelBoxes();
    FInputs.CH6Check = FSession.Setup().CH6Check;
    FInputs.CH7Check = FSession.Setup().CH7Check;
    FInputs.DeltaOnly = FSession.state().FDeltaOnly;
    FInputs.takeLayout(FSession.Setup().streamLayout());
    FInputs.UiSar = FSession.state().UI_SAR;
    FInputs.MovementOverride = FSession.Settings().movementOverride();
    FInputs.MetalDetectEn = FSession.Settings().metalDetectEnabled();
    FInputs.EngineeringMode = FSession.engineering();
    FInputs.QuickReleaseResetMs =
        static_cast<std::uint32_t>(FSession.settingsWindow().quickReleaseResetMs);
}

void TMainForm::onFrame(bool blockDisplay)
{
    refreshInputs();
    FModel.frame(FSession.Live(), FInputs, blockDisplay);
    present();
}

void TMainForm::present()
{
    FPresenter->present(FModel);
    switch (const TTimerRequest r = FModel.takeQuickReleaseTimerRequest(); r.Action) {
    case TTimerRequest::TAction::Start: FQRDTimer.start(static_cast<int>(r.IntervalMs)); break;
    case TTimerRequest::TAction::Stop: FQRDTimer.stop(); break;
    case TTimerRequest::TAction::None: break;
    }
}

void TMainForm::showButtons()
{
    const TSessionButtons& b = FSession.buttons();
    FColumn->showButtons(b);
    FExportH->setEnabled(b.exportHEnabled);
    FPower->setText(b.powerCaption);
    FPower->setEnabled(FSession.DevList().Connected());
    FBars->setCommandButtons(FSession.state().FPowerOn, b.showResetEnabled);
    // The demo starts its own stream when the chip is off, so it needs a tool
    // and nothing more while idle.
    FColumn->DemoButton->setEnabled(FSession.DevList().Connected() &&
                                    (b.demoEnabled || !FSession.state().FPowerOn));
}

void TMainForm::showToolSetup()
{
    FCtSetupForm->showList();
}

void TMainForm::showAbout()
{
    FUpdates->showAbout();
}

void TMainForm::toggleEngineering()
{
    if (FCtSetupForm->isVisible()) {
        FCtSetupForm->model().ToggleCustomButton();
        return;
    }
    FSession.setEngineering(!FSession.engineering());
    FBars->schedulePositioning();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (FSetupFormIni) {
        FSetupFormIni = false;
        firstActivation();
    }
}

void TMainForm::firstActivation()
{
    TPreferences& prefs = FSession.Preferences();
    const auto start = prefs.prepare(width());
    bool ok = start != TPreferences::TStart::Failed;
    bool placed = false;
    TMainFormPrefs p;
    if (start == TPreferences::TStart::Existing) {
        p.placement = {x(), y(), width(), height(), isMaximized()};
        ok = prefs.readMainForm(p);
        FHints->setChecked(p.hints);
        FNotifyReset->setChecked(p.notifyReset);
        FResumeStreaming->setChecked(p.resumeStreaming);
        for (std::size_t i = 0; i < p.debugAddresses.size(); ++i)
            FSession.Setup().AdrsEditArray[i] = p.debugAddresses[i];
        FSession.Setup().CH6Check = p.bar1;
        FSession.Setup().CH7Check = p.bar2;
        FBars->strip()->setExtraBarChecked(6, p.bar1);
        FBars->strip()->setExtraBarChecked(7, p.bar2);
        FBars->strip()->setBarAddressText(6, QString::fromStdString(p.debugAddresses[20]));
        FBars->strip()->setBarAddressText(7, QString::fromStdString(p.debugAddresses[21]));
        FSession.Setup().SetupStreaming();
        if (p.placementRead) {
            const TPlacementDecision d = placeWindow(p.placement, displayRects());
            applyPlacement(*this, d);
            placed = d.move;
        }
    }
    // First start, or a saved place on no display: centred.
    if (!placed)
        centreOnScreen(*this);
    if (!ok)
        FSession.KvnAddItem(QString::fromLatin1(filemsg::kPreferencesLoadError),
                            TMessageType::Error);
    FUpdates->setStartupOptions(p.updates, p.updates1);
    FUpdates->firstActivation();
}

void TMainForm::savePreferences()
{
    TMainFormPrefs p;
    p.placement = currentPlacement(*this);
    p.hints = FHints->isChecked();
    p.notifyReset = FNotifyReset->isChecked();
    p.resumeStreaming = FResumeStreaming->isChecked();
    for (std::size_t i = 0; i < p.debugAddresses.size(); ++i)
        p.debugAddresses[i] = FSession.Setup().AdrsEditArray[i];
    p.bar1 = FSession.Setup().CH6Check;
    p.bar2 = FSession.Setup().CH7Check;
    p.updates = FUpdates->dontShow();
    p.updates1 = FUpdates->onlyMain();
    FSession.Preferences().writeMainForm(p);  // a failure is ignored
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // No exit while an update downloads.
    if (!FClosed && !FUpdates->closeRequest()) {
        event->ignore();
        return;
    }
    if (!FClosed) {
        FClosed = true;
        FBarTimer.stop();
        FSettingsForm->hide();
        FDemoLink->form()->close(); // a window of its own: it would keep the program running
        FSession.Close();
        FUpdates->closeDown();
        savePreferences();
    }
    event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // "Show hover hints" off: no tooltips anywhere in the program.
    if (event->type() == QEvent::ToolTip && !FHints->isChecked())
        return true;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Both Shift keys together toggle engineering mode. They are told
        // apart by their scan codes.
        if (key->key() == Qt::Key_Shift && !key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress)
                FShiftsDown.insert(key->nativeScanCode());
            else
                FShiftsDown.erase(key->nativeScanCode());
        }
        // The key reaches the application twice (window, then widget): act on
        // the window's copy only.
        if (event->type() == QEvent::KeyPress && !key->isAutoRepeat() && FShiftsDown.size() >= 2 &&
            watched == windowHandle()) {
            toggleEngineering();
            return false;
        }
        // F3 shows or closes the scope, from the main window or the scope.
        if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat() &&
            key->key() == Qt::Key_F3 &&
            (watched == windowHandle() || FScope->isScopeWindow(watched))) {
            FScope->form()->toggleScope();
            return true;
        }
        // Only while the main window is the active window; each key once.
        if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat() &&
            watched == windowHandle()) {
            switch (key->key()) {
            case Qt::Key_F1:
                if (FColumn->StartButton->isEnabled())
                    FSession.StartButtonClick();
                return true;
            case Qt::Key_F2:
                if (FColumn->PauseButton->isEnabled())
                    FSession.PauseButtonClick();
                return true;
            default: break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
