#pragma once
// The message list: a running log of information and error items, each drawn
// in its own colour scheme, with an item limit and automatic scrolling.

#include <QListWidget>
#include <QStringList>
#include <functional>

enum TKvnItemType { aInfo = 0, aError = 1 };

class TKvnListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TKvnListBox(QWidget* parent = nullptr);

    int KvnAddItem(const QString& item, TKvnItemType itemType);
    void KvnClear();
    void KvnDelete(int index);
    bool KvnSetItemIndex(int index);

    // The type of each item, "0" (information) or "1" (error), in item order.
    const QStringList& itemTypes() const { return FItemTypes; }
    TKvnItemType itemType(int index) const;

    bool AutoScroll = true;
    int InfoBackgroundColor = 15794160;
    int InfoTextColor = 32768;
    int ErrorBackgroundColor = 15790335;
    int ErrorTextColor = 255;
    int SelectedColor = 16769216;
    int MouseOverColor = 255;
    bool MouseHighlight = true;
    QString ItemsPrefix;
    int AutoClear = -1;
    std::function<void(TKvnListBox*)> OnInfoItem;
    std::function<void(TKvnListBox*)> OnErrorItem;

    void setItemHeight(int pixels);
    int itemHeight() const { return FItemHeight; }
    int mouseOverIndex() const { return FMouseOver; }
    int focusedIndex() const { return FFocused; }
    int horizontalExtent() const { return FHorizontalExtent; }

signals:
    void itemAdded(int index, TKvnItemType type);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // An item cut off by the list's width shows whole in a tooltip.
    bool viewportEvent(QEvent* event) override;

private:
    friend class KvnListBoxDelegate;
    void UpdateHorizontalExtent();

    QStringList FItemTypes;
    int FMouseOver = -1;
    int FFocused = -1;
    int FItemHeight = 13;
    int FHorizontalExtent = 0;
};
