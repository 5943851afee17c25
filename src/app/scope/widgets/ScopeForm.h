#pragma once
// The scope window (TScopeForm, caption "Scope"): a top-level window of its
// own, created once at start-up and shown or hidden on demand. The main window
// feeds it one sample at a time (IScopeFeed); it keeps the points in its
// buffers and redraws on its own 100 ms timer. Around the chart: the button
// bar ("Reset Scope View", "Rescale Scope View", "Restart Scope", "Auto
// Scale", "Save Image...", "Export CSV...") and the groups "Counts", "Long
// Term Averages (LTA)", "Sensors" and "Settings". Its settings live in section
// "ScopeForm" of the preferences file: read at the first activation, written
// at destruction when the window was ever activated.

#include "ScopeFeed.h"
#include "ScopeModel.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TColourSwatch;
class TPictureLabel;
class TPreferences;
class TScopeChart;
struct Pictures;

// What the scope needs of the main window besides its boxes: the message list.
class IScopeMessages {
public:
    virtual ~IScopeMessages() = default;
    virtual void addScopeError(const QString& text) = 0;
};

class TScopeForm : public QWidget, public IScopeFeed {
    Q_OBJECT
public:
    // host, messages, preferences and pictures must outlive the window.
    TScopeForm(const scope::IScopeHost& host, IScopeMessages& messages, TPreferences& preferences,
               const Pictures& pictures);
    ~TScopeForm() override;

    // ---- IScopeFeed (the main window's live display) ------------------------
    TScopeBoxes scopeBoxes() const override;
    void addSample(const TScopeSample& sample) override;
    void showChannelMark(int channel, TMark mark) override;

    // ---- Called by the main window ------------------------------------------
    scope::TScopeModel& model() { return FModel; }
    const scope::TScopeModel& model() const { return FModel; }
    // Disables UpdateTimer (streaming stopped or paused, tool gone).
    void stopUpdateTimer();
    bool updateTimerActive() const { return FUpdateTimer.isActive(); }
    void CheckActiveChannels();
    // "Baseline View" switched: on: Y range -200..1000 shown in the edits and
    // "Rescale Scope View" disabled; off: the button enabled and run. Both:
    // the active traces again.
    void baselineViewChanged(bool on);
    // The "Scope" button: shows the window, restoring it if minimised.
    void showScope();
    // F3: closes a showing, not minimised window, else shows it.
    void toggleScope();

    // ---- Commands (the buttons and boxes) -----------------------------------
    void UpdateTimerTimer();
    void ResetScopeButtonClick();
    void RescaleScopeButtonClick();
    void RestartScopeButtonClick();
    void SetMaxButtonClick();
    void SetMinButtonClick();
    void YIncButtonClick();
    void SetXRangeButtonClick();
    // "Save Image...", "Export CSV...": ask for a file, then write it.
    void SaveImageButtonClick();
    void ExportCsvButtonClick();
    // PNG of the chart as shown / CSV of the shown traces. False (after an
    // error box) when the file could not be written.
    bool saveImageTo(const QString& file);
    bool exportCsvTo(const QString& file);

    // ---- Controls, by their names -------------------------------------------
    TScopeChart* ScopeGraph = nullptr;
    QPushButton* ResetScopeButton = nullptr;
    QPushButton* RescaleScopeButton = nullptr;
    QPushButton* RestartScopeButton = nullptr;
    QCheckBox* AutoScaleCheck = nullptr;
    QPushButton* SaveImageButton = nullptr;
    QPushButton* ExportCsvButton = nullptr;
    std::array<QCheckBox*, scope::kTraces> Selectors{}; // by trace number
    QCheckBox* CSAllCheck = nullptr;
    QCheckBox* LTAllCheck = nullptr;
    std::array<TColourSwatch*, scope::kTraces> Swatches{}; // by trace number
    std::array<TPictureLabel*, 3> PTShapes{};               // CH0PTShape..CH2PTShape
    QLineEdit* MaxEdit = nullptr;
    QLineEdit* MinEdit = nullptr;
    QSpinBox* YIncSpin = nullptr;
    QSpinBox* XRangeSpin = nullptr;
    QPushButton* SetMaxButton = nullptr;
    QPushButton* SetMinButton = nullptr;
    QPushButton* YIncButton = nullptr;
    QPushButton* SetXRangeButton = nullptr;
    QLabel* CoordinatesLabel = nullptr;
    QCheckBox* XCoordCheck = nullptr; // hidden, checked
    QCheckBox* YCoordCheck = nullptr; // hidden, checked

    // ---- Dialogs, replaceable by tests --------------------------------------
    // A modal error box with one OK button.
    std::function<void(const QString& text)> showError;
    // The colour dialog: the chosen colour, or an invalid one when cancelled.
    std::function<QColor(const QColor& initial)> chooseColour;
    // A save-file dialog: the chosen path, or empty when cancelled.
    std::function<QString(const QString& caption, const QString& name, const QString& filter)>
        chooseSaveFile;

    bool activated() const { return FFormActivated; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout(const Pictures& pictures);
    QWidget* buildButtonBar();
    QWidget* buildCountsGroup(const Pictures& pictures);
    QWidget* buildLtaGroup();
    QWidget* buildSensorsGroup();
    QWidget* buildSettingsGroup();
    void wire();

    void syncTimer();
    void showAxes();
    void showYEdits();
    void handOver(const std::bitset<scope::kTraces>& traces);
    void applyVisibility();
    void SetSeriesColors();
    void swatchClicked(int trace);
    void allBoxClicked(scope::TTraceGroup group, QCheckBox* box);
    void selectorToggled(int trace, bool on);
    void showReadout(const QPointF& pixel);
    void refreshReadout();
    void setReadoutShown(bool shown);
    void FormActivate();
    void loadPreferences();
    void savePreferences();

    const scope::IScopeHost& FHost;
    IScopeMessages& FMessages;
    TPreferences& FPreferences;
    scope::TScopeModel FModel;
    QTimer FUpdateTimer;
    bool FSetupFormIni = true;
    bool FFormActivated = false;
    bool FRunLTApply = false;
    QPoint FRunPos;
    int CoorX = 0, CoorY = 0;
};
