#include "KvnRadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

TKvnRadioGroup::TKvnRadioGroup(QWidget* parent)
    : QGroupBox(parent), HeaderFont(font()), ItemsFont(font()), FLayout(new QGridLayout(this))
{
    FLayout->setContentsMargins(6, 4, 6, 4);
    FLayout->setSpacing(2);
    FGroup.setExclusive(true);
    connect(&FGroup, &QButtonGroup::idClicked, this, &TKvnRadioGroup::itemClicked);
}

TKvnRadioGroup::TKvnRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : TKvnRadioGroup(parent)
{
    setTitle(caption);
    setItems(items);
}

void TKvnRadioGroup::setItems(const QStringList& items)
{
    FItems = items;
    rebuild();
}

void TKvnRadioGroup::setColumns(int columns)
{
    FColumns = std::max(1, columns);
    rebuild();
}

int TKvnRadioGroup::itemIndex() const
{
    return FGroup.checkedId();
}

void TKvnRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* b = FGroup.button(index)) {
        b->setChecked(true);
        return;
    }
    // No item: uncheck whatever is checked.
    if (QAbstractButton* checked = FGroup.checkedButton()) {
        FGroup.setExclusive(false);
        checked->setChecked(false);
        FGroup.setExclusive(true);
    }
}

QRadioButton* TKvnRadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton*>(FGroup.button(index));
}

namespace {

// A copy that no longer follows its parent's font in any property.
QFont ownFont(QFont f)
{
    f.setResolveMask(QFont::AllPropertiesResolved);
    return f;
}

}  // namespace

void TKvnRadioGroup::applyFonts()
{
    setFont(HeaderFont);
    for (QAbstractButton* b : FGroup.buttons())
        b->setFont(ownFont(ItemsFont));
}

void TKvnRadioGroup::rebuild()
{
    const int previous = itemIndex();
    for (QAbstractButton* b : FGroup.buttons()) {
        FGroup.removeButton(b);
        delete b;
    }
    const int rows = (static_cast<int>(FItems.size()) + FColumns - 1) / FColumns;
    for (int i = 0; i < FItems.size(); ++i) {
        auto* b = new QRadioButton(FItems.at(i), this);
        b->setFont(ownFont(ItemsFont));
        FGroup.addButton(b, i);
        FLayout->addWidget(b, rows ? i % rows : 0, rows ? i / rows : 0);
    }
    setFont(HeaderFont);
    setItemIndex(previous < FItems.size() ? previous : -1);
}
