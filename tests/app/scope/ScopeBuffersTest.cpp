// The point buffers against a plain model that really shifts its arrays, and
// the 2,501st sample.
#include "ScopeBuffers.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using scope::TScopeBuffers;

namespace {

// The storing rule written out with real arrays and element moves.
struct ShiftingBuffers {
    static constexpr int N = TScopeBuffers::kCapacity;
    int count = 0;
    bool full = false;
    static constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::vector<double>> x{13, std::vector<double>(N, nan)};
    std::vector<std::vector<double>> y{13, std::vector<double>(N, nan)};

    void add(int s, double px, double py)
    {
        if (count > N || full) {
            full = true;
            count = N;
            for (int k = 0; k + 1 < N; ++k) {
                x[s][k] = x[s][k + 1];
                y[s][k] = y[s][k + 1];
            }
        }
        if (count > 0) {
            x[s][count - 1] = px;
            y[s][count - 1] = py;
        }
    }
};

bool same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

} // namespace

TEST(ScopeBuffers, The2501stSampleDropsTheOldestPointOfEachFedTrace)
{
    TScopeBuffers b;
    for (int sample = 0; sample < 2500; ++sample) {
        ++b.NrOfChartPoints;
        b.AddXY(0, sample, 1000 + sample);
        b.AddXY(1, sample, 2000 + sample);
    }
    EXPECT_FALSE(b.full());
    EXPECT_EQ(b.y(0, 2499), 3499);

    ++b.NrOfChartPoints; // sample 2500, the 2,501st
    b.AddXY(0, 2500, 7);
    b.AddXY(1, 2500, 8);
    EXPECT_TRUE(b.full());
    EXPECT_EQ(b.NrOfChartPoints, 2500);
    EXPECT_EQ(b.x(0, 0), 1);
    EXPECT_EQ(b.y(0, 0), 1001);
    EXPECT_EQ(b.x(0, 2499), 2500);
    EXPECT_EQ(b.y(0, 2499), 7);
    EXPECT_EQ(b.y(1, 2498), 4499);
    EXPECT_EQ(b.y(1, 2499), 8);
    EXPECT_EQ(b.count(), 2500);
    EXPECT_TRUE(b.changed().test(0));
    EXPECT_FALSE(b.changed().test(2));
    EXPECT_TRUE(std::isnan(b.y(2, 0))); // never fed
}

TEST(ScopeBuffers, MatchesArraysThatShiftAcrossManyWrapsSkippedTracesAndRestarts)
{
    TScopeBuffers b;
    ShiftingBuffers ref;
    std::mt19937 rng(7);
    int x = 0;
    for (int sample = 0; sample < 9000; ++sample) {
        if (sample == 6100) { // "Restart Scope"
            b.restart();
            ref = ShiftingBuffers{};
            x = 0;
        }
        ++b.NrOfChartPoints;
        ++ref.count;
        for (int t = 0; t < 13; ++t) {
            if (t >= 4 && rng() % 5 == 0)
                continue; // this trace gets no point in this sample
            const double v = double(rng() % 4000) - 2000;
            b.AddXY(t, x, v);
            ref.add(t, x, v);
        }
        ++x;
        if (sample % 997 == 0 || sample == 8999) {
            ASSERT_EQ(b.NrOfChartPoints, ref.count) << sample;
            ASSERT_EQ(b.full(), ref.full) << sample;
            for (int t = 0; t < 13; ++t)
                for (int i = 0; i < b.count(); ++i) {
                    ASSERT_TRUE(same(b.x(t, i), ref.x[t][i])) << sample << " " << t << " " << i;
                    ASSERT_TRUE(same(b.y(t, i), ref.y[t][i])) << sample << " " << t << " " << i;
                }
        }
    }
}

TEST(ScopeBuffers, IgnoresPointsBeforeTheFirstSampleAndUnknownTraces)
{
    TScopeBuffers b;
    b.AddXY(0, 0, 5); // NrOfChartPoints still 0: nothing stored
    EXPECT_FALSE(b.changed().any());
    ++b.NrOfChartPoints;
    b.AddXY(13, 0, 5);
    b.AddXY(-1, 0, 5);
    EXPECT_FALSE(b.changed().any());

    b.NrOfChartPoints = 2600; // a count past the buffers never reads outside them
    EXPECT_EQ(b.count(), 2500);
    b.NrOfChartPoints = -3;
    EXPECT_EQ(b.count(), 0);
}
