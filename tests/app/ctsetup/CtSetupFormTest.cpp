// The setup window and the main window's side of it, on the offscreen platform.
#include "ControlColumn.h"
#include "CtSetupForm.h"
#include "CtSetupModel.h"
#include "MainWindow.h"
#include "SessionRig.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct FormRig {
    FormRig()
    {
        sim::ToolConfig second;
        second.productId = 0x107;
        second.serialNumber = "S2";
        rig.backend.plug(second);
        rig.pump();
        // The first tool (01.06 build 20 release 0B) below the minimum version 01.07.
        rig.installUpdater("[CT]\nHB110N=0107010B\n");
        window = std::make_unique<TMainForm>(*rig.session, nullptr);
        window->show();
        form = window->ctSetupForm();
    }
    SessionRig rig;
    std::unique_ptr<TMainForm> window;
    TCtSetupForm* form = nullptr;
};

TEST(CtSetupForm, ShowsTheToolsAndTheVerdict)
{
    FormRig r;
    TControlColumn* column = r.window->column();
    // The outdated tool in use: Start disabled, the label asks for an update.
    EXPECT_FALSE(column->StartButton->isEnabled());
    EXPECT_EQ(column->CtLabel->toolTip(), "Firmware update required");

    QTest::mouseClick(column->CtSetupButton, Qt::LeftButton);
    ASSERT_TRUE(r.form->isVisible());
    EXPECT_EQ(r.form->windowTitle(), "Configuration Tool Setup");
    ASSERT_EQ(r.form->DevList->count(), 2);
    EXPECT_EQ(r.form->DevList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(r.form->DevList->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(r.form->FWVersionEdit->text(), "01.06");
    EXPECT_EQ(r.form->FWVersionEdit->accessibleName(), "Firmware Version :");
    EXPECT_EQ(r.form->CTIDSpin->accessibleName(), "ID :");
    EXPECT_EQ(r.form->FirmStatusLabel->text(), "Firmware is outdated!");
    EXPECT_EQ(r.form->FirmStatusLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(r.form->FirmstatusPanel->palette().color(QPalette::Window),
              QColor(0xFF, 0xF0, 0xF0));
    EXPECT_EQ(r.form->PrefFirmLabel->text(), "V01.07 Build 1 Release 0B");
    EXPECT_TRUE(r.form->UpdateButton->isEnabled());
    EXPECT_FALSE(r.form->UpdateCustomButton->isVisible());

    // Both Shift keys while the window shows: the custom button, not engineering mode.
    r.window->toggleEngineering();
    EXPECT_TRUE(r.form->UpdateCustomButton->isVisible());
    EXPECT_FALSE(r.rig.session->engineering());

    // Ticking the HB110A's box makes it the tool in use: Start enabled.
    r.form->DevList->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(r.form->DevList->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(r.form->FirmStatusLabel->text(), "Firmware is up to date");
    EXPECT_EQ(r.rig.session->HidTool().SerialNumber(), "S2");
    EXPECT_TRUE(column->StartButton->isEnabled());
    EXPECT_TRUE(column->CtLabel->toolTip().isEmpty());

    QTest::mouseClick(r.form->CloseButton, Qt::LeftButton);
    EXPECT_FALSE(r.form->isVisible());
    r.window->toggleEngineering();
    EXPECT_TRUE(r.rig.session->engineering());
}

} // namespace
