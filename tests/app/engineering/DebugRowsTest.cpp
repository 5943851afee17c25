// The debug rows: "GO!" rebuilds the streamed frame from the row addresses.
#include "SessionRig.h"

#include <gtest/gtest.h>

namespace {

TEST(DebugRows, ClearingARowAndGoRemovesItsByteFromEveryFrame)
{
    SessionRig rig;
    rig.startStreaming();
    auto& rows = rig.session->Setup().AdrsEditArray;
    rows[0] = "01";
    rows[1] = "60";
    rows[2] = "61";
    rig.session->DebugGoClick();
    rig.run(300);
    const TStreamLayout& layout = rig.session->Setup().streamLayout();
    ASSERT_TRUE(layout.AdrActiveArray[1]);
    const int length = layout.StreamLength;
    const int row2 = layout.AdrStartIndexArray[2];
    EXPECT_EQ(rig.session->Live().DebugBytes[0], 2);     // the software number
    EXPECT_EQ(rig.session->Live().DebugBytes[1], 0x0A);  // prox threshold of CH0
    EXPECT_EQ(rig.session->Live().DebugBytes[2], 0x10);  // touch threshold of CH0

    rows[1].clear();
    rig.session->DebugGoClick();
    const int frames = rig.frames();
    rig.run(300);
    EXPECT_GT(rig.frames(), frames);
    EXPECT_FALSE(layout.AdrActiveArray[1]);
    EXPECT_EQ(layout.StreamLength, length - 1);
    EXPECT_EQ(layout.AdrStartIndexArray[2], row2 - 1);
    EXPECT_EQ(rig.session->Live().DebugBytes[2], 0x10);
}

}  // namespace
