#include "view/chart.hpp"

#include <gtest/gtest.h>

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
