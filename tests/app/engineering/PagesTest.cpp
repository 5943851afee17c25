// The engineering pages on the offscreen platform over a session on the
// deterministic simulated tool.
#include "CapacitanceCalculation.h"
#include "CapacitancePage.h"
#include "DebugPage.h"
#include "EngineeringPage.h"
#include "HexEdit.h"
#include "OtpAddress.h"
#include "OtpPage.h"
#include "ResponsiveWait.h"
#include "SessionRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(HexEdit, TakesTwoHexadecimalDigitsInUpperCase)
{
    THexEdit edit;
    edit.show();
    QTest::keyClicks(&edit, "g-");
    EXPECT_EQ(edit.text(), "");
    QTest::keyClicks(&edit, "a");
    QTest::keyClicks(&edit, "x");
    QTest::keyClicks(&edit, "f");
    QTest::keyClicks(&edit, "1");
    EXPECT_EQ(edit.text(), "AF");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "A");
}

TEST(CapacitancePage, RunsFromTheButtonAndSwitchesRowLabels)
{
    SessionRig rig;
    TCapacitancePage page(*rig.session);
    page.calculation().setWaiter([&](int ms) { rig.backend.clock().sleepMs(ms); });
    page.show();
    EXPECT_FALSE(page.CalculateLoadCapacitanceButton->isEnabled());
    EXPECT_EQ(page.CapLabels[2]->text(), "Cx0 & Cx1:");
    rig.startStreaming();
    ASSERT_TRUE(page.CalculateLoadCapacitanceButton->isEnabled());

    QStringList captions;
    QObject::connect(&page.calculation(), &TCapacitanceCalculation::channelProgress, [&] {
        captions << page.CalculateLoadCapacitanceButton->text();
        EXPECT_FALSE(page.UseCurSettingsCalculationCheckbox->isEnabled());
    });
    QTest::mouseClick(page.CalculateLoadCapacitanceButton, Qt::LeftButton);
    EXPECT_EQ(captions.first(), "Calculating...");
    EXPECT_EQ(page.CalculateLoadCapacitanceButton->text(), "Calculate Load Capacitance");
    EXPECT_TRUE(page.CalculateLoadCapacitanceButton->isEnabled());
    EXPECT_TRUE(page.UseCurSettingsCalculationCheckbox->isEnabled());
    EXPECT_EQ(page.LoadCapLabels[0]->text(), "8.01 pF");
    EXPECT_EQ(page.Progress[2]->value(), 100);

    // The check box renames the rows and leaves the results alone.
    const QString result = page.LoadCapLabels[1]->text();
    page.UseCurSettingsCalculationCheckbox->click();
    EXPECT_EQ(page.CapLabels[0]->text(), "CH0:");
    EXPECT_EQ(page.CapLabels[2]->text(), "CH2:");
    EXPECT_EQ(page.LoadCapLabels[1]->text(), result);

    rig.session->StartButtonClick();  // Stop
    EXPECT_FALSE(page.CalculateLoadCapacitanceButton->isEnabled());
}

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

TEST(CapacitancePage, KeepsPaintingWhileItRuns)
{
    SessionRig rig;
    TCapacitancePage page(*rig.session);
    // Chip time passes with every wait, and so does a little of the event loop.
    page.calculation().setWaiter([&](int ms) {
        rig.backend.clock().sleepMs(ms);
        responsiveWait(1);
    });
    page.show();
    rig.startStreaming();
    QCoreApplication::processEvents();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(0);
    PaintCounter counter;
    page.Progress[1]->installEventFilter(&counter);
    page.CalculateLoadCapacitanceButtonClick();
    EXPECT_GT(ticks, 10);
    EXPECT_GT(counter.paints, 2) << "the progress of CH1 was not drawn as it went";
    EXPECT_EQ(page.LoadCapLabels[0]->text(), "8.01 pF");
}

TEST(EngineeringPage, RegisterAccessAndDataMissed)
{
    SessionRig rig;
    TEngineeringPage page(*rig.session);
    page.show();
    EXPECT_EQ(page.PowerButton->text(), "Power On");
    EXPECT_FALSE(page.ReadMMButton->isEnabled());
    rig.startStreaming();
    EXPECT_EQ(page.PowerButton->text(), "Power Off");
    ASSERT_TRUE(page.ReadMMButton->isEnabled());
    EXPECT_FALSE(page.DataMissLabel->isVisible());
    rig.backend.tool(rig.toolKey).loseStreamReports(1);
    rig.run(100);
    ASSERT_TRUE(page.DataMissLabel->isVisible());
    QTest::mouseClick(page.DataMissLabel, Qt::LeftButton);
    EXPECT_FALSE(page.DataMissLabel->isVisible());
    EXPECT_FALSE(rig.session->settingsWindow().dataMissedVisible);


    QTest::keyClicks(page.MMAddressEdit, "61");
    QTest::mouseClick(page.ReadMMButton, Qt::LeftButton);
    EXPECT_EQ(page.MMDataEdit->text(), "10");
    page.MMDataEdit->setText("1c");
    QTest::mouseClick(page.WriteMMButton, Qt::LeftButton);
    std::vector<std::uint8_t> v;
    ASSERT_EQ(rig.session->ReadRegisters(0x61, 1, v), 0);
    EXPECT_EQ(v[0], 0x1C);

    QTest::keyClicks(page.DirAddrEdit, "30");
    QTest::keyClicks(page.DirDataEdit, "a5");
    QTest::mouseClick(page.InDirWriteButton, Qt::LeftButton);
    page.DirDataEdit->clear();
    QTest::mouseClick(page.InDirReadButton, Qt::LeftButton);
    EXPECT_EQ(page.DirDataEdit->text(), "A5");

    QTest::mouseClick(page.PowerButton, Qt::LeftButton);
    EXPECT_EQ(page.PowerButton->text(), "Power On");
    EXPECT_FALSE(rig.session->state().FPowerOn);
}

TEST(DebugPage, RowsStreamTheirRegistersWhileEngineeringIsOn)
{
    SessionRig rig;
    TDebugPage page(*rig.session);
    page.show();
    rig.startStreaming();
    QTest::keyClicks(page.AdrsEditArray[0], "60");
    QTest::keyClicks(page.AdrsEditArray[3], "d1");
    EXPECT_EQ(rig.session->Setup().AdrsEditArray[3], "D1");
    QTest::mouseClick(page.GoButton, Qt::LeftButton);
    rig.run(200);
    EXPECT_EQ(page.ResEditArray[0]->text(), "") << "engineering mode is off";
    rig.session->setEngineering(true);
    rig.run(200);
    EXPECT_EQ(page.ResEditArray[0]->text(), "00001010 0x0A");
    EXPECT_EQ(page.ResEditArray[3]->text(), "00111111 0x3F");
    EXPECT_EQ(page.ResEditArray[1]->text(), "");
}

TEST(OtpPage, ButtonsCaptionsAndTheCurrentAddress)
{
    SessionRig rig;
    TOtpPage page(*rig.session);
    page.show();
    EXPECT_FALSE(page.ReadAddressButton->isEnabled());
    EXPECT_FALSE(page.WriteAddressButton->isEnabled());
    EXPECT_EQ(page.CurrentI2CAddressLabel->text(), "-");
    EXPECT_EQ(page.NewI2CAddressCombo->count(), 8);
    EXPECT_EQ(page.NewI2CAddressCombo->currentText(), "44");
    rig.startStreaming();
    EXPECT_EQ(page.CurrentI2CAddressLabel->text(), "44");
    ASSERT_TRUE(page.ReadAddressButton->isEnabled());

    QStringList captions;
    QObject::connect(&page.otp(), &TOtpAddress::viewChanged,
                     [&] { captions << page.ReadAddressButton->text(); });
    QTest::mouseClick(page.ReadAddressButton, Qt::LeftButton);
    EXPECT_EQ(captions.first(), "Reading...");
    EXPECT_EQ(page.ReadAddressButton->text(), "Read Address");

    rig.prompts.answers = {TDialogResult::Cancel};
    page.NewI2CAddressCombo->setCurrentIndex(5);
    QTest::mouseClick(page.WriteAddressButton, Qt::LeftButton);
    EXPECT_TRUE(page.WriteAddressButton->isEnabled());
    EXPECT_EQ(rig.backend.tool(rig.toolKey).otpBank(0), 0);

    QTest::mouseClick(page.WriteAddressButton, Qt::LeftButton);
    EXPECT_EQ(rig.backend.tool(rig.toolKey).otpBank(0), 0x09);
    EXPECT_FALSE(page.WriteAddressButton->isEnabled());
    EXPECT_FALSE(page.ReadAddressButton->isEnabled());
    EXPECT_EQ(page.WriteAddressButton->text(), "Write Address");
    rig.startStreaming();
    EXPECT_EQ(page.CurrentI2CAddressLabel->text(), "4D");
}

}  // namespace
