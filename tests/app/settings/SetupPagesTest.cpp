// The "Setup" and "Data Logging" pages in the settings window, on the
// offscreen platform over a session on the deterministic simulated tool.
#include "DataLogPage.h"
#include "KvnRadioGroup.h"
#include "SessionRig.h"
#include "SettingsForm.h"
#include "SettingsPages.h"
#include "SetupPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PagesRig {
    PagesRig()
    {
        rig.startStreaming();
        form = std::make_unique<TSettingsForm>(*rig.session);
        form->showWindow();
        setup = dynamic_cast<TSetupPage*>(form->page(settingspage::kSetup));
        log = dynamic_cast<TDataLogPage*>(form->page(settingspage::kDataLogging));
    }
    void type(QWidget* w, const QString& text)
    {
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    void replaceText(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        type(edit, text);
    }
    SessionRig rig;
    std::unique_ptr<TSettingsForm> form;
    TSetupPage* setup = nullptr;
    TDataLogPage* log = nullptr;
};

} // namespace

TEST(SetupPage, ControlsStartAtTheirDefaults)
{
    PagesRig r;
    ASSERT_NE(r.setup, nullptr);
    TSetupPage& p = *r.setup;
    EXPECT_EQ(p.VoltageCombo->currentText(), "3.3 V");
    EXPECT_EQ(p.CommsCombo->currentText(), "RDY Active Low");
    EXPECT_EQ(p.PollingSpeedSpin->value(), 60);
    EXPECT_FALSE(p.PollingSpeedSpin->isEnabled());
    EXPECT_FALSE(p.PollingSpeedLabel->isEnabled());
    EXPECT_EQ(p.CommsSpeedCombo->currentText(), "Fast");
    EXPECT_EQ(p.I2CPullupsRadioGroup->itemIndex(), 1); // "Disabled"
    EXPECT_EQ(p.I2CAddressEdit->text(), "44");
    EXPECT_TRUE(p.CSCheck->isChecked() && p.LTACheck->isChecked() && p.PTCheck->isChecked());
    EXPECT_EQ(p.PTCheck->text(), "Prox && Touch");
    EXPECT_EQ(p.GraphMinSpin->value(), 0);
    EXPECT_EQ(p.GraphMaxSpin->value(), 4200);
    EXPECT_EQ(p.GraphIncSpin->value(), 10);
    EXPECT_TRUE(p.Label59->text().isEmpty());
    EXPECT_FALSE(p.DeltaCheck->isChecked());
    EXPECT_FALSE(p.LoadSettingsButton->isEnabled());
    EXPECT_TRUE(p.SaveSettingsButton->isEnabled()) << "enabled while streaming";
    EXPECT_EQ(p.I2CAddressEdit->accessibleName(), "I2C Address (Hex)");
}

TEST(SetupPage, CommsTypeChangeIsDetectedAppliedAndReported)
{
    PagesRig r;
    TSetupPage& p = *r.setup;
    p.CommsCombo->setCurrentIndex(2); // "Polling"
    EXPECT_TRUE(p.PollingSpeedSpin->isEnabled());
    EXPECT_TRUE(p.PollingSpeedLabel->isEnabled());
    EXPECT_TRUE(r.rig.session->Setup().setupChecksChanged());
    EXPECT_TRUE(r.form->ChangeLabel->isVisible());

    // Back to the applied choice: nothing is pending any more.
    p.CommsCombo->setCurrentIndex(0);
    EXPECT_FALSE(r.rig.session->Setup().setupChecksChanged());
    EXPECT_FALSE(r.form->ChangeLabel->isVisible());

    p.CommsCombo->setCurrentIndex(1);
    r.form->ApplyButton->click();
    EXPECT_TRUE(r.rig.hasMessage("Comms Type changed"));
    EXPECT_FALSE(r.rig.session->Setup().setupChecksChanged());
}

TEST(SetupPage, AddressEditAppliesUndoesAndRefusesBadText)
{
    PagesRig r;
    TSetupPage& p = *r.setup;
    r.replaceText(p.I2CAddressEdit, "46");
    EXPECT_TRUE(r.rig.session->Setup().setupChecksChanged());
    r.form->CancelButton->click();
    EXPECT_EQ(p.I2CAddressEdit->text(), "44");

    r.replaceText(p.I2CAddressEdit, "zz");
    r.form->ApplyButton->click();
    EXPECT_TRUE(r.rig.hasMessage("I2C Address must be a hexadecimal number from 01 to 7F!"));
    EXPECT_TRUE(r.form->ErrorLabel->isVisible());
    EXPECT_EQ(r.form->ErrorLabel->text(), "Could not update settings");
    EXPECT_EQ(r.rig.session->Device().I2CAddress(), "44");

    r.replaceText(p.I2CAddressEdit, "45");
    r.form->ApplyButton->click();
    EXPECT_TRUE(r.rig.hasMessage("Device Address : 45H"));
    EXPECT_FALSE(r.form->ErrorLabel->isVisible());
}

TEST(SetupPage, AxisRangeAndEmptySpin)
{
    PagesRig r;
    TSetupPage& p = *r.setup;
    p.GraphMaxSpin->setValue(100);
    p.GraphMinSpin->setValue(100);
    r.form->ApplyButton->click();
    EXPECT_EQ(p.Label59->text(), "Min value must be smaller than Max value!");
    EXPECT_EQ(r.form->ErrorLabel->text(), "Could not update settings");

    // Undo takes the axis message away with the change.
    r.form->CancelButton->click();
    EXPECT_TRUE(p.Label59->text().isEmpty());
    EXPECT_EQ(p.GraphMaxSpin->value(), 4200);

    // An emptied spin asks for a value and changes nothing.
    p.GraphIncSpin->setFocus();
    p.GraphIncSpin->selectAll();
    QTest::keyClick(p.GraphIncSpin, Qt::Key_Delete);
    ASSERT_TRUE(p.GraphIncSpin->text().isEmpty()) << p.GraphIncSpin->text().toStdString();
    EXPECT_EQ(r.form->ErrorLabel->text(), "Please enter a value for \"Y Axis Increment\"");
    EXPECT_EQ(r.rig.session->Setup().GraphInc, 10);
    EXPECT_FALSE(r.rig.session->Setup().setupChecksChanged());
    QTest::keyClicks(p.GraphIncSpin, "25");
    EXPECT_FALSE(r.form->ErrorLabel->isVisible());
    EXPECT_EQ(r.rig.session->Setup().GraphInc, 25);
}

TEST(SetupPage, BaselineViewIsBoldWhileTicked)
{
    PagesRig r;
    QCheckBox* delta = r.setup->DeltaCheck;
    EXPECT_TRUE(delta->isVisible());
    delta->click();
    EXPECT_TRUE(delta->font().bold());
    EXPECT_TRUE(r.rig.session->Setup().BaselineView);
    r.form->ApplyButton->click();
    EXPECT_TRUE(r.rig.session->state().FDeltaOnly);
    delta->click();
    EXPECT_FALSE(delta->font().bold());
}

TEST(SetupPage, StreamingBoxesRebuildTheTableOnApply)
{
    PagesRig r;
    TSetupPage& p = *r.setup;
    p.LTACheck->click();
    p.PTCheck->click();
    EXPECT_TRUE(r.rig.session->Setup().streamSetupChanged());
    r.form->ApplyButton->click();
    EXPECT_EQ(r.rig.session->Setup().StreamLength(), 26);
    EXPECT_TRUE(r.rig.hasMessage("Streaming setup configured"));

    // None ticked: refused, "Count Samples" ticked again.
    p.CSCheck->click();
    r.form->ApplyButton->click();
    EXPECT_EQ(r.rig.prompts.shown.back().text,
              "At least 1 selection must be active in Streaming Setup!");
    EXPECT_TRUE(p.CSCheck->isChecked());
}

TEST(SetupPage, RecentFilesListFollowsTheSession)
{
    PagesRig r;
    QTemporaryDir files;
    const QString a = files.path() + "/a.ini";
    QFile f(a);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[IC]\nDevice=MFS380A\n");
    f.close();
    r.rig.session->BrowseSettingsFile(a.toStdString());
    TSetupPage& p = *r.setup;
    ASSERT_EQ(p.SettingsFileCombo->count(), 1);
    EXPECT_EQ(p.SettingsFileCombo->currentText(), "a.ini");
    EXPECT_TRUE(p.LoadSettingsButton->isEnabled());
    p.LoadSettingsButton->click();
    EXPECT_EQ(r.form->ChangeLabel->text(), "Custom settings loaded");

    r.rig.prompts.answers = {TDialogResult::Yes};
    p.ClearRecentButton->click();
    EXPECT_EQ(p.SettingsFileCombo->count(), 0);
    EXPECT_FALSE(p.LoadSettingsButton->isEnabled());
}

TEST(DataLogPage, DefaultsAndTheOptionsWhileLogging)
{
    PagesRig r;
    ASSERT_NE(r.log, nullptr);
    r.form->setActivePage(settingspage::kDataLogging);
    TDataLogPage& p = *r.log;
    EXPECT_TRUE(p.LogQRDCheck->isChecked() && p.LogHallCheck->isChecked() &&
                p.LogMDCheck->isChecked());
    EXPECT_TRUE(p.LogCountChecks[0]->isChecked() && p.LogCountChecks[1]->isChecked());
    EXPECT_FALSE(p.LogCountChecks[2]->isChecked() || p.LogLTAChecks[0]->isChecked());
    EXPECT_EQ(p.LogCountChecks[5]->objectName(), "LogCh5Check");
    EXPECT_EQ(p.LogDTChecks[2]->objectName(), "LogCh2DTCheck");
    EXPECT_EQ(p.SampleRateSpin->value(), 5);
    EXPECT_FALSE(p.SampleRateSpin->isEnabled());
    EXPECT_FALSE(p.SampleRateLabel->isEnabled());

    p.LogCombo->setCurrentIndex(1);
    EXPECT_TRUE(p.SampleRateSpin->isEnabled());
    p.LogTChecks[1]->click();
    EXPECT_TRUE(r.rig.session->settingsWindow().logSelection.touch[1]);
    EXPECT_TRUE(r.rig.session->settingsWindow().logSelection.everyX);

    r.rig.prompts.saveAs = r.rig.dir.path() + "/log.txt";
    p.LogDataButton->click();
    EXPECT_EQ(p.LogDataButton->text(), "Stop Log");
    EXPECT_FALSE(p.LogCountChecks[0]->isEnabled());
    EXPECT_FALSE(p.LogCombo->isEnabled());
    EXPECT_FALSE(p.SampleRateSpin->isEnabled());
    p.LogDataButton->click();
    EXPECT_EQ(p.LogDataButton->text(), "Start Log");
    EXPECT_TRUE(p.LogCountChecks[0]->isEnabled());
    EXPECT_TRUE(p.SampleRateSpin->isEnabled());

    // No channel column: refused.
    for (QCheckBox* c : p.LogCountChecks)
        c->setChecked(false);
    p.LogTChecks[1]->click();
    p.LogDataButton->click();
    EXPECT_EQ(r.rig.prompts.shown.back().text, "Please select at least one logging option.");
    EXPECT_EQ(p.LogDataButton->text(), "Start Log");
}
