#include "FieldPage.h"

#include "KvnRadioGroup.h"
#include "PageLayout.h"
#include "Session.h"
#include "SettingsForm.h"
#include "SettingsPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

TFieldPanel::TFieldPanel(int page, int columns, QWidget* parent) : QWidget(parent)
{
    const TPageLayout layout = pageLayout(page);
    const std::vector<std::size_t> starts = splitIntoColumns(layout.Boxes, columns);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    QVBoxLayout* column = nullptr;
    for (std::size_t i = 0; i < layout.Boxes.size(); ++i) {
        if (std::find(starts.begin(), starts.end(), i) != starts.end()) {
            if (column)
                column->addStretch(1);
            column = new QVBoxLayout;
            column->setSpacing(8);
            row->addLayout(column, 1);
        }
        column->addWidget(makeBox(layout.Boxes[i]));
    }
    if (column)
        column->addStretch(1);
}

QWidget* TFieldPanel::makeBox(const TLayoutBox& box)
{
    QWidget* container;
    auto makeEditor = [this](TFieldId f, QWidget* parent) {
        auto* e = new TFieldEditor(fieldDesc(f), parent);
        FEditors[fieldIndex(f)] = e;
        FEditorList.push_back(e);
        connect(e, &TFieldEditor::edited, this, &TFieldPanel::edited);
        return e;
    };
    if (box.LoneRadio) {
        container = makeEditor(box.Fields.front(), this)->Radio;
    } else {
        auto* group = new QGroupBox(QString::fromStdString(box.Caption), this);
        if (box.Caption.empty())
            group->setFlat(false);
        auto* grid = new QGridLayout(group);
        grid->setContentsMargins(8, 6, 8, 6);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        grid->setColumnStretch(2, 1);
        int r = 0;
        for (const TFieldId f : box.Fields)
            addField(grid, r, makeEditor(f, group));
        container = group;
    }
    FBoxes.emplace_back(container, box.EngineeringOnly);
    return container;
}

// One field in a box: radio groups and check boxes span the row; a spin has
// label | spin | track | unit | shown text; a list has label | list.
void TFieldPanel::addField(QGridLayout* grid, int& row, TFieldEditor* e)
{
    if (e->Radio || e->Check) {
        grid->addWidget(e->editor(), row++, 0, 1, 5);
        return;
    }
    if (e->Label)
        grid->addWidget(e->Label, row, 0);
    grid->addWidget(e->editor(), row, 1);
    if (e->Track)
        grid->addWidget(e->Track, row, 2);
    if (e->Unit)
        grid->addWidget(e->Unit, row, 3);
    if (e->Shown)
        grid->addWidget(e->Shown, row, 4);
    ++row;
}

void TFieldPanel::setEngineering(bool on)
{
    for (TFieldEditor* e : FEditorList) {
        if (e->desc().EngineeringOnly)
            e->setVisible(on);
    }
    for (const auto& [box, engineeringOnly] : FBoxes) {
        if (engineeringOnly)
            box->setVisible(on);
    }
}

TFieldPage::TFieldPage(TSettingsForm& form, int page) : TSettingsPage(form, page)
{
    const TSettingsPageInfo& info = settingsPage(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    FPanel = new TFieldPanel(page, info.Channel >= 0 ? 3 : 2, this);
    layout->addWidget(FPanel);
    if (info.ReadAllButton && info.Group) {
        FReadAll = new QPushButton(QStringLiteral("Read All"), this);
        FReadAll->setObjectName(QStringLiteral("ReadAllButton%1").arg(page));
        FReadAll->setAccessibleName(QStringLiteral("Read All"));
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(FReadAll);
        layout->addLayout(buttons);
        const TSettingsGroup g = *info.Group;
        connect(FReadAll, &QPushButton::clicked, this, [this, g] { session().ReadGroupClick(g); });
    }
    layout->addStretch(1);
    connect(FPanel, &TFieldPanel::edited, this, &TFieldPage::fieldEdited);
    FPanel->setEngineering(false);
}

void TFieldPage::setEngineering(bool on)
{
    FPanel->setEngineering(on);
}

void TFieldPage::showSettings()
{
    const TSettingsModel& m = session().Settings();
    FPanel->showValues([&m](TFieldId f) { return m.fieldValue(f); });
    // "Movement Channel Manual Override" is enabled only while SAR UI is
    // enabled in the applied settings.
    if (TFieldEditor* e = FPanel->editor(TFieldId::SarMovActive))
        e->setEnabled(session().settingsWindow().movementOverrideEnabled);
}

void TFieldPage::fieldEdited(TFieldId field, int value)
{
    TSettingsModel& m = session().Settings();
    const int stored = m.setFieldValue(field, value);
    if (stored != value)
        FPanel->editor(field)->setValue(stored);
    detectChange(fieldDesc(field).Group);
}
