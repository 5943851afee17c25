// Pages 9 "Engineering", 10 "Debug", 15 "OTP Setup" and 16 "Capacitance
// Calculation": the pages of engineering/pages, each hosted in its slot.
#include "CapacitancePage.h"
#include "DebugPage.h"
#include "EngineeringPage.h"
#include "OtpPage.h"
#include "PageSlots.h"
#include "SettingsForm.h"
#include "SettingsPage.h"
#include "SettingsPages.h"

#include <QVBoxLayout>
#include <functional>

namespace {

// A settings page around an engineering page, which follows the session by
// itself; showing the settings refreshes what it shows from the models.
class THostedPage final : public TSettingsPage {
public:
    THostedPage(TSettingsForm& form, int number, QWidget* content,
                std::function<void()> show = {})
        : TSettingsPage(form, number), FShow(std::move(show))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        content->setParent(this);
        layout->addWidget(content);
    }

protected:
    void showSettings() override
    {
        if (FShow)
            FShow();
    }

private:
    std::function<void()> FShow;
};

}  // namespace

void addEngineeringPages(TSettingsForm& form)
{
    TSession& s = form.session();
    form.setPage(settingspage::kEngineering,
                 new THostedPage(form, settingspage::kEngineering, new TEngineeringPage(s)));
    auto* debug = new TDebugPage(s);
    form.setPage(settingspage::kDebug, new THostedPage(form, settingspage::kDebug, debug,
                                                        [debug] { debug->showAddresses(); }));
    form.setPage(settingspage::kOtpSetup,
                 new THostedPage(form, settingspage::kOtpSetup, new TOtpPage(s)));
    form.setPage(settingspage::kCapacitance,
                 new THostedPage(form, settingspage::kCapacitance, new TCapacitancePage(s)));
}
