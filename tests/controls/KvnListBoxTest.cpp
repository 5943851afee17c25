#include "KvnColor.h"
#include "KvnListBox.h"
#include "KvnRadioGroup.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

TKvnListBox* messageList()
{
    // The main window's message list settings.
    auto* box = new TKvnListBox;
    box->SelectedColor = 16772055;
    box->MouseOverColor = 15329769;
    box->ItemsPrefix = QStringLiteral(" ");
    box->AutoClear = 20;
    box->resize(200, 300);
    return box;
}

TEST(KvnListBox, KeepsAtMostAutoClearPlusOneItemsWithTheirTypesInStep)
{
    std::unique_ptr<TKvnListBox> box(messageList());
    for (int i = 0; i < 22; ++i)
        box->KvnAddItem(QString("m%1").arg(i), i % 3 == 0 ? aError : aInfo);
    ASSERT_EQ(box->count(), 21);
    ASSERT_EQ(box->itemTypes().size(), 21);
    // The oldest item went first: m0 is gone, m1 is at the top.
    EXPECT_EQ(box->item(0)->text(), QString(" m1"));
    EXPECT_EQ(box->item(20)->text(), QString(" m21"));
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(box->itemType(i), (i + 1) % 3 == 0 ? aError : aInfo) << i;
}

TEST(KvnListBox, AutoClearOffNeverRemoves)
{
    for (int limit : {-1, 0}) {
        TKvnListBox box;
        box.AutoClear = limit;
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(box.KvnAddItem("x", aInfo), i);
        EXPECT_EQ(box.count(), 50);
    }
}

TEST(KvnListBox, DeleteAndClearKeepTypesInStep)
{
    TKvnListBox box;
    box.KvnAddItem("a", aInfo);
    box.KvnAddItem("b", aError);
    box.KvnAddItem("c", aInfo);
    box.KvnDelete(0);
    EXPECT_EQ(box.itemTypes(), QStringList({"1", "0"}));
    box.KvnDelete(7);  // out of range: nothing happens
    EXPECT_EQ(box.count(), 2);
    EXPECT_FALSE(box.KvnSetItemIndex(2));
    EXPECT_FALSE(box.KvnSetItemIndex(-2));
    EXPECT_TRUE(box.KvnSetItemIndex(-1));
    EXPECT_TRUE(box.KvnSetItemIndex(1));
    EXPECT_EQ(box.focusedIndex(), 1);
    box.KvnClear();
    EXPECT_EQ(box.count(), 0);
    EXPECT_TRUE(box.itemTypes().isEmpty());
}

TEST(KvnListBox, EventsFireForTheTypeAdded)
{
    TKvnListBox box;
    int info = 0, error = 0;
    box.OnInfoItem = [&](TKvnListBox*) { ++info; };
    box.OnErrorItem = [&](TKvnListBox*) { ++error; };
    box.KvnAddItem("a", aInfo);
    box.KvnAddItem("b", aError);
    box.KvnAddItem("c", aError);
    EXPECT_EQ(info, 1);
    EXPECT_EQ(error, 2);
}

TEST(KvnListBox, HorizontalRangeReachesWidestTextPlusFive)
{
    std::unique_ptr<TKvnListBox> box(messageList());
    box->show();
    const QString longText(200, QChar('W'));
    box->KvnAddItem("short", aInfo);
    box->KvnAddItem(longText, aError);
    QApplication::processEvents();
    const int widest = QFontMetrics(box->font()).horizontalAdvance(" " + longText);
    EXPECT_EQ(box->horizontalExtent(), widest + 5);
    EXPECT_EQ(box->horizontalScrollBar()->maximum() + box->viewport()->width(), widest + 5);
}

TEST(KvnListBox, SelectedErrorItemDrawsSelectedColourBehindRedText)
{
    std::unique_ptr<TKvnListBox> box(messageList());
    box->MouseHighlight = false;
    box->show();
    box->KvnAddItem("info", aInfo);
    box->KvnAddItem("error", aError);
    box->KvnSetItemIndex(1);
    box->clearFocus();
    QApplication::processEvents();
    const QImage img = box->viewport()->grab().toImage();
    const QRect r = box->visualItemRect(box->item(1));
    // Far right of the item row holds no text: pure background.
    const QColor back = img.pixelColor(r.right() - 2, r.center().y());
    EXPECT_EQ(kvnColorValue(back), 16772055);
    const QRect r0 = box->visualItemRect(box->item(0));
    EXPECT_EQ(kvnColorValue(img.pixelColor(r0.right() - 2, r0.center().y())), 15794160);
    // Some pixel of the error text is pure red.
    bool red = false;
    for (int x = r.left(); x < r.left() + 60 && !red; ++x)
        for (int y = r.top(); y <= r.bottom() && !red; ++y)
            red = kvnColorValue(img.pixelColor(x, y)) == 255;
    EXPECT_TRUE(red);
}

TEST(KvnRadioGroup, ItemsTakeItemsFontAndCaptionTakesHeaderFont)
{
    TKvnRadioGroup group;
    group.HeaderFont.setBold(true);
    group.ItemsFont.setItalic(true);
    group.setTitle("Comms");
    group.setItems({"RDY Active Low", "RDY Active High", "Polling"});
    group.applyFonts();
    EXPECT_TRUE(group.font().bold());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(group.button(i)->font().italic());
        EXPECT_FALSE(group.button(i)->font().bold());
    }
    EXPECT_EQ(group.itemIndex(), -1);
    group.setItemIndex(2);
    EXPECT_EQ(group.itemIndex(), 2);
    group.setItemIndex(-1);
    EXPECT_EQ(group.itemIndex(), -1);
}

}  // namespace
