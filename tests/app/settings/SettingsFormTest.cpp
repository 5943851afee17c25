// The settings window on the offscreen platform, over a session on the
// deterministic simulated tool.
#include "SessionRig.h"
#include "SettingsForm.h"
#include "SettingsPages.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct FormRig {
    FormRig() : form(*rig.session) {}
    SessionRig rig;
    TSettingsForm form;
};

} // namespace

TEST(SettingsForm, OpensOnTheSetupPageWithItsTitle)
{
    FormRig f;
    EXPECT_EQ(f.form.windowTitle(), "Settings");
    EXPECT_EQ(f.form.ActivePage(), 0);
    EXPECT_EQ(f.form.HeaderLabel->text(), "Setup");
    f.form.setActivePage(settingspage::kHysteresis);
    EXPECT_EQ(f.form.HeaderLabel->text(), "Hysterisis UI Settings");
}
