// A streaming tool that goes and comes back: the session notices even when the
// tool returns before anyone rescanned, and resumes streaming by itself when
// the same tool is back within ten seconds.
#include "SessionRig.h"
#include "SessionTexts.h"

#include <gtest/gtest.h>

namespace {

sim::ToolConfig namedTool(const char* serial)
{
    sim::ToolConfig tool;
    tool.serialNumber = serial;
    return tool;
}

struct ReconnectRig : SessionRig {
    ReconnectRig() : SessionRig(namedTool("SIM-A")) {}
    void unplug()
    {
        backend.unplug(toolKey);
        pump();
    }
    void plugBack(const char* serial = "SIM-A")
    {
        toolKey = backend.plug(namedTool(serial));
        pump();
    }
    int messageCount(const char* text) const
    {
        return static_cast<int>(messageTexts().count(QString::fromLatin1(text)));
    }
};

TEST(SessionReconnect, TheSameToolBackWithinTenSecondsResumesStreaming)
{
    ReconnectRig rig;
    rig.startStreaming();
    ASSERT_TRUE(rig.session->state().FIsStreaming);
    rig.unplug();
    EXPECT_FALSE(rig.session->state().FIsStreaming);
    EXPECT_EQ(rig.messageCount(sessionmsg::kDisconnected), 1);

    rig.run(3000);
    const int before = rig.frames();
    rig.plugBack();
    rig.run(300);
    EXPECT_TRUE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(rig.session->state().FPowerOn);
    EXPECT_EQ(rig.session->buttons().startCaption, "Stop");
    EXPECT_GT(rig.frames(), before) << "frames flow again";
    EXPECT_EQ(rig.messageCount(sessionmsg::kReconnectedResumed), 1);
    EXPECT_EQ(rig.prompts.startupAsked, 1) << "the start-up choice is not asked again";
    EXPECT_TRUE(rig.prompts.shown.empty());
}

// The tool is unplugged and plugged back before the device list rescans: one
// pass sees the old tool gone and the new one listed.
TEST(SessionReconnect, AToolBackBeforeTheRescanIsSeenToHaveGone)
{
    ReconnectRig rig;
    rig.startStreaming();
    rig.backend.unplug(rig.toolKey);
    rig.toolKey = rig.backend.plug(namedTool("SIM-A"));
    rig.pump();
    EXPECT_EQ(rig.messageCount(sessionmsg::kDisconnected), 1);
    rig.run(300);
    EXPECT_EQ(rig.messageCount(sessionmsg::kReconnectedResumed), 1);
    const int before = rig.frames();
    rig.run(300);
    EXPECT_GT(rig.frames(), before);
}

TEST(SessionReconnect, NoResumeLateForAnotherToolWhilePausedOrWhenSwitchedOff)
{
    {
        SCOPED_TRACE("back after more than ten seconds");
        ReconnectRig rig;
        rig.startStreaming();
        rig.unplug();
        rig.run(10100);
        rig.plugBack();
        rig.run(300);
        EXPECT_FALSE(rig.session->state().FIsStreaming);
        EXPECT_EQ(rig.messageCount(sessionmsg::kReconnectedResumed), 0);
    }
    {
        SCOPED_TRACE("another tool");
        ReconnectRig rig;
        rig.startStreaming();
        rig.unplug();
        rig.plugBack("SIM-B");
        rig.run(300);
        EXPECT_FALSE(rig.session->state().FIsStreaming);
        EXPECT_TRUE(rig.session->buttons().startEnabled);
        // The streaming tool itself, back beside it in time, resumes.
        rig.plugBack("SIM-A");
        rig.run(300);
        EXPECT_TRUE(rig.session->state().FIsStreaming);
        EXPECT_EQ(rig.session->HidTool().SerialNumber(), "SIM-A");
    }
    {
        SCOPED_TRACE("paused");
        ReconnectRig rig;
        rig.startStreaming();
        rig.session->PauseButtonClick();
        rig.unplug();
        rig.plugBack();
        rig.run(300);
        EXPECT_FALSE(rig.session->state().FIsStreaming);
        EXPECT_FALSE(rig.session->state().FIsPaused);
    }
    {
        SCOPED_TRACE("switched off");
        ReconnectRig rig;
        rig.session->ResumeAfterReconnect = false;
        rig.startStreaming();
        rig.unplug();
        rig.plugBack();
        rig.run(300);
        EXPECT_FALSE(rig.session->state().FIsStreaming);
        EXPECT_EQ(rig.prompts.startupAsked, 1);
    }
}

TEST(SessionReconnect, AStoppedSessionDoesNotResume)
{
    ReconnectRig rig;
    rig.startStreaming();
    rig.session->StartButtonClick();  // Stop
    rig.unplug();
    rig.plugBack();
    rig.run(300);
    EXPECT_FALSE(rig.session->state().FIsStreaming);
    EXPECT_EQ(rig.messageCount(sessionmsg::kDisconnected), 0);
}

}  // namespace
