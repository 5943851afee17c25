#pragma once
// A radio group with separate fonts for its caption (HeaderFont) and its item
// buttons (ItemsFont).

#include <QButtonGroup>
#include <QFont>
#include <QGroupBox>
#include <QStringList>

class QGridLayout;
class QRadioButton;

class TKvnRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TKvnRadioGroup(QWidget* parent = nullptr);
    TKvnRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const { return FItems; }
    int itemCount() const { return static_cast<int>(FItems.size()); }

    // -1 when no button is checked.
    int itemIndex() const;
    void setItemIndex(int index);

    void setColumns(int columns);
    int columns() const { return FColumns; }

    QFont HeaderFont;
    QFont ItemsFont;
    // Applies HeaderFont to the caption and ItemsFont to every item button.
    void applyFonts();

    QRadioButton* button(int index) const;

signals:
    // The user picked another item.
    void itemClicked(int index);

private:
    void rebuild();

    QStringList FItems;
    int FColumns = 1;
    QButtonGroup FGroup;
    QGridLayout* FLayout;
};
