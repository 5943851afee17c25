#include "ScopeForm.h"

#include "BaselineView.h"
#include "ColourSwatch.h"
#include "KvnColor.h"
#include "PictureLabel.h"
#include "ScopeChart.h"
#include "ScopeTexts.h"
#include "ScopeTrace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

using namespace scope;

TScopeForm::TScopeForm(const IScopeHost& host, IScopeMessages& messages,
                       TPreferences& preferences, const Pictures& pictures)
    : QWidget(nullptr, Qt::Window),
      FHost(host),
      FMessages(messages),
      FPreferences(preferences),
      FModel(host)
{
    setObjectName(QStringLiteral("ScopeForm"));
    setWindowTitle(QStringLiteral("Scope"));
    // A window of its own: closing the main window ends the program even
    // while the scope shows.
    setAttribute(Qt::WA_QuitOnClose, false);

    showError = [this](const QString& text) {
        QMessageBox::critical(this, QStringLiteral("Error"), text, QMessageBox::Ok);
    };
    chooseColour = [this](const QColor& initial) {
        return QColorDialog::getColor(initial, this, QStringLiteral("Colour"));
    };
    chooseSaveFile = [this](const QString& caption, const QString& name, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, name, filter);
    };

    buildLayout(pictures);
    wire();

    FUpdateTimer.setObjectName(QStringLiteral("UpdateTimer"));
    FUpdateTimer.setInterval(100);
    connect(&FUpdateTimer, &QTimer::timeout, this, &TScopeForm::UpdateTimerTimer);

    SetSeriesColors();
    setMinimumSize(620, 200);
    resize(934, 493);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TScopeForm::~TScopeForm()
{
    FUpdateTimer.stop();
    FModel.NoUpdate = true;
    for (int t = 0; t < kTraces; ++t)
        ScopeGraph->trace(t)->setPoints(nullptr, nullptr, 0);
    if (FFormActivated)
        savePreferences(); // a failure is ignored
}

// ---- IScopeFeed -------------------------------------------------------------

TScopeBoxes TScopeForm::scopeBoxes() const
{
    TScopeBoxes b;
    b.ActiveChannels = FModel.ActiveChannels();
    for (int n = 0; n < 6; ++n)
        b.CountBoxes[static_cast<std::size_t>(n)] = FModel.selected(scopetrace::Count0 + n);
    b.QRD = FModel.selected(scopetrace::QuickRelease);
    b.Hall = FModel.selected(scopetrace::Hall);
    b.MD = FModel.selected(scopetrace::Hysteresis);
    return b;
}

void TScopeForm::addSample(const TScopeSample& sample)
{
    FModel.Feed(sample);
    syncTimer();
}

void TScopeForm::showChannelMark(int channel, TMark mark)
{
    if (channel >= 0 && channel < static_cast<int>(PTShapes.size()))
        PTShapes[static_cast<std::size_t>(channel)]->setMark(mark);
}

// ---- Main window side -------------------------------------------------------

void TScopeForm::stopUpdateTimer()
{
    FModel.UpdateTimer = false;
    syncTimer();
}

void TScopeForm::syncTimer()
{
    if (FModel.UpdateTimer && !FUpdateTimer.isActive())
        FUpdateTimer.start();
    else if (!FModel.UpdateTimer && FUpdateTimer.isActive())
        FUpdateTimer.stop();
}

void TScopeForm::CheckActiveChannels()
{
    FModel.CheckActiveChannels();
    applyVisibility();
}

void TScopeForm::baselineViewChanged(bool on)
{
    const TBaselineViewLook look = baselineViewLook(on, true, true);
    if (look.SetScopeRange) {
        FModel.Y.setOrdered(look.ScopeYMin, look.ScopeYMax);
        showAxes();
        MinEdit->setText(QString::fromStdString(axisText(look.ScopeYMin)));
        MaxEdit->setText(QString::fromStdString(axisText(look.ScopeYMax)));
    }
    RescaleScopeButton->setEnabled(look.ScopeRescaleEnabled);
    if (look.RunScopeRescale)
        RescaleScopeButtonClick();
    CheckActiveChannels();
}

void TScopeForm::showScope()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TScopeForm::toggleScope()
{
    if (isVisible() && !isMinimized())
        close();
    else
        showScope();
}

// ---- Drawing ----------------------------------------------------------------

void TScopeForm::UpdateTimerTimer()
{
    const TTickResult r = FModel.Tick();
    if (!r.Ran)
        return;
    handOver(r.HandOver);
    // A zoom still moving keeps going unless the view had to move.
    if (!ScopeGraph->animating() || r.Scrolled || r.Rescaled)
        ScopeGraph->setAxes(FModel.X, FModel.Y);
    // A closed window is repainted when it shows again.
    if (isVisible())
        ScopeGraph->replot();
    if (r.Scrolled)
        refreshReadout();
    if (r.Rescaled)
        showYEdits();
}

void TScopeForm::handOver(const std::bitset<kTraces>& traces)
{
    const TScopeBuffers& b = FModel.buffers();
    for (int t = 0; t < kTraces; ++t) {
        if (!traces.test(static_cast<std::size_t>(t)))
            continue;
        TScopeTrace* trace = ScopeGraph->trace(t);
        const bool shown = FModel.visible().test(static_cast<std::size_t>(t));
        if (trace->visible() != shown)
            trace->setVisible(shown);
        trace->setPoints(b.xData(t), b.yData(t), b.count());
    }
}

void TScopeForm::applyVisibility()
{
    const std::bitset<kTraces> changed = FModel.UpdateVisibility();
    if (changed.none())
        return;
    for (int t = 0; t < kTraces; ++t)
        if (changed.test(static_cast<std::size_t>(t)))
            ScopeGraph->trace(t)->setVisible(FModel.visible().test(static_cast<std::size_t>(t)));
    ScopeGraph->replot(QCustomPlot::rpQueuedReplot);
}

void TScopeForm::showAxes()
{
    ScopeGraph->setAxes(FModel.X, FModel.Y);
    ScopeGraph->replot(QCustomPlot::rpQueuedReplot);
}

void TScopeForm::showYEdits()
{
    MaxEdit->setText(QString::fromStdString(axisText(FModel.Y.Max)));
    MinEdit->setText(QString::fromStdString(axisText(FModel.Y.Min)));
}

void TScopeForm::SetSeriesColors()
{
    for (int t = 0; t < kTraces; ++t) {
        const TTraceInfo& info = kTraceTable[static_cast<std::size_t>(t)];
        const QColor c = kvnColor(FModel.Colours[static_cast<std::size_t>(info.ColourSlot)]);
        ScopeGraph->trace(t)->setPen(
            QPen(c, info.LineWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        Swatches[static_cast<std::size_t>(t)]->setColour(c);
    }
    ScopeGraph->replot(QCustomPlot::rpQueuedReplot);
}

// ---- Commands ---------------------------------------------------------------

void TScopeForm::ResetScopeButtonClick()
{
    FModel.ResetAxes();
    ScopeGraph->animateTo(FModel.X, FModel.Y);
}

void TScopeForm::RescaleScopeButtonClick()
{
    FModel.Rescale();
    showAxes();
    showYEdits();
}

void TScopeForm::RestartScopeButtonClick()
{
    FModel.Restart(XRangeSpin->value());
    syncTimer();
    for (int t = 0; t < kTraces; ++t)
        ScopeGraph->trace(t)->setPoints(nullptr, nullptr, 0);
    applyVisibility();
    showAxes();
}

void TScopeForm::SetMaxButtonClick()
{
    const TEntryResult r = FModel.SetYMax(MaxEdit->text().toStdString());
    if (!r.accepted()) {
        MaxEdit->setText(QString::fromStdString(r.EditText));
        showError(QString::fromLatin1(r.Message));
        return;
    }
    showAxes();
}

void TScopeForm::SetMinButtonClick()
{
    const TEntryResult r = FModel.SetYMin(MinEdit->text().toStdString());
    if (!r.accepted()) {
        MinEdit->setText(QString::fromStdString(r.EditText));
        showError(QString::fromLatin1(r.Message));
        return;
    }
    showAxes();
}

void TScopeForm::YIncButtonClick()
{
    FModel.SetYInc(YIncSpin->value());
    ScopeGraph->setYLabelIncrement(FModel.YInc());
    ScopeGraph->replot(QCustomPlot::rpQueuedReplot);
}

void TScopeForm::SetXRangeButtonClick()
{
    if (FModel.SetXRange(XRangeSpin->value()))
        showAxes();
}

void TScopeForm::swatchClicked(int trace)
{
    const auto slot =
        static_cast<std::size_t>(kTraceTable[static_cast<std::size_t>(trace)].ColourSlot);
    const QColor chosen = chooseColour(kvnColor(FModel.Colours[slot]));
    if (!chosen.isValid())
        return;
    FModel.Colours[slot] = kvnColorValue(chosen);
    SetSeriesColors();
}

void TScopeForm::selectorToggled(int trace, bool on)
{
    FModel.setSelected(trace, on);
    applyVisibility();
}

// ---- Cursor read-out --------------------------------------------------------

void TScopeForm::showReadout(const QPointF& pixel)
{
    if (!XCoordCheck->isChecked() && !YCoordCheck->isChecked())
        return;
    const QPointF v = ScopeGraph->valueAt(pixel);
    CoorX = static_cast<int>(std::llround(v.x()));
    CoorY = static_cast<int>(std::llround(v.y()));
    CoordinatesLabel->setText(QString::fromStdString(
        readoutText(v.x(), v.y(), XCoordCheck->isChecked(), YCoordCheck->isChecked())));
}

void TScopeForm::refreshReadout()
{
    if (!XCoordCheck->isChecked() || !CoordinatesLabel->isVisible())
        return;
    const QPoint pixel = ScopeGraph->mapFromGlobal(QCursor::pos());
    if (ScopeGraph->rect().contains(pixel))
        showReadout(pixel);
}

void TScopeForm::setReadoutShown(bool shown)
{
    CoordinatesLabel->setVisible(shown &&
                                 (XCoordCheck->isChecked() || YCoordCheck->isChecked()));
}

// ---- Window -----------------------------------------------------------------

void TScopeForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ScopeGraph->replot(QCustomPlot::rpQueuedReplot);
    if (FRunLTApply) {
        FRunLTApply = false;
        move(FRunPos);
    }
    if (!FFormActivated) {
        FFormActivated = true;
        FormActivate();
    }
}

void TScopeForm::FormActivate()
{
    if (FSetupFormIni) {
        FSetupFormIni = false;
        loadPreferences();
    }
}

void TScopeForm::closeEvent(QCloseEvent* event)
{
    FRunPos = pos();
    FRunLTApply = true;
    event->accept();
}

bool TScopeForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in a spin box does what its button does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == YIncSpin) {
                YIncButtonClick();
                return true;
            }
            if (watched == XRangeSpin) {
                SetXRangeButtonClick();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TScopeForm::wire()
{
    connect(ResetScopeButton, &QPushButton::clicked, this, &TScopeForm::ResetScopeButtonClick);
    connect(RescaleScopeButton, &QPushButton::clicked, this,
            &TScopeForm::RescaleScopeButtonClick);
    connect(RestartScopeButton, &QPushButton::clicked, this,
            &TScopeForm::RestartScopeButtonClick);
    connect(AutoScaleCheck, &QCheckBox::toggled, this, [this](bool on) { FModel.AutoScale = on; });
    connect(SaveImageButton, &QPushButton::clicked, this, &TScopeForm::SaveImageButtonClick);
    connect(ExportCsvButton, &QPushButton::clicked, this, &TScopeForm::ExportCsvButtonClick);

    connect(SetMaxButton, &QPushButton::clicked, this, &TScopeForm::SetMaxButtonClick);
    connect(SetMinButton, &QPushButton::clicked, this, &TScopeForm::SetMinButtonClick);
    connect(YIncButton, &QPushButton::clicked, this, &TScopeForm::YIncButtonClick);
    connect(SetXRangeButton, &QPushButton::clicked, this, &TScopeForm::SetXRangeButtonClick);
    connect(MaxEdit, &QLineEdit::returnPressed, this, &TScopeForm::SetMaxButtonClick);
    connect(MinEdit, &QLineEdit::returnPressed, this, &TScopeForm::SetMinButtonClick);

    for (int t = 0; t < kTraces; ++t) {
        connect(Selectors[static_cast<std::size_t>(t)], &QCheckBox::toggled, this,
                [this, t](bool on) { selectorToggled(t, on); });
        connect(Swatches[static_cast<std::size_t>(t)], &TColourSwatch::clicked, this,
                [this, t] { swatchClicked(t); });
    }
    connect(CSAllCheck, &QCheckBox::clicked, this,
            [this] { allBoxClicked(TTraceGroup::Counts, CSAllCheck); });
    connect(LTAllCheck, &QCheckBox::clicked, this,
            [this] { allBoxClicked(TTraceGroup::Ltas, LTAllCheck); });

    connect(ScopeGraph, &TScopeChart::zoomed, this, [this](TAxisRange x, TAxisRange y) {
        FModel.X = x;
        FModel.Y = y;
    });
    connect(ScopeGraph, &TScopeChart::zoomUndone, this, [this] {
        FModel.ResetAxes();
        ScopeGraph->animateTo(FModel.X, FModel.Y);
    });
    connect(ScopeGraph, &TScopeChart::panned, this, [this](TAxisRange x, TAxisRange y) {
        FModel.X = x;
        FModel.Y = y;
        refreshReadout();
    });
    connect(ScopeGraph, &TScopeChart::pointerMoved, this, &TScopeForm::showReadout);
    connect(ScopeGraph, &TScopeChart::pointerEntered, this, [this] { setReadoutShown(true); });
    connect(ScopeGraph, &TScopeChart::pointerLeft, this, [this] { setReadoutShown(false); });
}
