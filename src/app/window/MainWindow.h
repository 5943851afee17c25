#pragma once
// The main window: a view over the session. It shows the tool, the streaming
// buttons, the message list, flags and events, the bar graph with the channel
// strip and the sensor panels, and turns clicks, menu commands and keys into
// session operations. It holds no protocol logic.

#include "DisplayModel.h"
#include "LiveDisplayPresenter.h"
#include "Pictures.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <set>

class QAction;
class QLabel;
class QUrl;
class SimulationPanel;
class TBarGraphPanel;
class TCommandLogs;
class TDemoLink;
class TDemoForm;
class TControlColumn;
class TCtSetupForm;
class THallPanel;
class THysteresisPanel;
class TSarPanel;
class TScopeForm;
class TScopeLink;
class TSession;
class TSettingsForm;
class TMainUpdates;
class TTemperaturePanel;
namespace sim {
class SimBackend;
}

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // simulation: the simulated tools behind the session, when --simulate.
    TMainForm(TSession& session, std::shared_ptr<sim::SimBackend> simulation,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // "Kelvan MFS380A V" + version + " ".
    static QString caption();

    TControlColumn* column() const { return FColumn; }
    TBarGraphPanel* bars() const { return FBars; }
    const TDisplayModel& displayModel() const { return FModel; }
    TSession& session() { return FSession; }
    QAction* exportHAction() const { return FExportH; }
    QAction* powerAction() const { return FPower; }
    TCtSetupForm* ctSetupForm() const { return FCtSetupForm; }
    QAction* settingsAction() const { return FSettingsAction; }
    // The settings window, created with the main window and kept until it ends.
    TSettingsForm* settingsForm() const { return FSettingsForm.get(); }
    // The scope window (created with the main window, hidden).
    TScopeForm* scopeForm() const;
    // The two command logs ("Send Commands" for the settings window's button,
    // "Show Send Commands" for the Options menu).
    TCommandLogs* commandLogs() const { return FCommandLogs.get(); }
    // The SAR UI demo window (a window of its own, hidden until the demo starts).
    TDemoForm* demoForm() const;

    // The engineering toggle (both Shift keys).
    void toggleEngineering();

    // Web updates: the manager, the updater and About windows, the menu entries.
    TMainUpdates& updates() { return *FUpdates; }
    // Where the update check looks (before the first activation); until it
    // is set, checks fail at once without touching the network.
    void setUpdateUrl(const QUrl& url);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildLayout();
    void wireSession();
    void firstActivation();
    void savePreferences();
    void onFrame(bool blockDisplay);
    void refreshInputs();
    void present();
    void showButtons();
    void showToolSetup();
    void showAbout();

    TSession& FSession;
    std::shared_ptr<sim::SimBackend> FSimulation;
    Pictures FPictures;
    TDisplayModel FModel;
    TDisplayInputs FInputs;
    std::unique_ptr<TLiveDisplayPresenter> FPresenter;
    std::unique_ptr<TScopeLink> FScope;
    std::unique_ptr<TCommandLogs> FCommandLogs;
    std::unique_ptr<TDemoLink> FDemoLink;

    TControlColumn* FColumn = nullptr;
    TBarGraphPanel* FBars = nullptr;
    TSarPanel* FSar = nullptr;
    THallPanel* FHall = nullptr;
    THysteresisPanel* FMetal = nullptr;
    TTemperaturePanel* FTemp = nullptr;
    QLabel* FVersionLabel = nullptr;
    SimulationPanel* FSimPanel = nullptr;
    TCtSetupForm* FCtSetupForm = nullptr;
    TMainUpdates* FUpdates = nullptr;

    QAction* FExportH = nullptr;
    QAction* FHints = nullptr;
    QAction* FNotifyReset = nullptr;
    QAction* FResumeStreaming = nullptr;
    QAction* FPower = nullptr;
    QAction* FPlugSim = nullptr;
    QAction* FSettingsAction = nullptr;
    std::unique_ptr<TSettingsForm> FSettingsForm;

    QTimer FBarTimer;
    QTimer FQRDTimer;
    bool FSetupFormIni = true;
    bool FClosed = false;
    std::set<quint32> FShiftsDown;
};
