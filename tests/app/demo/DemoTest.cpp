// The SAR UI demo window: its pictures, and the demo over a session on the
// deterministic simulated tool (start, feed, close, Power Off, Mode, Load
// Settings).
#include "DemoForm.h"
#include "DemoIndicators.h"
#include "DemoLink.h"
#include "FieldTable.h"
#include "KvnRadioGroup.h"
#include "LiveChannelState.h"
#include "SessionRig.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(DemoIndicators, PicturesAndFrameStates)
{
    EXPECT_EQ(demoPicture(TDemoIndicator::CH0Prox, true), TDemoPicture::SARProx);
    EXPECT_EQ(demoPicture(TDemoIndicator::CH1Touch, true), TDemoPicture::SARTouch);
    EXPECT_EQ(demoPicture(TDemoIndicator::CH1Deep, true), TDemoPicture::SARDeep);
    EXPECT_EQ(demoPicture(TDemoIndicator::CH0Deep, false), TDemoPicture::SARNone);

    TLiveChannelState live;
    live.FSarCh0TState = true; // channel 0 touch
    live.FSarCh1DState = true; // channel 1 deep touch
    live.FSarPState = true;    // not a demo indicator
    EXPECT_EQ(demoStates(live), (std::array<bool, 6>{false, true, false, false, false, true}));
}

TEST(DemoForm, PicturesChangeOnlyWithTheirState)
{
    TDemoForm form;
    EXPECT_EQ(form.windowTitle(), "2 Channel SAR UI Demo");
    EXPECT_EQ(form.size(), QSize(605, 459));
    EXPECT_EQ(form.eventCounterLabel->text(), "0");

    form.SetCH0Prox(true);
    EXPECT_EQ(form.shown(TDemoIndicator::CH0Prox), TDemoPicture::SARProx);
    const int assigned = form.assignments();
    form.SetCH0Prox(true); // a state that stays keeps its picture
    EXPECT_EQ(form.assignments(), assigned);
    form.SetCH1Deep(true);
    form.SetCH1Touch(false);
    EXPECT_EQ(form.shown(TDemoIndicator::CH1Deep), TDemoPicture::SARDeep);
    EXPECT_EQ(form.shown(TDemoIndicator::CH1Touch), TDemoPicture::SARNone);
    EXPECT_EQ(form.shown(TDemoIndicator::CH0Prox), TDemoPicture::SARProx); // untouched
    form.SetCH0Prox(false);
    EXPECT_EQ(form.shown(TDemoIndicator::CH0Prox), TDemoPicture::SARNone);

    // A new demo draws every picture again.
    form.forgetStates();
    const int before = form.assignments();
    form.SetCH0Prox(false);
    EXPECT_EQ(form.assignments(), before + 1);
}

TEST(DemoForm, AccessibleNames)
{
    TDemoForm form;
    auto name = [](QObject* o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(form.image(TDemoIndicator::CH0Prox)), "Antenna 1 Prox");
    EXPECT_EQ(name(form.image(TDemoIndicator::CH1Deep)), "Antenna 2 Deep Touch");
    EXPECT_EQ(name(form.eventCounterLabel), "Event Counter");
    EXPECT_EQ(name(form.LoadSarSettings), "Load Settings");
    EXPECT_EQ(name(form.CommsModeRadioDemo->button(1)), "Event Mode");
    form.SetCH1Deep(true);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.image(TDemoIndicator::CH1Deep))
                  ->text(QAccessible::Description),
              "on");
}

struct DemoRig {
    DemoRig() { rig.startStreaming(); }
    // Starts the demo and waits for the feed (a 500 ms one-shot timer).
    void startDemo()
    {
        rig.session->DemoButtonClick();
        // Generous for a loaded machine: the feed starts when the timer fires.
        for (int waited = 0; waited < 10000 && !rig.session->state().FDemo; waited += 50)
            QTest::qWait(50);
        rig.run(500); // past the ATI the demo start asks for
    }
    TDemoForm* form() const { return link.form(); }
    SessionRig rig;
    TDemoLink link{*rig.session};
};

TEST(DemoWindow, StartShowsAndFeedsItAndClosingStopsTheFeed)
{
    DemoRig d;
    EXPECT_FALSE(d.form()->isVisible());
    d.startDemo();
    ASSERT_TRUE(d.form()->isVisible());
    ASSERT_TRUE(d.rig.session->state().FDemo);
    const int counter = d.form()->eventCounterLabel->text().toInt();
    EXPECT_GT(counter, 0);
    EXPECT_EQ(counter, d.rig.session->state().FDemoEventCounter);

    // A finger on channel 0: the first antenna's pictures follow the frames.
    d.rig.backend.tool(d.rig.toolKey).setFinger(0, 1.0);
    d.rig.run(3000);
    const TLiveChannelState& live = d.rig.session->Live();
    EXPECT_TRUE(live.FSarCh0PState);
    EXPECT_EQ(d.form()->shown(TDemoIndicator::CH0Prox), TDemoPicture::SARProx);
    EXPECT_EQ(d.form()->shown(TDemoIndicator::CH0Touch),
              live.FSarCh0TState ? TDemoPicture::SARTouch : TDemoPicture::SARNone);

    d.form()->close();
    EXPECT_FALSE(d.rig.session->state().FDemo);
    const QString stopped = d.form()->eventCounterLabel->text();
    d.rig.run(200);
    EXPECT_EQ(d.form()->eventCounterLabel->text(), stopped);
}

TEST(DemoWindow, PowerOffClosesIt)
{
    DemoRig d;
    d.startDemo();
    ASSERT_TRUE(d.form()->isVisible());
    d.rig.session->PowerButtonClick(); // Power Off
    EXPECT_FALSE(d.form()->isVisible());
    EXPECT_FALSE(d.rig.session->state().FDemo);
    EXPECT_TRUE(d.rig.session->state().FDemoStart);
}

TEST(DemoWindow, ModeAppliesEveryPendingChange)
{
    DemoRig d;
    TSettingsModel& m = d.rig.session->Settings();
    // An unapplied edit of another group, as the settings window would leave it.
    const TFieldId other = groupFields(TSettingsGroup::Thr).front();
    const int value = m.fieldValue(other) == fieldDesc(other).Min ? fieldDesc(other).Min + 1
                                                                  : fieldDesc(other).Min;
    m.setFieldValue(other, value);
    m.detectChange(TSettingsGroup::Thr);
    ASSERT_TRUE(m.isChanged(TSettingsGroup::Thr));

    d.form()->show();
    QTest::mouseClick(d.form()->CommsModeRadioDemo->button(1), Qt::LeftButton);
    EXPECT_EQ(m.fieldValue(TFieldId::CommsMode), 1);
    EXPECT_FALSE(m.isChanged(TSettingsGroup::Thr));
    EXPECT_FALSE(m.isChanged(fieldDesc(TFieldId::CommsMode).Group));
    EXPECT_TRUE(d.rig.hasMessage("Metal Detect setup updated"));
    EXPECT_TRUE(d.rig.backend.tool(d.rig.toolKey).chipRegister(0xD0) & 0x20); // event mode bit
    EXPECT_TRUE(d.rig.session->state().FEventMode);
}

TEST(DemoWindow, ModeFollowsTheChipsSettings)
{
    DemoRig d;
    EXPECT_EQ(d.form()->CommsModeRadioDemo->itemIndex(), 0);
    d.rig.session->Settings().setFieldValue(TFieldId::CommsMode, 1);
    d.rig.session->CheckChanges(); // the settings changed: read, file, edit
    EXPECT_EQ(d.form()->CommsModeRadioDemo->itemIndex(), 1);
    EXPECT_FALSE(d.rig.session->state().FEventMode); // shown, not applied
}

TEST(DemoWindow, LoadSettingsAppliesTheDemoFileAndRedoesAti)
{
    DemoRig d;
    const int before = d.rig.messageTexts().count("Settings loaded successfully");
    QTest::mouseClick(d.form()->LoadSarSettings, Qt::LeftButton);
    EXPECT_EQ(d.rig.messageTexts().count("Settings loaded successfully"), before + 1);
    EXPECT_TRUE(d.rig.session->Settings().sarUiEnabled());
}

TEST(DemoWindow, StartedWithTheChipOffStreamsFirst)
{
    // Before the first Start and after Stop the chip has no supply: the demo
    // starts the stream itself instead of collecting "Device power is off!".
    for (const bool stoppedBefore : {false, true}) {
        SessionRig rig;
        TDemoLink link{*rig.session};
        if (stoppedBefore) {
            rig.startStreaming();
            rig.session->StartButtonClick(); // Stop
            ASSERT_FALSE(rig.session->state().FIsStreaming);
        }
        // A settings file to apply on start must not undo the demo's.
        rig.session->settingsWindow().loadSettingsOnStartup = true;
        const int resets = rig.messageTexts().count("Settings reset to default");
        rig.session->DemoButtonClick();
        for (int waited = 0; waited < 10000 && !rig.session->state().FDemo; waited += 50)
            QTest::qWait(50);
        rig.run(500);
        EXPECT_EQ(rig.messageTexts().count("Settings reset to default"), resets);
        EXPECT_TRUE(rig.session->Settings().sarUiEnabled()) << stoppedBefore;
        EXPECT_TRUE(rig.session->state().FIsStreaming) << stoppedBefore;
        EXPECT_TRUE(link.form()->isVisible()) << stoppedBefore;
        EXPECT_FALSE(rig.hasMessage("Device power is off!")) << stoppedBefore;
        EXPECT_GT(link.form()->eventCounterLabel->text().toInt(), 0) << stoppedBefore;
    }
}

TEST(DemoWindow, WithoutAToolNothingHappens)
{
    SessionRig rig({}, false);
    TDemoLink link{*rig.session};
    rig.session->DemoButtonClick();
    rig.pump();
    EXPECT_FALSE(link.form()->isVisible());
    EXPECT_FALSE(rig.hasMessage("Device power is off!"));
}

} // namespace
