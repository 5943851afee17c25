#include "BaselineView.h"

#include "DisplayTypes.h"

TBaselineViewLook baselineViewLook(bool on, bool countSamples, bool longTermAverages)
{
    TBaselineViewLook look;
    look.DeltaOnly = on;
    look.CaptionBold = on;
    if (on) {
        look.AxisMin = -100;
        look.AxisMax = 500;
        look.AxisStep = 50;
        look.LtaSeriesColour = dispcolour::CountSeries;
        look.SetScopeRange = true;
        look.ScopeYMin = -200;
        look.ScopeYMax = 1000;
        look.ScopeRescaleEnabled = false;
        if (!countSamples) {
            look.Errors.push_back("Count Samples are disabled");
            look.Errors.push_back("Unable to calculate deltas!");
        }
        if (!longTermAverages) {
            look.Errors.push_back("Long Term Averages are disabled");
            look.Errors.push_back("Unable to calculate deltas!");
        }
    } else {
        look.AxisMin = 0;
        look.AxisMax = 1500;
        look.AxisStep = 100;
        look.LtaSeriesColour = dispcolour::LtaSeries;
        look.ScopeRescaleEnabled = true;
        look.RunScopeRescale = true;
    }
    return look;
}
