#include "FieldEditor.h"

#include "KvnRadioGroup.h"
#include "PageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// A spin field whose emptied text becomes 1 (or the nearest end of its range)
// when the user leaves it; an empty text in between changes nothing.
class TFieldSpin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    void fixup(QString& input) const override
    {
        if (input.trimmed().isEmpty())
            input = QString::number(std::clamp(1, minimum(), maximum()));
        else
            QSpinBox::fixup(input);
    }
};

} // namespace

TFieldEditor::TFieldEditor(const TFieldDesc& desc, QWidget* parent) : QObject(parent), FDesc(desc)
{
    const QString name = qs(fieldAccessibleName(desc));
    switch (desc.Kind) {
    case TFieldKind::Radio: {
        QStringList items;
        for (const std::string& e : desc.Entries)
            items << qs(e);
        Radio = new TKvnRadioGroup(qs(desc.Caption), items, parent);
        if (items.size() > 4)
            Radio->setColumns(2);
        connect(Radio, &TKvnRadioGroup::itemClicked, this, &TFieldEditor::userEdit);
        break;
    }
    case TFieldKind::Check:
        Check = new QCheckBox(qs(desc.Caption), parent);
        connect(Check, &QCheckBox::clicked, this, [this](bool on) { userEdit(on ? 1 : 0); });
        break;
    case TFieldKind::Spin:
        Spin = new TFieldSpin(parent);
        Spin->setRange(desc.Min, desc.Max);
        Spin->setMinimumWidth(64);
        Track = new QSlider(Qt::Horizontal, parent);
        Track->setRange(desc.Min, desc.Max);
        Track->setMinimumWidth(60);
        Track->setObjectName(
            qs(desc.Control).replace(QStringLiteral("Spin"), QStringLiteral("Track")));
        Track->setAccessibleName(name);
        connect(Spin, &QSpinBox::valueChanged, this, &TFieldEditor::userEdit);
        connect(Track, &QSlider::valueChanged, this, [this](int v) {
            if (!FSetting)
                Spin->setValue(v); // reports the edit through the spin
        });
        if (!desc.UnitLabel.empty())
            Unit = new QLabel(qs(desc.UnitLabel), parent);
        if (desc.Shown != TShownKind::None) {
            Shown = new QLabel(qs(formShownText(desc)), parent);
            Shown->setObjectName(qs(desc.ShownControl));
            // Room for the widest text the field can show.
            Shown->setMinimumWidth(
                Shown->fontMetrics().horizontalAdvance(qs(shownText(desc, desc.Max))) + 6);
        }
        break;
    case TFieldKind::List: {
        List = new QComboBox(parent);
        for (const std::string& e : desc.Entries)
            List->addItem(qs(e));
        connect(List, &QComboBox::activated, this, &TFieldEditor::userEdit);
        break;
    }
    }
    QWidget* e = editor();
    e->setObjectName(qs(desc.Control));
    e->setAccessibleName(name);
    if (!desc.Description.empty())
        e->setToolTip(qs(desc.Description));
    if (Spin || List) {
        const std::string label = fieldLabel(desc);
        if (!label.empty()) {
            Label = new QLabel(qs(label), parent);
            Label->setBuddy(e);
        }
    }
    setValue(desc.FormDefault);
}

QWidget* TFieldEditor::editor() const
{
    if (Radio)
        return Radio;
    if (Check)
        return Check;
    if (Spin)
        return Spin;
    return List;
}

std::vector<QWidget*> TFieldEditor::widgets() const
{
    std::vector<QWidget*> all;
    for (QWidget* w : {static_cast<QWidget*>(Label), editor(), static_cast<QWidget*>(Track),
                       static_cast<QWidget*>(Unit), static_cast<QWidget*>(Shown)}) {
        if (w)
            all.push_back(w);
    }
    return all;
}

void TFieldEditor::setValue(int value)
{
    if (this->value() == value && !(Radio && Radio->itemIndex() < 0)) {
        showText(value);
        return;
    }
    FSetting = true;
    if (Radio)
        Radio->setItemIndex(value);
    else if (Check)
        Check->setChecked(value != 0);
    else if (Spin) {
        const QSignalBlocker block(Spin);
        Spin->setValue(value);
        Track->setValue(value);
    } else if (List)
        List->setCurrentIndex(value);
    showText(value);
    FSetting = false;
}

int TFieldEditor::value() const
{
    if (Radio)
        return Radio->itemIndex();
    if (Check)
        return Check->isChecked() ? 1 : 0;
    if (Spin)
        return Spin->value();
    return List->currentIndex();
}

void TFieldEditor::setVisible(bool visible)
{
    for (QWidget* w : widgets())
        w->setVisible(visible);
}

void TFieldEditor::setEnabled(bool enabled)
{
    for (QWidget* w : widgets())
        w->setEnabled(enabled);
}

void TFieldEditor::userEdit(int value)
{
    if (FSetting)
        return;
    if (Track) {
        FSetting = true;
        Track->setValue(value);
        FSetting = false;
    }
    showText(value);
    emit edited(FDesc.Id, value);
}

void TFieldEditor::showText(int value)
{
    if (Shown)
        Shown->setText(qs(shownText(FDesc, value)));
}
