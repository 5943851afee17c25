// The scope window's files: section "ScopeForm" of the preferences file, the
// saved states of the "All" boxes, "Save Image..." and "Export CSV...".
#include "ScopeChart.h"
#include "ScopeCsv.h"
#include "ScopeForm.h"
#include "ScopeTexts.h"

#include "Preferences.h"
#include "WindowPlacement.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QSpinBox>

using namespace scope;

namespace {

TAllState allState(Qt::CheckState s)
{
    switch (s) {
    case Qt::Unchecked: return TAllState::Unchecked;
    case Qt::PartiallyChecked: return TAllState::Greyed;
    case Qt::Checked: return TAllState::Checked;
    }
    return TAllState::Unchecked;
}

// An edit's whole number, or the axis value it stands for when its text is
// not one.
int editValue(const QLineEdit* edit, double axisValue)
{
    if (const auto v = parseWholeNumber(edit->text().toStdString()))
        return *v;
    return *parseWholeNumber(axisText(axisValue));
}

} // namespace

void TScopeForm::allBoxClicked(TTraceGroup group, QCheckBox* box)
{
    const TAllState state = allState(box->checkState());
    TScopeFormPrefs saved;
    for (int t = 0; t < kTraces; ++t)
        saved.traces[static_cast<std::size_t>(t)] = FModel.selected(t);
    if (state == TAllState::Greyed && !FPreferences.readScopeForm(saved))
        FMessages.addScopeError(QString::fromLatin1(msg::kLoadError));
    const auto effect = allBoxEffect(group, state, saved.traces);
    for (int t = 0; t < kTraces; ++t)
        if (const auto on = effect[static_cast<std::size_t>(t)])
            Selectors[static_cast<std::size_t>(t)]->setChecked(*on);
}

void TScopeForm::loadPreferences()
{
    // What the file lacks, or holds past a bad value, keeps its current value.
    TScopeFormPrefs p;
    for (int i = 0; i < kSavedColourSlots; ++i)
        p.colors[static_cast<std::size_t>(i)] = FModel.Colours[static_cast<std::size_t>(i)];
    p.scopeMin = editValue(MinEdit, FModel.Y.Min);
    p.scopeMax = editValue(MaxEdit, FModel.Y.Max);
    p.yInc = YIncSpin->value();
    p.xRange = XRangeSpin->value();
    p.autoScale = AutoScaleCheck->isChecked();
    for (int t = 0; t < kTraces; ++t)
        p.traces[static_cast<std::size_t>(t)] = FModel.selected(t);
    p.placement = {x(), y(), width(), height(), isMaximized()};
    const bool ok = FPreferences.readScopeForm(p);

    for (int i = 0; i < kSavedColourSlots; ++i)
        FModel.Colours[static_cast<std::size_t>(i)] = p.colors[static_cast<std::size_t>(i)];
    SetSeriesColors();
    MinEdit->setText(QString::number(p.scopeMin));
    MaxEdit->setText(QString::number(p.scopeMax));
    YIncSpin->setValue(p.yInc);
    XRangeSpin->setValue(p.xRange);
    AutoScaleCheck->setChecked(p.autoScale);
    YIncButtonClick();
    SetXRangeButtonClick();
    for (int t = 0; t < kTraces; ++t)
        Selectors[static_cast<std::size_t>(t)]->setChecked(p.traces[static_cast<std::size_t>(t)]);
    CheckActiveChannels();

    if (p.placementRead) {
        std::vector<QRect> displays;
        for (const QScreen* screen : QGuiApplication::screens())
            displays.push_back(screen->geometry());
        const TPlacementDecision d = placeWindow(p.placement, displays);
        if (d.move)
            move(d.position);
        if (d.resize)
            resize(d.size);
        if (d.maximise)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    if (!ok)
        FMessages.addScopeError(QString::fromLatin1(msg::kLoadError));
}

void TScopeForm::savePreferences()
{
    TScopeFormPrefs p;
    const QSize size = isMaximized() ? normalGeometry().size() : this->size();
    p.placement = {x(), y(), size.width(), size.height(), isMaximized()};
    for (int i = 0; i < kSavedColourSlots; ++i)
        p.colors[static_cast<std::size_t>(i)] = FModel.Colours[static_cast<std::size_t>(i)];
    p.scopeMin = editValue(MinEdit, FModel.Y.Min);
    p.scopeMax = editValue(MaxEdit, FModel.Y.Max);
    p.yInc = FModel.YInc();
    p.xRange = FModel.XRange();
    p.autoScale = AutoScaleCheck->isChecked();
    for (int t = 0; t < kTraces; ++t)
        p.traces[static_cast<std::size_t>(t)] = FModel.selected(t);
    FPreferences.writeScopeForm(p);
}

void TScopeForm::SaveImageButtonClick()
{
    const QString file = chooseSaveFile(QStringLiteral("Save Image"), QStringLiteral("Scope.png"),
                                        QStringLiteral("PNG pictures (*.png)"));
    if (!file.isEmpty())
        saveImageTo(file);
}

void TScopeForm::ExportCsvButtonClick()
{
    const QString file = chooseSaveFile(QStringLiteral("Export CSV"), QStringLiteral("Scope.csv"),
                                        QStringLiteral("CSV files (*.csv)"));
    if (!file.isEmpty())
        exportCsvTo(file);
}

bool TScopeForm::saveImageTo(const QString& file)
{
    ScopeGraph->replot(QCustomPlot::rpImmediateRefresh);
    const QPixmap picture = ScopeGraph->grab();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !picture.save(&out, "PNG") || !out.commit()) {
        showError(QString::fromLatin1(msg::kImageNotSaved));
        return false;
    }
    return true;
}

bool TScopeForm::exportCsvTo(const QString& file)
{
    if (shownTraces(FModel).none() || FModel.buffers().count() == 0) {
        showError(QString::fromLatin1(msg::kNothingToExport));
        return false;
    }
    const std::string text = scopeCsv(FModel, FHost.deltaOnly());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !out.commit()) {
        showError(QString::fromLatin1(msg::kCsvNotSaved));
        return false;
    }
    return true;
}
