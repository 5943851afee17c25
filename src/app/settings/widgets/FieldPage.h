#pragma once
// The page builder: a settings page made from the field table. It lays out
// the fields of one page by the plan of PageLayout (boxes, columns, labels),
// shows the settings model's field values, and turns every edit into the
// model's field value and the group's change detection. Engineering-only
// fields show in engineering mode only. Pages 1 to 4, 6 to 8 and 14 are such
// pages; the channel pages (TChannelPage) hold one as their engineering panel.

#include "FieldEditor.h"
#include "SettingsPage.h"

#include <array>
#include <vector>

class QGridLayout;
class QGroupBox;
class QPushButton;

// The widgets of a field-table page without the page around them, so that a
// channel page can hold them as its engineering panel.
class TFieldPanel : public QWidget {
    Q_OBJECT
public:
    TFieldPanel(int page, int columns, QWidget* parent = nullptr);

    TFieldEditor* editor(TFieldId f) const { return FEditors[fieldIndex(f)]; }
    const std::vector<TFieldEditor*>& editors() const { return FEditorList; }
    void setEngineering(bool on);
    // Every editor from the values; fields of other groups are skipped.
    template <class ValueOf> void showValues(ValueOf&& valueOf)
    {
        for (TFieldEditor* e : FEditorList)
            e->setValue(valueOf(e->field()));
    }

signals:
    void edited(TFieldId field, int value);

private:
    QWidget* makeBox(const struct TLayoutBox& box);
    void addField(QGridLayout* grid, int& row, TFieldEditor* e);

    std::array<TFieldEditor*, kFieldCount> FEditors{};
    std::vector<TFieldEditor*> FEditorList;
    std::vector<std::pair<QWidget*, bool>> FBoxes; // box, engineering-only
};

class TFieldPage : public TSettingsPage {
    Q_OBJECT
public:
    TFieldPage(TSettingsForm& form, int page);

    TFieldPanel* panel() const { return FPanel; }
    QPushButton* readAllButton() const { return FReadAll; }
    void setEngineering(bool on) override;

protected:
    void showSettings() override;
    // A field edit: the model takes the value (in range), the controls show
    // what it took, then change detection runs for the field's group.
    void fieldEdited(TFieldId field, int value);

private:
    TFieldPanel* FPanel;
    QPushButton* FReadAll = nullptr;
};
