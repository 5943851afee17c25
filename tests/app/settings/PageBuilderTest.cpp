// Pages built from the field table: one test per rule of the page builder,
// the Senvara channel pages, and the accessible names of every control.
#include "ChannelPage.h"
#include "CustomerPanelView.h"
#include "FormRig.h"
#include "KvnRadioGroup.h"
#include "SettingsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

namespace {

using G = TSettingsGroup;
using F = TFieldId;

} // namespace

// Every field of the table has its control, named after the table, on its page.
TEST(PageBuilder, EveryFieldHasItsControlOnItsPage)
{
    FormRig f(false);
    for (const TFieldDesc& d : fieldTable()) {
        QWidget* page = f.form.page(d.Page);
        ASSERT_NE(page, nullptr);
        QWidget* w = page->findChild<QWidget*>(QString::fromStdString(d.Control));
        ASSERT_NE(w, nullptr) << d.Control;
        switch (d.Kind) {
        case TFieldKind::Radio:
            EXPECT_EQ(qobject_cast<TKvnRadioGroup*>(w)->items().size(),
                      static_cast<qsizetype>(d.Entries.size()));
            break;
        case TFieldKind::Check:
            EXPECT_NE(qobject_cast<QCheckBox*>(w), nullptr);
            break;
        case TFieldKind::Spin:
            EXPECT_EQ(qobject_cast<QSpinBox*>(w)->minimum(), d.Min) << d.Control;
            EXPECT_EQ(qobject_cast<QSpinBox*>(w)->maximum(), d.Max) << d.Control;
            break;
        case TFieldKind::List:
            EXPECT_EQ(qobject_cast<QComboBox*>(w)->count(), static_cast<int>(d.Entries.size()));
            break;
        }
    }
}

// A spin field comes with a track bar of its range; moving either moves the
// other, and the shown label and the unit label sit beside it.
TEST(PageBuilder, SpinTrackUnitAndShownText)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kProxUI);
    auto* track = f.find<QSlider>("PxsHaltTrack");
    EXPECT_EQ(track->maximum(), 255);
    track->setValue(255);
    EXPECT_EQ(f.find<QSpinBox>("PxsHaltSpin")->value(), 255);
    EXPECT_EQ(f.find<QLabel>("HaltTimeLabel")->text(), "127500ms");
    EXPECT_EQ(f.model().fieldValue(F::PxsHalt), 255);
    EXPECT_TRUE(f.model().isChanged(G::PxsUI));
    f.setSpin("Touch1Spin", 255);
    EXPECT_EQ(f.find<QLabel>("Touch1Label")->text(), "99.60%");

    f.form.setActivePage(settingspage::kTimings);
    f.setSpin("ModeTimeSpin", 255);
    EXPECT_EQ(f.find<QLabel>("ModeTimeLabel")->text(), "127.5 sec");
    EXPECT_EQ(f.find<QSpinBox>("ModeTimeSpin")->accessibleName(), "Auto Mode Timer");
}

// A radio group shows the value's entry and an entry click edits the field's bits.
TEST(PageBuilder, RadioGroupEditsTheFieldsBits)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kDevice);
    auto* power = f.find<TKvnRadioGroup>("PowerModesRadio");
    EXPECT_EQ(power->itemIndex(), f.model().fieldValue(F::PowerModes));
    power->button(3)->click();
    f.find<TKvnRadioGroup>("AutoModesRadio")->button(1)->click();
    f.find<TKvnRadioGroup>("EnULPModeRadio")->button(1)->click();
    f.find<TKvnRadioGroup>("NPSegRateRadio")->button(7)->click();
    f.find<QCheckBox>("PWMOutCheck")->click();
    if (!f.find<QCheckBox>("PWMOutCheck")->isChecked())
        f.find<QCheckBox>("PWMOutCheck")->click();
    f.model().get(G::Device);
    EXPECT_EQ(f.model().current(G::Device)[1], 0xFF);
    EXPECT_TRUE(f.model().isChanged(G::Device));
}

// A chip value outside a spin's range shows as the nearest end, and that is
// what the next write of the group sends.
TEST(PageBuilder, OutOfRangeValuesShowAndWriteTheNearestEnd)
{
    FormRig f;
    const std::uint8_t zero[2] = {0x82, 0x00};
    ASSERT_EQ(f.rig.session->WriteRegisters(zero), 0);
    ASSERT_TRUE(f.rig.session->ReadFromDevice(false));
    f.rig.session->ResetDefault();
    f.form.showWindow();
    f.form.setActivePage(settingspage::kHysteresis);
    EXPECT_EQ(f.find<QSpinBox>("MetalProxSpin")->value(), 1);
    f.setSpin("MetalFhaltSpin", 21);
    f.form.ApplyButton->click();
    EXPECT_EQ(f.chip(0x82), 1);
    EXPECT_EQ(f.chip(0x81), 21);
}

// Engineering-only fields show in engineering mode only, boxes with them.
TEST(PageBuilder, EngineeringOnlyFieldsFollowTheMode)
{
    FormRig f(false);
    f.form.showWindow();
    const char* engineering[] = {"SarMovActive",       "CalibRadio",         "MetalSingleChRadio",
                                 "HallBoostGainRadio", "HallPowerSaveRadio", "ProxCFG1Spin"};
    for (const bool on : {false, true, false}) {
        f.rig.session->setEngineering(on);
        for (const char* name : engineering) {
            const TFieldDesc* d = findFieldByControl(name);
            f.form.setActivePage(d->Page);
            EXPECT_EQ(f.find<QWidget>(name)->isVisible(), on) << name;
        }
        f.form.setActivePage(settingspage::kHysteresis);
        EXPECT_TRUE(f.find<QWidget>("MetalHystTRadio")->isVisible());
    }
}

// "Movement Channel Manual Override" is enabled only while SAR UI is enabled
// in the applied settings.
TEST(PageBuilder, MovementOverrideFollowsTheAppliedSarUi)
{
    FormRig f;
    f.rig.session->setEngineering(true);
    f.form.setActivePage(settingspage::kGlobal);
    auto* box = f.find<QCheckBox>("SarMovActive");
    EXPECT_FALSE(box->isEnabled());
    f.find<TKvnRadioGroup>("SarEnRadio")->button(1)->click();
    EXPECT_FALSE(box->isEnabled());
    f.form.ApplyButton->click();
    EXPECT_TRUE(f.rig.session->state().UI_SAR);
    EXPECT_TRUE(box->isEnabled());
}

// Channel pages: the simplified panel in normal mode writes the engineering
// fields; the engineering panel in engineering mode.
TEST(PageBuilder, ChannelPageSimplifiedPanelFeedsTheEngineeringFields)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kChannel2);
    auto* page = static_cast<TChannelPage*>(f.form.page(settingspage::kChannel2));
    TCustomerPanelView* simple = page->customerPanel();
    EXPECT_TRUE(simple->isVisible());
    EXPECT_FALSE(page->panel()->isVisible());

    auto* mode = static_cast<TKvnRadioGroup*>(simple->control("Sensor Mode"));
    EXPECT_TRUE(simple->control("Up Length")->isVisible());
    EXPECT_FALSE(simple->control("Projected Bias")->isVisible());
    mode->button(1)->click(); // "Inductive Sensor Mode"
    EXPECT_EQ(f.model().fieldValue(channelField(F::SM, 2)), 2);
    EXPECT_FALSE(simple->control("Up Length")->isVisible());
    EXPECT_TRUE(simple->control("Projected Bias")->isVisible());
    static_cast<QSpinBox*>(simple->control("Compensation"))->setValue(1023);
    EXPECT_EQ(f.model().fieldValue(channelField(F::Comp, 2)), 1023);
    EXPECT_TRUE(f.model().isChanged(G::PxsSetup));

    f.rig.session->setEngineering(true);
    f.form.setActivePage(settingspage::kChannel2);
    EXPECT_FALSE(simple->isVisible());
    EXPECT_TRUE(page->panel()->isVisible());
    EXPECT_EQ(f.find<QSpinBox>("Comp2Spin")->value(), 1023);
    EXPECT_EQ(f.find<TKvnRadioGroup>("SM2RadioGroup")->itemIndex(), 2);

    f.form.ApplyButton->click();
    EXPECT_EQ(f.chip(0x54), 0xFF);
    EXPECT_EQ(f.chip(0x57) >> 6, 3);
}

// An engineering edit shows on the simplified panel, and Undo of the group
// takes both back.
TEST(PageBuilder, SimplifiedPanelsFollowEngineeringEditsAndUndo)
{
    FormRig f;
    f.rig.session->setEngineering(true);
    f.form.setActivePage(settingspage::kChannel0);
    const int base = f.model().fieldValue(F::ATIBase);
    f.find<TKvnRadioGroup>("ATIBase0Radio")->button((base + 1) % 4)->click();
    auto* page = static_cast<TChannelPage*>(f.form.page(settingspage::kChannel0));
    auto* simpleBase =
        static_cast<TKvnRadioGroup*>(page->customerPanel()->control("Auto ATI Base Value"));
    EXPECT_EQ(simpleBase->itemIndex(), (base + 1) % 4);

    f.form.CancelButton->click();
    EXPECT_EQ(f.find<TKvnRadioGroup>("ATIBase0Radio")->itemIndex(), base);
    f.rig.session->setEngineering(false);
    f.form.setActivePage(settingspage::kChannel0);
    EXPECT_EQ(simpleBase->itemIndex(), base);
}

// Every control of the window has a name for screen readers and automation:
// its caption, or the text of the label beside it.
TEST(PageBuilder, EveryControlHasAnAccessibleName)
{
    FormRig f(false);
    f.rig.session->setEngineering(true);
    int controls = 0;
    for (QWidget* w : f.form.findChildren<QWidget*>()) {
        QString name = w->accessibleName();
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && name.isEmpty())
            name = b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w); g && name.isEmpty())
            name = g->title();
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QSpinBox*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QSlider*>(w) ||
                             qobject_cast<TKvnRadioGroup*>(w);
        if (!control || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        ++controls;
        EXPECT_FALSE(name.trimmed().isEmpty())
            << w->metaObject()->className() << " " << w->objectName().toStdString();
    }
    EXPECT_GT(controls, 400);
}

// Emptying a spin field changes nothing; leaving it empty sets 1.
TEST(PageBuilder, EmptiedSpinBecomesOneWhenLeft)
{
    FormRig f;
    f.form.showWindow();
    f.form.setActivePage(settingspage::kChannel0);
    f.rig.session->setEngineering(true);
    auto* comp = f.find<QSpinBox>("Comp0Spin");
    ASSERT_NE(comp->value(), 1);
    auto* edit = comp->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_TRUE(comp->text().isEmpty());
    EXPECT_FALSE(f.model().isChanged(G::PxsSetup));
    comp->interpretText(); // what leaving the field does
    EXPECT_EQ(comp->value(), 1);
    EXPECT_EQ(f.model().fieldValue(F::Comp), 1);
    EXPECT_TRUE(f.model().isChanged(G::PxsSetup));
}
