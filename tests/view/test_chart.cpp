#include "view/chart.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "numeric/errors.hpp"

namespace tarvinel {
namespace {

TEST(Series, AddXYKeepsAscendingOrderNewestLastAmongEqual)
{
    Chart chart;
    Series& s = chart.Series1;
    EXPECT_EQ(s.AddXY(1, 10), 0U);
    EXPECT_EQ(s.AddXY(2, 20), 1U);
    EXPECT_EQ(s.AddXY(3, 30), 2U);
    EXPECT_EQ(s.AddXY(2, 21), 2U);  // after the old x = 2, before x = 3
    EXPECT_EQ(s.AddXY(3, 31), 4U);
    EXPECT_EQ(s.AddXY(0.5, 5), 0U);
    ASSERT_EQ(s.Count(), 6U);
    EXPECT_EQ(s.points()[3].y, 21);
    EXPECT_EQ(s.points()[4].y, 30);
    s.Clear();
    EXPECT_EQ(s.AddXY(7, 7), 0U);
}

TEST(Series, XValueBreaksTheOrderWithoutResorting)
{
    Chart chart;
    Series& s = chart.Series3;
    s.AddXY(0, -25);
    s.AddXY(300, -25);
    s.setXValue(1, -5);
    EXPECT_EQ(s.points()[1].x, -5);
    // The next point compares its x with -5, the last point's.
    EXPECT_EQ(s.AddXY(-1, 0), 2U);
    EXPECT_EQ(s.AddXY(-6, 0), 0U);  // no point has an x <= -6
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Series, OrderedWhileNoXFallsAndNoCoordinateIsNaN)
{
    struct Case {
        const char* name;
        void (*act)(Series&);  // on points at x = 1, 2, 3
        bool ordered;
    };
    const std::array<Case, 19> cases{{
        {"as filled", [](Series&) {}, true},
        {"appended", [](Series& s) { s.AddXY(4, 0); }, true},
        {"inserted between", [](Series& s) { s.AddXY(1.5, 0); }, true},
        {"inserted first", [](Series& s) { s.AddXY(0, 0); }, true},
        {"an equal x", [](Series& s) { s.AddXY(2, 5); }, true},
        {"a y changed", [](Series& s) { s.setYValue(1, -7); }, true},
        {"an x moved between its neighbours", [](Series& s) { s.setXValue(1, 2.5); }, true},
        {"an x moved onto its neighbour's", [](Series& s) { s.setXValue(1, 3); }, true},
        {"an x moved below the one before", [](Series& s) { s.setXValue(1, 0.5); }, false},
        {"an x moved above the one after", [](Series& s) { s.setXValue(1, 3.5); }, false},
        {"the first x moved above the second", [](Series& s) { s.setXValue(0, 2.5); }, false},
        {"the last x moved below the one before", [](Series& s) { s.setXValue(2, 1.5); }, false},
        {"a NaN x added", [](Series& s) { s.AddXY(kNaN, 0); }, false},
        {"a NaN y added", [](Series& s) { s.AddXY(4, kNaN); }, false},
        {"an x set to NaN", [](Series& s) { s.setXValue(2, kNaN); }, false},
        {"a y set to NaN", [](Series& s) { s.setYValue(0, kNaN); }, false},
        // Only Clear tells that the order is back.
        {"broken, then mended", [](Series& s) { s.setXValue(1, 0.5); s.setXValue(1, 2); }, false},
        {"broken, then cleared", [](Series& s) { s.setXValue(1, 0.5); s.Clear(); }, true},
        {"broken, cleared, refilled",
         [](Series& s) {
             s.setYValue(1, kNaN);
             s.Clear();
             s.AddXY(3, 0);
             s.AddXY(1, 0);
         },
         true},
    }};
    for (const Case& c : cases) {
        Chart chart;
        Series& s = chart.Series2;
        for (const double x : {1.0, 2.0, 3.0}) s.AddXY(x, -x);
        c.act(s);
        EXPECT_EQ(s.ordered(), c.ordered) << c.name;
    }
}

// Whatever the operations, a series that says it is ordered is.
TEST(Series, OrderedIsNeverClaimedFalsely)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> op(0, 99);
    std::uniform_real_distribution<double> value(-10, 10);
    Chart chart;
    Series& s = chart.Series1;
    int claimed = 0;
    constexpr int kSteps = 20'000;
    for (int step = 0; step < kSteps; ++step) {
        const int o = op(rng);
        const auto any = [&] { return std::uniform_int_distribution<std::size_t>(0, s.Count() - 1)(rng); };
        if (step % 40 == 0) {
            s.Clear();
        } else if (o < 85 || s.Count() == 0) {
            s.AddXY(value(rng), value(rng));
        } else if (o < 87) {
            s.setXValue(any(), value(rng));
        } else if (o < 93) {
            // A small move, which may keep the order or not.
            const std::size_t i = any();
            s.setXValue(i, s.points()[i].x + value(rng) * 0.001);
        } else {
            s.setYValue(any(), o == 99 ? kNaN : value(rng));
        }
        if (!s.ordered()) continue;
        ++claimed;
        const auto p = s.points();
        for (std::size_t i = 0; i < p.size(); ++i) {
            ASSERT_FALSE(std::isnan(p[i].x) || std::isnan(p[i].y)) << "step " << step << ", point " << i;
            if (i > 0) {
                ASSERT_LE(p[i - 1].x, p[i].x) << "step " << step << ", point " << i;
            }
        }
    }
    EXPECT_GT(claimed, kSteps / 4);  // the claim is made, not merely withheld
}

TEST(Axis, EndsAcceptedRefusedAndLeftUnchanged)
{
    Chart chart;
    chart.BottomAxis.setMaximum(0);  // equal to the minimum: accepted
    EXPECT_EQ(chart.BottomAxis.Maximum(), 0);
    try {
        chart.BottomAxis.setMaximum(-1);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::AxisException);
        EXPECT_STREQ(e.what(), "Axis Maximum Value must be >= Minimum");
    }
    EXPECT_EQ(chart.BottomAxis.Maximum(), 0);
    chart.LeftAxis.setMinimum(5);
    EXPECT_EQ(chart.LeftAxis.Minimum(), 5);
    try {
        chart.LeftAxis.setMinimum(5.5);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::AxisException);
        EXPECT_STREQ(e.what(), "Axis Minimum Value must be <= Maximum");
    }
    EXPECT_EQ(chart.LeftAxis.Minimum(), 5);
}

TEST(Chart, MarksLeadToOneNotificationAndEqualSettingsMarkNothing)
{
    Chart chart;
    int notified = 0;
    chart.setRepaintListener([&] { ++notified; });
    chart.repainted();
    chart.BottomAxis.setMaximum(24);  // already 24
    chart.LeftAxis.setMinimum(-45);
    chart.BottomAxis.setPositionPercent(50);
    EXPECT_FALSE(chart.needsRepaint());
    EXPECT_EQ(notified, 0);
    chart.BottomAxis.setMaximum(300);
    chart.Series1.AddXY(1, 1);
    chart.Series2.Clear();
    EXPECT_TRUE(chart.needsRepaint());
    EXPECT_EQ(notified, 1);
    chart.repainted();
    chart.Series1.setYValue(0, 2);
    EXPECT_EQ(notified, 2);
}

TEST(Axis, RangeOfTheMouseIsOrderedAndMarksOnlyAChange)
{
    Chart chart;
    int notified = 0;
    chart.setRepaintListener([&] { ++notified; });
    chart.repainted();
    chart.LeftAxis.setRange(5, -45);  // both ends as they are, given in reverse
    EXPECT_EQ(notified, 0);
    chart.BottomAxis.setRange(40, 10);
    EXPECT_EQ(chart.BottomAxis.Minimum(), 10);
    EXPECT_EQ(chart.BottomAxis.Maximum(), 40);
    EXPECT_EQ(notified, 1);
}

}  // namespace
}  // namespace tarvinel
