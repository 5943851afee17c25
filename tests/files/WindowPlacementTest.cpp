#include "WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, FollowsTheSavedValuesOnlyOnAConnectedDisplay)
{
    const std::vector<QRect> one = {QRect(0, 0, 1920, 1080)};
    const std::vector<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    struct Case {
        const char* name;
        TWindowPlacement saved;
        std::vector<QRect> displays;
        TPlacementDecision expected;
    };
    const Case cases[] = {
        {"restored on a display",
         {100, 50, 800, 600, false},
         one,
         {true, QPoint(100, 50), true, QSize(800, 600), false}},
        {"restored on the second display",
         {2000, 10, 800, 600, false},
         two,
         {true, QPoint(2000, 10), true, QSize(800, 600), false}},
        {"display no longer connected", {2000, 10, 800, 600, false}, one, {}},
        {"above every display", {100, -300, 800, 600, false}, one, {}},
        {"maximised: corner just outside its display",
         {-8, -8, 1936, 1056, true},
         one,
         {true, QPoint(-8, -8), false, {}, true}},
        {"maximised on the second display",
         {1912, -8, 1296, 1040, true},
         two,
         {true, QPoint(1912, -8), false, {}, true}},
        {"maximised on a display that is gone", {1912, -8, 1296, 1040, true}, one, {}},
        {"no size saved", {100, 50, 0, 600, false}, one, {true, QPoint(100, 50), false, {}, false}},
        {"no displays known", {100, 50, 800, 600, false}, {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeWindow(c.saved, c.displays), c.expected) << c.name;
}
