#pragma once
// The configuration-tool setup window, "Configuration Tool Setup": the tools
// plugged in (the checked one is the tool in use), the details of the tool
// shown, its ID, the firmware verdict and the Update buttons. A view over
// TCtSetupModel; created once with the main window, shown and hidden.

#include <QWidget>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class TCtSetupModel;
class TSession;
namespace sim {
class SimBackend;
}

class TCtSetupForm : public QWidget {
    Q_OBJECT
public:
    TCtSetupForm(std::unique_ptr<TCtSetupModel> model, QWidget* parent);
    ~TCtSetupForm() override;

    // The window of the main window: the update program looked up on this
    // machine, its minimums read, the session followed. With a simulation and
    // no update program installed, the simulation's update program.
    static TCtSetupForm* create(TSession& session, std::shared_ptr<sim::SimBackend> simulation,
                                QWidget* parent);

    TCtSetupModel& model() { return *FModel; }
    // The main window's tool panel: refresh the list, then show or raise.
    void showList();
    void showOrRaise();

    QListWidget* DevList;
    QLabel* NameLabel;
    QLineEdit* FWVersionEdit;
    QLineEdit* BuildEdit;
    QLineEdit* ReleaseEdit;
    QLineEdit* SerialEdit;
    QSpinBox* CTIDSpin;
    QFrame* Panel2;
    QFrame* FirmstatusPanel;
    QLabel* FirmStatusLabel;
    QLabel* PrefFirmLabel;
    QLabel* PrefFirmCaption; // "Latest release :"
    QLabel* StabFirmLabel;
    QPushButton* UpdateButton;
    QPushButton* UpdateCustomButton;
    QPushButton* RevertButton;
    QPushButton* CloseButton;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void build();
    void render();
    void pickCustomFile();

    std::unique_ptr<TCtSetupModel> FModel;
    bool FRendering = false;
    int FCheckClickedRow = -1; // a check-box click, so that its row click is not a second click
};
