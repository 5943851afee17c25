#include "LiveDisplayPresenter.h"

#include "BarGraphPanel.h"
#include "EventIndicators.h"
#include "FlagsEventsPanel.h"
#include "HallPanel.h"
#include "HysteresisPanel.h"
#include "PictureLabel.h"
#include "Readout.h"
#include "SarPanel.h"
#include "TemperaturePanel.h"

#include <QLabel>

namespace {

void setLabel(QLabel* label, const std::string& text)
{
    showReadout(label, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace

void TLiveDisplayPresenter::present(TDisplayModel& model)
{
    const TDisplayChanges changes = model.takeChanges();
    if (changes.any())
        present(model.view(), changes);
}

void TLiveDisplayPresenter::present(const TDisplayView& v, const TDisplayChanges& c)
{
    if (W.Bars) {
        TChannelStrip* strip = W.Bars->strip();
        for (int n = 0; n < kDisplayChannels; ++n) {
            const auto i = static_cast<std::size_t>(n);
            if (c.ChannelPictures.test(i))
                strip->picture(n)->setMark(v.ChannelMarks[i]);
            if (c.CountLabels.test(i))
                setLabel(strip->countLabel(n), v.CountTexts[i]);
            if (c.LtaLabels.test(i))
                setLabel(strip->ltaLabel(n), v.LtaTexts[i]);
            if (c.DeltaLabels.test(i))
                setLabel(strip->deltaLabel(n), v.DeltaTexts[i]);
        }
        for (std::size_t e = 0; e < kEngineeringBars; ++e)
            if (c.EngLabels.test(e))
                setLabel(strip->countLabel(kDisplayChannels + static_cast<int>(e)), v.EngTexts[e]);
        if (c.BarGraph)
            W.Bars->barGraph()->showData(v.Bars);
    }
    if (W.Flags) {
        if (c.SystemFlags)
            W.Flags->showSystemFlags(v.SystemFlagTexts);
        if (c.PowerMode)
            W.Flags->showPowerMode(v.PowerMode);
    }
    if (W.Hall && (c.HallPictures.any() || c.HallValue))
        W.Hall->showHall(v.Hall);
    if (W.Sar) {
        if (c.SarPictures.any())
            W.Sar->showSarMarks(v.SarMarks);
        if (c.QuickRelease)
            W.Sar->showQuickRelease(v.QuickRelease);
    }
    if (W.Hysteresis && (c.MetalPicture || c.MetalReadout))
        W.Hysteresis->showMetal(v.Metal);
    if (W.Temperature && c.Temperature)
        W.Temperature->showTemperature(v.Temperature);
}

void TLiveDisplayPresenter::setStale(bool stale)
{
    FStale = stale;
    if (W.Bars)
        W.Bars->setStale(stale);
    if (W.Flags)
        W.Flags->setStale(stale);
    for (TSensorPanel* p :
         std::initializer_list<TSensorPanel*>{W.Sar, W.Hall, W.Hysteresis, W.Temperature})
        if (p)
            p->setStale(stale);
}

void TLiveDisplayPresenter::presentEvents(const TEventIndicators& indicators)
{
    if (W.Flags)
        W.Flags->showEvents(indicators);
    if (W.Temperature)
        W.Temperature->showTempTrip(indicators.tempTripShown());
}
