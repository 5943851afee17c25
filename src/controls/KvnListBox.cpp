#include "KvnListBox.h"

#include "KvnColor.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>

class KvnListBoxDelegate : public QStyledItemDelegate {
public:
    explicit KvnListBoxDelegate(TKvnListBox* list) : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const int row = index.row();
        const bool error = FList->itemType(row) == aError;
        const bool selected = option.state & QStyle::State_Selected;
        const bool hasFocus = option.state & QStyle::State_HasFocus;
        QColor text = kvnColor(error ? FList->ErrorTextColor : FList->InfoTextColor);
        QColor back = kvnColor(error ? FList->ErrorBackgroundColor : FList->InfoBackgroundColor);
        if (selected)
            back = kvnColor(FList->SelectedColor);

        const QRect r = option.rect;
        if (FList->MouseHighlight && row == FList->FMouseOver && !hasFocus &&
            row != FList->FFocused) {
            p->fillRect(r, kvnColor(FList->MouseOverColor));
        } else {
            p->fillRect(r, back);
            if (hasFocus) {
                QPen pen(Qt::DotLine);
                pen.setColor(text);
                p->setPen(pen);
                p->drawRect(r.adjusted(0, 0, -1, -1));
                FList->FFocused = row;
            }
        }
        p->setPen(text);
        p->setFont(FList->font());
        p->drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {FList->FHorizontalExtent, FList->FItemHeight};
    }

private:
    TKvnListBox* FList;
};

TKvnListBox::TKvnListBox(QWidget* parent) : QListWidget(parent)
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setBold(true);
    f.setPointSize(8);
    setFont(f);
    setItemDelegate(new KvnListBoxDelegate(this));
    setUniformItemSizes(true);
    setMouseTracking(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
}

void TKvnListBox::setItemHeight(int pixels)
{
    FItemHeight = pixels;
    doItemsLayout();
}

TKvnItemType TKvnListBox::itemType(int index) const
{
    if (index < 0 || index >= FItemTypes.size())
        return aInfo;
    return FItemTypes.at(index) == QLatin1String("1") ? aError : aInfo;
}

int TKvnListBox::KvnAddItem(const QString& item, TKvnItemType itemType)
{
    setUpdatesEnabled(false);
    if (AutoClear > 0) {
        while (count() > AutoClear) {
            delete takeItem(0);
            FItemTypes.removeFirst();
            if (FFocused >= 0)
                --FFocused;
            if (FMouseOver >= 0)
                --FMouseOver;
        }
    }
    FItemTypes.append(itemType == aError ? QStringLiteral("1") : QStringLiteral("0"));
    addItem(ItemsPrefix + item);
    const int index = count() - 1;
    UpdateHorizontalExtent();
    if (AutoScroll)
        scrollToItem(this->item(index), QAbstractItemView::PositionAtTop);
    setUpdatesEnabled(true);
    if (itemType == aError) {
        if (OnErrorItem)
            OnErrorItem(this);
    } else if (OnInfoItem) {
        OnInfoItem(this);
    }
    emit itemAdded(index, itemType);
    return index;
}

void TKvnListBox::KvnClear()
{
    clear();
    FItemTypes.clear();
    FMouseOver = -1;
    FFocused = -1;
    UpdateHorizontalExtent();
}

void TKvnListBox::KvnDelete(int index)
{
    if (index < 0 || index >= count())
        return;
    delete takeItem(index);
    FItemTypes.removeAt(index);
    if (FMouseOver >= count())
        FMouseOver = -1;
    if (FFocused >= count())
        FFocused = -1;
    UpdateHorizontalExtent();
}

bool TKvnListBox::KvnSetItemIndex(int index)
{
    if (index < -1 || index >= count())
        return false;
    setCurrentRow(index);
    if (index == -1)
        clearSelection();
    FFocused = index;
    return true;
}

void TKvnListBox::UpdateHorizontalExtent()
{
    const QFontMetrics fm(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(item(i)->text()));
    FHorizontalExtent = widest + 5;
    doItemsLayout();
    updateGeometries();
}

void TKvnListBox::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex idx = indexAt(event->position().toPoint());
    FMouseOver = idx.isValid() ? idx.row() : -1;
    viewport()->update();
    QListWidget::mouseMoveEvent(event);
}

void TKvnListBox::enterEvent(QEnterEvent* event)
{
    FMouseOver = -1;
    viewport()->update();
    QListWidget::enterEvent(event);
}

void TKvnListBox::leaveEvent(QEvent* event)
{
    FMouseOver = -1;
    viewport()->update();
    QListWidget::leaveEvent(event);
}

void TKvnListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    viewport()->update();
}

void TKvnListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    viewport()->update();
}

void TKvnListBox::keyPressEvent(QKeyEvent* event)
{
    QListWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        viewport()->update();
}

void TKvnListBox::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    viewport()->update();
}

bool TKvnListBox::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QListWidget::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex idx = indexAt(help->pos());
    const QString text = idx.isValid() ? item(idx.row())->text() : QString();
    // The text starts at the item's left edge, which scrolls with the list.
    const int left = idx.isValid() ? visualRect(idx).left() : 0;
    const bool cut = left < 0 || left + fontMetrics().horizontalAdvance(text) > viewport()->width();
    if (!text.isEmpty() && cut)
        QToolTip::showText(help->globalPos(), text.trimmed(), viewport(), visualRect(idx));
    else
        QToolTip::hideText();
    return true;
}
