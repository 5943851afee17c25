// The layout plan of the pages built from the field table.
#include "PageLayout.h"

#include "SettingsPages.h"

#include <gtest/gtest.h>

TEST(PageLayout, EveryTableFieldLandsOnExactlyOnePage)
{
    std::vector<int> seen(kFieldCount, 0);
    for (int page = 0; page < kSettingsPageCount; ++page) {
        for (const TLayoutBox& box : pageLayout(page).Boxes) {
            for (const TFieldId f : box.Fields)
                ++seen[fieldIndex(f)];
        }
    }
    for (std::size_t i = 0; i < kFieldCount; ++i)
        EXPECT_EQ(seen[i], 1) << fieldTable()[i].Control;
}
