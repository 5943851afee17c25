// The settings window on the offscreen platform, over a session on the
// deterministic simulated tool: navigation, the change indication, Apply,
// Undo, the close question, Read All and the ATI notice.
#include "FormRig.h"
#include "KvnRadioGroup.h"
#include "NavigationColumn.h"
#include "SettingsPages.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using G = TSettingsGroup;

bool grey(const QFrame* panel)
{
    return panel->palette().color(QPalette::Window) == QColor(206, 206, 206);
}

void pick(FormRig& f, const char* radio, int item)
{
    f.find<TKvnRadioGroup>(radio)->button(item)->click();
}

} // namespace

TEST(SettingsForm, NavigationOrderTitlesAndEngineeringButtons)
{
    FormRig f(false);
    EXPECT_EQ(f.form.windowTitle(), "Settings");
    EXPECT_TRUE(f.form.isWindow());
    EXPECT_EQ(f.form.ActivePage(), 0);
    EXPECT_EQ(f.form.HeaderLabel->text(), "Setup");

    // Top to bottom, the divider between "Report Rates & Timings" and "Debug".
    QStringList captions;
    for (const int page : navigationOrder()) {
        if (page != kNavDivider)
            captions << f.form.navigation()->button(page)->accessibleName();
    }
    EXPECT_EQ(captions.join('|'),
              "Setup|Device & PMU Settings|Senvara Sensor Global|Senvara Sensor CH0|"
              "Senvara Sensor CH1|Senvara Sensor CH2|Senvara UI Settings|SAR UI Settings|"
              "Hysteresis UI Settings|Hall Settings|Temperature UI Settings|"
              "Report Rates & Timings|Debug|Data Logging|Engineering|Capacitance Calculation|"
              "OTP Setup");
    // The ampersand shows once (no mnemonic).
    EXPECT_EQ(f.form.navigation()->button(7)->text(), "Report Rates && Timings");

    f.form.navigation()->button(settingspage::kHysteresis)->click();
    EXPECT_EQ(f.form.ActivePage(), settingspage::kHysteresis);
    EXPECT_EQ(f.form.HeaderLabel->text(), "Hysterisis UI Settings");
    f.form.navigation()->button(settingspage::kChannel1)->click();
    EXPECT_EQ(f.form.HeaderLabel->text(), "Senvara Sensor Settings CH1");

    // Engineering mode: its two buttons, the window on page 9; leaving it
    // from page 9 or 10 returns to page 0.
    EXPECT_TRUE(f.form.navigation()->button(settingspage::kEngineering)->isHidden());
    EXPECT_TRUE(f.form.navigation()->button(settingspage::kDebug)->isHidden());
    f.rig.session->setEngineering(true);
    EXPECT_TRUE(f.form.isVisible());
    EXPECT_EQ(f.form.ActivePage(), settingspage::kEngineering);
    EXPECT_FALSE(f.form.navigation()->button(settingspage::kDebug)->isHidden());
    f.form.setActivePage(settingspage::kDebug);
    f.rig.session->setEngineering(false);
    EXPECT_EQ(f.form.ActivePage(), settingspage::kSetup);
    EXPECT_TRUE(f.form.navigation()->button(settingspage::kEngineering)->isHidden());
}

TEST(SettingsForm, ChangingAFieldAndBackClearsTheIndication)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kProxUI);
    EXPECT_TRUE(grey(f.form.UndoPanel) && grey(f.form.ApplyPanel));
    auto* spin = f.find<QSpinBox>("Touch1Spin");
    const int was = spin->value();

    spin->setValue(was + 3);
    EXPECT_TRUE(f.form.SettingsChanged());
    EXPECT_TRUE(f.model().isChanged(G::PxsUI));
    EXPECT_FALSE(grey(f.form.UndoPanel));
    EXPECT_EQ(f.form.UndoPanel->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_FALSE(grey(f.form.ApplyPanel));
    EXPECT_TRUE(f.form.ChangeLabel->isVisible());
    EXPECT_EQ(f.form.ChangeLabel->text(), "Changes not yet applied...");
    // The label beside it follows the value.
    EXPECT_EQ(f.find<QLabel>("Touch1Label")->text(),
              QString::fromStdString(shownText(fieldDesc(TFieldId::Touch0), was + 3)));

    spin->setValue(was);
    EXPECT_FALSE(f.form.SettingsChanged());
    EXPECT_FALSE(f.model().isChanged(G::PxsUI));
    EXPECT_TRUE(grey(f.form.UndoPanel) && grey(f.form.ApplyPanel));
    EXPECT_FALSE(f.form.ChangeLabel->isVisible());
}

TEST(SettingsForm, UndoRestoresExactlyTheChangedGroups)
{
    FormRig f;
    f.form.showWindow();
    const auto prevUi = f.model().previous(G::PxsUI);
    const std::vector<int> ui(prevUi.begin(), prevUi.end());
    f.form.setActivePage(settingspage::kProxUI);
    f.setSpin("ProxSpin1", 77);
    f.form.setActivePage(settingspage::kHall);
    pick(f, "LinModeRadio", 1 - f.model().fieldValue(TFieldId::HallLinMode));
    f.form.setActivePage(settingspage::kTimings);
    f.setSpin("NPRRSpin", 99);
    // A control of a group that is not changed: its shown value stays as it is.
    f.form.setActivePage(settingspage::kDevice);
    auto* pwm = f.find<QSpinBox>("PWMOutSpin");
    const int pwmShown = pwm->value();
    ASSERT_TRUE(f.model().isChanged(G::PxsUI) && f.model().isChanged(G::Hall) &&
                f.model().isChanged(G::Tim));

    f.form.CancelButton->click();
    for (const G g : kAllGroups) {
        EXPECT_FALSE(f.model().isChanged(g)) << groupDesc(g).Name;
        const auto cur = f.model().current(g);
        const auto prev = f.model().previous(g);
        EXPECT_TRUE(std::equal(cur.begin(), cur.end(), prev.begin())) << groupDesc(g).Name;
    }
    EXPECT_EQ(
        std::vector<int>(f.model().current(G::PxsUI).begin(), f.model().current(G::PxsUI).end()),
        ui);
    EXPECT_EQ(pwm->value(), pwmShown);
    EXPECT_FALSE(f.form.SettingsChanged());
    EXPECT_TRUE(grey(f.form.UndoPanel));
    f.form.setActivePage(settingspage::kProxUI);
    EXPECT_EQ(f.find<QSpinBox>("ProxSpin1")->value(), ui[2]);
    f.form.setActivePage(settingspage::kTimings);
    EXPECT_EQ(f.find<QSpinBox>("NPRRSpin")->value(), f.model().fieldValue(TFieldId::NPRR));
}

TEST(SettingsForm, ApplySendsTheWritesOfTheChangedGroupOnly)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kProxUI);
    f.setSpin("ProxSpin", 9);
    const auto writes = f.writesDuring([&] { f.form.ApplyButton->click(); });
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].size(), 8u);
    EXPECT_EQ(writes[0][0], 0x60);
    EXPECT_EQ(writes[0][1], 9);
    EXPECT_EQ(f.chip(0x60), 9);
    EXPECT_FALSE(f.form.SettingsChanged());
    EXPECT_TRUE(f.rig.hasMessage("Prox UI setup updated"));
}

TEST(SettingsForm, ApplyStopsAtARejectedWriteAndKeepsTheRestChanged)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kGlobal);
    pick(f, "LTABetaRadio", (f.model().fieldValue(TFieldId::LTABeta) + 1) % 4);
    f.form.setActivePage(settingspage::kProxUI);
    f.setSpin("Touch2Spin", 40);
    f.form.setActivePage(settingspage::kDevice);
    pick(f, "SmallATIBandRadio", 1 - f.model().fieldValue(TFieldId::SmallATIBand));
    const std::uint8_t ui1 = f.chip(0x63), device = f.chip(0xD0);

    // The write after the Senvara group's second part (0x50) is the prox UI write.
    f.failWriteAfter(0x50);
    f.form.ApplyButton->click();
    EXPECT_FALSE(f.model().isChanged(G::PxsSetup));
    EXPECT_EQ(f.chip(0x50), f.model().current(G::PxsSetup)[12]);
    EXPECT_TRUE(f.model().isChanged(G::PxsUI));
    EXPECT_TRUE(f.model().isChanged(G::Device));
    EXPECT_EQ(f.chip(0x63), ui1);
    EXPECT_EQ(f.chip(0xD0), device);
    EXPECT_TRUE(f.form.ErrorLabel->isVisible());
    EXPECT_EQ(f.form.ErrorLabel->text(), "Could not update settings");
    EXPECT_TRUE(f.form.SettingsChanged());
    EXPECT_EQ(f.find<QSpinBox>("Touch2Spin")->value(), 40); // the edit is kept

    // Applying again writes the rest and clears the error.
    f.form.ApplyButton->click();
    EXPECT_EQ(f.chip(0x63), 40);
    EXPECT_FALSE(f.form.SettingsChanged());
    EXPECT_FALSE(f.form.ErrorLabel->isVisible());
}

TEST(SettingsForm, ApplyWithNoStreamingSelectionWritesNothing)
{
    FormRig f;
    TSetupModel& setup = f.rig.session->Setup();
    setup.CSCheck = setup.LTACheck = setup.PTCheck = false;
    setup.detectStreamingChange();
    f.form.setActivePage(settingspage::kProxUI);
    f.form.showWindow();
    f.setSpin("ProxSpin", 12);
    const auto writes = f.writesDuring([&] { f.form.ApplyButton->click(); });
    EXPECT_TRUE(writes.empty());
    ASSERT_FALSE(f.rig.prompts.shown.empty());
    EXPECT_EQ(f.rig.prompts.shown.back().text,
              "At least 1 selection must be active in Streaming Setup!");
    EXPECT_TRUE(setup.CSCheck);
    EXPECT_TRUE(f.model().isChanged(G::PxsUI));
}

TEST(SettingsForm, ClosingWithChangesAsksAndNoKeepsThemPending)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kProxUI);
    f.setSpin("ProxSpin", 33);
    f.rig.prompts.answers.push_back(TDialogResult::No);
    f.form.CloseButton->click();
    EXPECT_FALSE(f.form.isVisible());
    ASSERT_EQ(f.rig.prompts.shown.size(), 1u);
    EXPECT_EQ(f.rig.prompts.shown[0].text,
              "Changes have not been applied, do you want to apply these changes?");
    EXPECT_TRUE(f.form.SettingsChanged());
    EXPECT_NE(f.chip(0x60), 33);

    // Shown again on the same page: the change is still pending and Apply
    // still writes it.
    f.form.showWindow();
    EXPECT_TRUE(f.model().isChanged(G::PxsUI));
    EXPECT_EQ(f.find<QSpinBox>("ProxSpin")->value(), 33);
    // Yes applies.
    f.rig.prompts.answers.push_back(TDialogResult::Yes);
    f.form.close();
    EXPECT_EQ(f.chip(0x60), 33);
    EXPECT_FALSE(f.form.SettingsChanged());
    // Nothing pending: no question.
    f.form.showWindow();
    f.form.close();
    EXPECT_EQ(f.rig.prompts.shown.size(), 2u);
}

TEST(SettingsForm, ReadAllButtonTakesTheChipsGroupAsUnchanged)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kSarUI);
    const std::uint8_t write[2] = {0x74, 0x2C};
    ASSERT_EQ(f.rig.session->WriteRegisters(write), 0);
    f.setSpin("SarFHThrSpin", 17);
    auto* readAll = f.form.findChild<QPushButton*>("ReadAllButton2");
    ASSERT_NE(readAll, nullptr);
    readAll->click();
    EXPECT_EQ(f.find<QSpinBox>("SarPTSpin")->value(), 0x2C);
    EXPECT_FALSE(f.model().isChanged(G::SarUI));
    EXPECT_FALSE(f.form.SettingsChanged());

    // Without power the read fails and the group stays as it was.
    f.rig.session->PowerButtonClick();
    f.setSpin("SarFHThrSpin", 18);
    readAll->click();
    EXPECT_TRUE(f.model().isChanged(G::SarUI));
    EXPECT_EQ(f.form.ErrorLabel->text(), "Could not update settings");
    EXPECT_TRUE(f.form.ErrorLabel->isVisible());
}

TEST(SettingsForm, UpdateAllAndTheAtiNotice)
{
    FormRig f;
    f.form.showWindow();
    TNavigationColumn* nav = f.form.navigation();
    EXPECT_FALSE(nav->ATIErrorPanel->isVisible());
    EXPECT_TRUE(nav->ReadAllPanel->isVisible());
    f.rig.session->settingsWindow().atiNoticeVisible = true;
    f.rig.session->CheckChanges();
    EXPECT_TRUE(nav->ATIErrorPanel->isVisible());
    EXPECT_FALSE(nav->ReadAllPanel->isVisible());
    nav->IgnoreButton->click();
    EXPECT_FALSE(nav->ATIErrorPanel->isVisible());
    EXPECT_TRUE(nav->ReadAllPanel->isVisible());

    f.form.setActivePage(settingspage::kProxUI);
    f.setSpin("ProxSpin", 50);
    f.rig.session->settingsWindow().atiNoticeVisible = true;
    f.rig.session->CheckChanges();
    nav->UpdateAllButton->click();
    EXPECT_FALSE(nav->ATIErrorPanel->isVisible());
    EXPECT_FALSE(f.form.SettingsChanged());
    EXPECT_EQ(f.find<QSpinBox>("ProxSpin")->value(), f.chip(0x60));
    EXPECT_EQ(f.form.ChangeLabel->text(), "All settings updated from device");

    f.rig.session->PowerButtonClick();
    nav->ReadAllUpdateButton->click();
    EXPECT_EQ(f.form.ErrorLabel->text(), "Error reading all settings!");
}

TEST(SettingsForm, EventModeIsReachedFromTheModeRadioGroup)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kDevice);
    pick(f, "CommsModeRadio", 1);
    f.form.ApplyButton->click();
    EXPECT_TRUE(f.rig.session->state().FEventMode);
    EXPECT_EQ(f.chip(0xD0) & 0x20, 0x20);
    pick(f, "CommsModeRadio", 0);
    f.form.ApplyButton->click();
    EXPECT_FALSE(f.rig.session->state().FEventMode);
}

namespace {

// Counts every event that reaches a watched widget.
class EventCounter : public QObject {
public:
    int events = 0;
    bool eventFilter(QObject*, QEvent*) override
    {
        ++events;
        return false;
    }
};

} // namespace

// Streaming costs the window nothing while it is hidden: no event reaches
// it or any of its controls, however many frames arrive.
TEST(SettingsForm, HiddenWindowDoesNothingPerFrame)
{
    FormRig f;
    f.form.showPage(settingspage::kProxUI);
    f.form.close();
    // What closing and the pages never shown still have queued.
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents();
    }
    EventCounter counter;
    f.form.installEventFilter(&counter);
    for (QWidget* w : f.form.findChildren<QWidget*>())
        w->installEventFilter(&counter);
    const int frames = f.rig.frames();
    f.rig.run(2000);
    QApplication::processEvents();
    EXPECT_GT(f.rig.frames(), frames + 50);
    EXPECT_EQ(counter.events, 0);
}
