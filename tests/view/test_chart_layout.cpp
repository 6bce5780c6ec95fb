#include "view/chart_layout.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "view/chart.hpp"
#include "view/number_format.hpp"

namespace tarvinel {
namespace {

// Text 7 pixels per character, 13 high: a font without a font system.
class FixedMetrics final : public TextMetrics {
public:
    [[nodiscard]] int textWidth(std::string_view utf8) const override
    {
        int chars = 0;
        for (const char c : utf8)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
        return 7 * chars;
    }
    [[nodiscard]] int textHeight() const override { return 13; }
};

// The model's write of the horizontal axis onto the ground line.
double groundPercent(double irn) { return 100 - 500 / (2 * irn + 5); }

// --- Bars ------------------------------------------------------------------

TEST(BarWidth, FollowsTheSlotRule)
{
    struct Case {
        int plotWidth;
        std::size_t slots;
        BarWidth expected;
    };
    const std::array<Case, 9> cases{{
        {880, 11, {11, 80, 56}},
        {880, 302, {302, 2, 2}},  // 1.4 rounds to 1, odd, raised to 2
        {25, 5, {5, 5, 4}},       // 3.5: the tie goes to the even 4
        {75, 5, {5, 15, 10}},     // 10.5: the tie goes to the even 10
        {125, 5, {5, 25, 18}},    // 17.5 -> 18
        {30, 10, {10, 3, 2}},     // 2.1 -> 2
        {880, 880, {880, 1, 2}},  // 0.7 -> 1, raised to 2
        {880, 881, {881, 0, 0}},  // more slots than pixels: no width
        {880, 0, {1, 880, 616}},  // never fewer than one slot
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.plotWidth << " px, " << c.slots << " slots");
        EXPECT_EQ(barWidth(c.plotWidth, c.slots), c.expected);
    }
}

TEST(BarWidth, SlotsCountTheBarsPlusOneAndEveryLine)
{
    struct Case {
        std::size_t bars, depth;
        std::size_t expected;
    };
    const std::array<Case, 4> cases{{{10, 10, 11}, {301, 301, 302}, {5, 20, 20}, {0, 0, 2}}};
    for (const Case& c : cases) {
        Chart chart;
        for (std::size_t i = 0; i < c.bars; ++i) chart.Series1.AddXY(static_cast<double>(i + 1), 1);
        for (std::size_t i = 0; i < c.depth; ++i) chart.Series2.AddXY(static_cast<double>(i + 1), -1);
        chart.Series3.AddXY(0, -25);  // the required depth's two points
        chart.Series3.AddXY(300, -25);
        chart.Series4.AddXY(-2, 4);
        SCOPED_TRACE(testing::Message() << c.bars << " bars, " << c.depth << " depths");
        EXPECT_EQ(barSlots(chart), c.expected);
    }
}

// --- Labels ---------------------------------------------------------------

TEST(Labels, ThatFitAreTheLengthOverTheLabelPlusTenPercent)
{
    struct Case {
        int length, label, expected;
    };
    const std::array<Case, 5> cases{{
        {868, 18, 44},  // 43.8
        {100, 10, 9},   // 9.09
        {105, 10, 10},  // 9.55
        {0, 10, 0},
        {100, 0, 91},  // a label of no size counts as one pixel
    }};
    for (const Case& c : cases) EXPECT_EQ(labelsThatFit(c.length, c.label), c.expected) << c.length << "/" << c.label;
}

TEST(Labels, StepIsTheFirstOfOneTwoFiveTenThatFits)
{
    struct Case {
        double range;
        int fit;
        double expected;
    };
    const std::array<Case, 9> cases{{
        {300, 44, 10},   // 300, 150, 60 are too many; 30 fit
        {55, 17, 5},     // 55, 28 (27.5 rounded up), then 11
        {25, 5, 5},      // exactly as many as fit
        {24, 10, 5},     // 12 too many, 4.8 rounds to 5
        {25, 12, 5},     // 12.5 rounds to 13, one too many for a step of 2
        {24, 24, 1},
        {0, 0, 1},       // an empty range keeps the Increment
        {300, 0, 1000},  // nothing fits: the step outgrows the range
        {3e5, 30, 1e4},
    }};
    for (const Case& c : cases) EXPECT_EQ(labelStep(c.range, c.fit), c.expected) << c.range << " in " << c.fit;
    // A range near the largest double still ends with a finite step.
    const double huge = labelStep(1e300, 10);
    EXPECT_TRUE(std::isfinite(huge));
    EXPECT_LE(std::round(1e300 / huge), 10);
}

TEST(Labels, TextIsGroupedWithAtMostThreeDecimals)
{
    const NumberFormat comma{U',', U'.'};
    const NumberFormat point{U'.', U','};
    const NumberFormat narrowSpace{U',', U'\u202F'};
    const NumberFormat noGrouping{U'.', U'\0'};
    struct Case {
        const NumberFormat* format;
        double value;
        const char* expected;
    };
    const std::array<Case, 21> cases{{
        {&comma, 1234.5, "1.234,5"},
        {&comma, -50, "-50"},
        {&comma, 0.125, "0,125"},
        {&comma, 2.0004, "2"},
        {&comma, 12.3456, "12,346"},
        {&comma, 0.0005, "0,001"},  // half a thousandth rounds up
        {&comma, 1.0005, "1,001"},  // on the 15 significant digits, not the binary value
        {&comma, -0.0004, "0"},     // rounds to zero: no sign
        {&comma, -0.0, "0"},
        {&comma, 0, "0"},
        {&comma, 999.9996, "1.000"},
        {&comma, 1234567, "1.234.567"},
        {&comma, -1234567.25, "-1.234.567,25"},
        {&comma, 100, "100"},
        {&comma, 1e20, "100.000.000.000.000.000.000"},
        {&comma, 1e-10, "0"},
        {&point, 1234.5, "1,234.5"},
        {&point, -0.5, "-0.5"},
        {&point, 300, "300"},
        {&narrowSpace, 12345.678, "12\u202F345,678"},
        {&noGrouping, 12345.5, "12345.5"},
    }};
    for (const Case& c : cases) EXPECT_EQ(formatAxisLabel(c.value, *c.format), c.expected) << c.value;
}

TEST(Labels, TextReadsTheProcessWideFormatAtEveryCall)
{
    NumberFormat& format = numberFormat();
    const NumberFormat saved = format;
    format = NumberFormat{U',', U'.'};
    EXPECT_EQ(formatAxisLabel(1234.5), "1.234,5");
    format = NumberFormat{U'.', U','};
    EXPECT_EQ(formatAxisLabel(1234.5), "1,234.5");
    format = saved;
}

// --- The frame of the chart in the window ------------------------------------

// The axes as the start-up leaves them for a run 300 m long.
void setAxesAsAtStart(Chart& chart, double irn)
{
    chart.BottomAxis.setMaximum(300);
    chart.LeftAxis.setMinimum(-2 * irn);
    chart.BottomAxis.setPositionPercent(groundPercent(irn));
}

TEST(Frame, KeepsTheMarginsAndTheRoomOfTheLabels)
{
    const NumberFormat saved = numberFormat();
    numberFormat() = NumberFormat{U',', U'.'};
    Chart chart;
    setAxesAsAtStart(chart, 0);  // the horizontal axis on the bottom edge
    ChartLayout layout;
    layout.updateFrame(chart, 951, 390, FixedMetrics{});
    const ChartFrame& f = layout.frame();
    numberFormat() = saved;

    // 3 % of 951 and 4 % of 390, in whole pixels.
    EXPECT_EQ(f.plot.top, 15);
    EXPECT_EQ(f.plot.right(), 951 - 28 - 1);
    for (const AxisLabel& l : f.leftAxis.labels) {
        EXPECT_GE(l.box.left, 28) << l.text;
        // The label ends before the tick, which ends at the axis line.
        EXPECT_LE(l.box.right(), f.axisColumn - 1 - chart_look::kMajorTickLength) << l.text;
    }
    for (const AxisLabel& l : f.bottomAxis.labels) {
        EXPECT_LE(l.box.bottom(), 390 - 15) << l.text;
        EXPECT_GE(l.box.top, f.axisRow + chart_look::kAxisLineWidth + chart_look::kMajorTickLength) << l.text;
    }
    EXPECT_EQ(f.clip, (PixelRect{f.plot.left, f.plot.top - 1, f.plot.width + 1, f.plot.height + 3}));
}

TEST(Frame, LabelsStandAtTheMultiplesOfTheStepWithTicks)
{
    Chart chart;
    setAxesAsAtStart(chart, 25);
    ChartLayout layout;
    layout.updateFrame(chart, 951, 390, FixedMetrics{});
    const ChartFrame& f = layout.frame();

    const AxisGeometry& bottom = f.bottomAxis;
    const double step = labelStep(300, labelsThatFit(f.plot.width, 7 * 3));  // "300" is the widest
    EXPECT_EQ(bottom.step, step);
    ASSERT_EQ(bottom.labels.size(), static_cast<std::size_t>(300 / step) + 1);
    for (std::size_t i = 0; i < bottom.labels.size(); ++i) {
        const AxisLabel& l = bottom.labels[i];
        EXPECT_EQ(l.value, static_cast<double>(i) * step);
        EXPECT_EQ(l.text, formatAxisLabel(l.value));
        EXPECT_EQ(l.position, f.x.pixel(l.value));
        // 5 pixels long, hanging below the 2-pixel line.
        EXPECT_EQ(bottom.majorTicks[i], (PixelRect{l.position, f.axisRow + 2, 1, 5}));
    }
    ASSERT_EQ(bottom.minorTicks.size(), bottom.labels.size() - 1);
    EXPECT_EQ(bottom.minorTicks[0], (PixelRect{f.x.pixel(step / 2), f.axisRow + 2, 1, 1}));

    const AxisGeometry& left = f.leftAxis;
    EXPECT_EQ(left.step, labelStep(55, labelsThatFit(f.plot.height, 13)));
    EXPECT_EQ(left.labels.front().value, -50);
    EXPECT_EQ(left.labels.back().value, 5);
    EXPECT_EQ(left.majorTicks.front(), (PixelRect{f.axisColumn - 6, f.y.pixel(-50), 5, 1}));
    EXPECT_EQ(left.line, (PixelRect{f.plot.left - 1, f.plot.top, 2, f.plot.height + 2}));
}

TEST(Frame, HorizontalAxisStandsOnTheGroundLine)
{
    struct Case {
        double irn;
        int chartHeight;
    };
    const std::array<Case, 6> cases{{{25, 390}, {25, 300}, {0, 390}, {10, 390}, {2.5, 517}, {100, 390}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "IRN " << c.irn << ", " << c.chartHeight << " px");
        Chart chart;
        setAxesAsAtStart(chart, c.irn);
        ChartLayout layout;
        layout.updateFrame(chart, 951, c.chartHeight, FixedMetrics{});
        const ChartFrame& f = layout.frame();
        EXPECT_EQ(f.axisRow, horizontalAxisRow(f.plot, groundPercent(c.irn)));
        EXPECT_NEAR(f.axisRow, f.y.pixel(0), 1);
        EXPECT_EQ(f.bottomAxis.line.top, f.axisRow);
    }
}

TEST(Frame, AxisRowIsThePercentOfTheHeightUpFromTheBottomEdge)
{
    const PixelRect plot{57, 15, 865, 338};
    EXPECT_EQ(horizontalAxisRow(plot, 0), plot.bottom());
    EXPECT_EQ(horizontalAxisRow(plot, 100), plot.top);
    EXPECT_EQ(horizontalAxisRow(plot, 50), plot.bottom() - 169);
    // IRN 25: 90.909 % of 338 is 307.27 pixels.
    EXPECT_EQ(horizontalAxisRow(plot, groundPercent(25)), plot.bottom() - 307);
}

TEST(Mapping, WholePixelsRoundHalvesAwayFromZero)
{
    const std::array<double, 9> positions{2.5, -2.5, 3.5, -0.4, 0.49999999999999994, -0.5, 1e8 + 0.5, 7, -7.75};
    for (const double p : positions) EXPECT_EQ(wholePixel(p), static_cast<int>(std::round(p))) << p;
    EXPECT_EQ(wholePixel(std::numeric_limits<double>::quiet_NaN()), -1'000'000'000);
    EXPECT_EQ(wholePixel(1e300), 1'000'000'000);
}

TEST(Mapping, EndsLandOnTheEdgesInWholePixels)
{
    const AxisMapping x(0, 300, 57, 865, false);
    EXPECT_EQ(x.pixel(0), 57);
    EXPECT_EQ(x.pixel(300), 57 + 865);
    EXPECT_EQ(x.pixel(150), 57 + 433);  // 432.5 rounds away from zero
    EXPECT_DOUBLE_EQ(x.value(x.position(123.25)), 123.25);
    const AxisMapping y(-50, 5, 353, 338, true);
    EXPECT_EQ(y.pixel(-50), 353);
    EXPECT_EQ(y.pixel(5), 353 - 338);
    // Far values stay far, without overflow; an empty range maps onto the start.
    EXPECT_LT(x.pixel(-1e300), -1'000'000);
    EXPECT_GT(y.pixel(-1e300), 1'000'000);
    EXPECT_EQ(AxisMapping(0, 0, 57, 865, false).pixel(12), 57);
}

// --- Reduction ------------------------------------------------------------------

// The pixels of one plot, for comparing what two drawings cover.
class Bitmap {
public:
    explicit Bitmap(PixelRect area) : area_(area), bits_(static_cast<std::size_t>(area.width * area.height)) {}
    void set(int x, int y)
    {
        if (area_.contains(x, y)) bits_[static_cast<std::size_t>((y - area_.top) * area_.width + x - area_.left)] = 1;
    }
    void fill(PixelRect r)
    {
        for (int y = r.top; y < r.bottom(); ++y)
            for (int x = r.left; x < r.right(); ++x) set(x, y);
    }
    // A one-pixel line from a to b, both ends included.
    void line(PixelPoint a, PixelPoint b)
    {
        const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
        const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            set(a.x, a.y);
            if (a == b) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                a.x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                a.y += sy;
            }
        }
    }
    void polyline(const std::vector<PixelPoint>& pts)
    {
        for (std::size_t i = 1; i < pts.size(); ++i) line(pts[i - 1], pts[i]);
    }
    [[nodiscard]] std::size_t count() const
    {
        std::size_t n = 0;
        for (const char b : bits_) n += b;
        return n;
    }
    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    PixelRect area_;
    std::vector<char> bits_;
};

// A plot where whole values are whole pixels: x = column - 57, y = 353 - row.
const PixelRect kPlot{57, 15, 865, 338};
const AxisMapping kX(0, 865, 57, 865, false);
const AxisMapping kY(0, 338, 353, 338, true);

TEST(BarReduction, CoversExactlyThePixelsOfEveryBar)
{
    const PixelRect clip = seriesClip(kPlot);
    const AxisMapping y(-200, 138, 353, 338, true);  // the ground at row 153
    struct Case {
        const char* name;
        std::size_t bars;
        int width;
        double xFrom, xTo;  // bar positions, in pixels from the left edge
    };
    const std::array<Case, 4> cases{{
        {"few wide bars merging", 10, 56, 0, 300},
        {"one bar per slot", 300, 2, 0, 865},
        {"far more bars than columns", 50'000, 1, -20, 885},
        {"bars beyond both edges", 500, 6, -400, 1300},
    }};
    std::mt19937 rng(7);
    BarReducer reducer;
    std::vector<PixelRect> reduced;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::uniform_real_distribution<double> xs(c.xFrom, c.xTo);
        std::uniform_real_distribution<double> ys(-400, 300);  // also beyond both ends
        std::vector<ChartPoint> points;
        for (std::size_t i = 0; i < c.bars; ++i) points.push_back({xs(rng), ys(rng)});
        points.push_back({100, 0});  // a bar of no height shows nothing

        reducer.reduce(points, kX, y, c.width, clip, reduced);
        EXPECT_LE(reduced.size(), static_cast<std::size_t>(clip.width));

        Bitmap want(clip), got(clip);
        for (const ChartPoint& p : points) {
            const int cx = kX.pixel(p.x);
            const int ground = y.pixel(0), top = y.pixel(p.y);
            want.fill(PixelRect{cx - c.width / 2, std::min(ground, top), c.width, std::abs(top - ground)});
        }
        for (const PixelRect& r : reduced) got.fill(r);
        EXPECT_GT(want.count(), 0U);
        EXPECT_TRUE(got == want);
    }
}

TEST(LineReduction, CoversTheSamePixelsWithAtMostFourPointsPerColumn)
{
    const PixelRect clip = seriesClip(kPlot);
    const int far = 100'000;
    std::mt19937 rng(11);

    // A dense random walk inside the plot: many points per column.
    std::vector<ChartPoint> walk;
    {
        std::normal_distribution<double> dy(0, 3);
        double v = 170;
        for (int i = 0; i < 300'000; ++i) {
            v = std::clamp(v + dy(rng), 0.0, 338.0);
            walk.push_back({std::floor(i * 865.0 / 300'000), std::round(v)});
        }
        walk.insert(walk.begin() + 1000, {std::numeric_limits<double>::quiet_NaN(), 0});
    }
    // Excursions far out of the plot, leaving and coming back along a row or
    // a column, and once around a corner, where nothing of them shows.
    std::vector<ChartPoint> excursions{
        {10, 100}, {10, far}, {10, 50}, {20, 50}, {20, -far}, {20, 200},  // up and down, out and back
        {30, 200}, {-far, 200}, {-far, -far}, {40, -far}, {40, 120},       // out left, back from below
        {865, 120}, {far, 120}, {far, far}, {500, far}, {500, 300},        // out right, back from above
        {600, 300}, {600, 10},
    };

    struct Case {
        const char* name;
        const std::vector<ChartPoint>* points;
    };
    const std::array<Case, 2> cases{{{"dense walk", &walk}, {"excursions", &excursions}}};
    std::vector<PixelPoint> reduced;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reducePolyline(*c.points, kX, kY, clip, reduced);

        std::vector<PixelPoint> raw;
        for (const ChartPoint& p : *c.points)
            if (!std::isnan(p.x)) raw.push_back({kX.pixel(p.x), kY.pixel(p.y)});
        Bitmap want(clip), got(clip);
        want.polyline(raw);
        got.polyline(reduced);
        EXPECT_TRUE(got == want);

        const int guard = chart_look::kLineGuard;
        std::vector<int> perColumn(static_cast<std::size_t>(clip.width + 2 * guard));
        for (const PixelPoint& p : reduced) {
            ASSERT_GE(p.x, clip.left - guard);
            ASSERT_LT(p.x, clip.right() + guard);
            ASSERT_GE(p.y, clip.top - guard);
            ASSERT_LT(p.y, clip.bottom() + guard);
            ++perColumn[static_cast<std::size_t>(p.x - clip.left + guard)];
        }
        // Apart from the columns of the box's sides, where the line waits
        // out of sight, no column holds more than four points.
        for (std::size_t i = 1; i + 1 < perColumn.size(); ++i) EXPECT_LE(perColumn[i], 4) << "column " << i;
    }
}

TEST(LineReduction, AShortLineKeepsEveryPoint)
{
    const std::vector<ChartPoint> points{{0, 10}, {100, 200}, {300, 20}, {300, 80}, {865, 0}};
    std::vector<PixelPoint> reduced;
    reducePolyline(points, kX, kY, seriesClip(kPlot), reduced);
    const std::vector<PixelPoint> expected{{57, 343}, {157, 153}, {357, 333}, {357, 273}, {922, 353}};
    EXPECT_EQ(reduced, expected);
    reducePolyline(std::vector<ChartPoint>{{5, 5}}, kX, kY, seriesClip(kPlot), reduced);
    EXPECT_LE(reduced.size(), 1U);  // a single point is no segment
}

// --- Series known to be in ascending x ---------------------------------------------

// `n` points in ascending x, as the sweep appends them: x = xOf(i), and y
// a random walk between `low` and `high` in steps of about `step`.
template <class XOf>
std::vector<ChartPoint> walkAlong(std::size_t n, XOf xOf, double low, double high, double step, std::mt19937& rng)
{
    std::normal_distribution<double> dy(0, step);
    std::vector<ChartPoint> points;
    double y = (low + high) / 2;
    for (std::size_t i = 0; i < n; ++i) {
        y = std::clamp(y + dy(rng), low, high);
        points.push_back({xOf(i), y});
    }
    return points;
}

// x from `from` to `to` in `n` equal steps.
auto evenly(double from, double to, std::size_t n)
{
    return [=](std::size_t i) { return from + (to - from) * static_cast<double>(i) / static_cast<double>(n); };
}

// Reduced by search, a series in ascending x gives exactly the rectangles
// and the polyline that mapping every point gives, wherever its points lie:
// dense or sparse, inside the box or beyond any of its sides, on the
// boundaries between columns, many to one x, at infinities, on axes of
// whole and of fractional pixels per unit and on axes of no width.
TEST(OrderedReduction, GivesExactlyWhatMappingEveryPointGives)
{
    const double inf = std::numeric_limits<double>::infinity();
    std::mt19937 rng(23);
    struct Case {
        const char* name;
        std::vector<ChartPoint> points;
    };
    std::vector<Case> cases;
    cases.push_back({"dense, inside", walkAlong(300'000, evenly(0, 865, 300'000), 0, 338, 3, rng)});
    cases.push_back(
        {"dense, through the top and the bottom", walkAlong(200'000, evenly(0, 865, 200'000), -150, 500, 25, rng)});
    cases.push_back(
        {"beyond the left and the right", walkAlong(100'000, evenly(-3000, 4000, 100'000), -50, 400, 10, rng)});
    cases.push_back({"sparse", walkAlong(301, evenly(0, 865, 300), 0, 338, 20, rng)});
    const auto steps = [](std::size_t i) { return 7.3 * static_cast<double>(i / 997); };
    cases.push_back({"many points to one x", walkAlong(100'000, steps, -10, 348, 8, rng)});
    cases.push_back({"on the half pixels", walkAlong(4'000, evenly(-2, 998, 4'000), -5, 343, 2, rng)});
    {
        std::vector<ChartPoint> far = walkAlong(20'000, evenly(-10, 875, 20'000), -20, 358, 15, rng);
        far.front() = {-inf, 100};
        far[1] = {-1e300, -inf};
        far[10'000].y = inf;
        far[10'001].y = -1e300;
        far[far.size() - 2] = {1e300, 50};
        far.back() = {inf, inf};
        cases.push_back({"far and infinite", std::move(far)});
    }
    cases.push_back({"one point", {{400, 100}}});
    cases.push_back({"none", {}});

    const PixelRect clip = seriesClip(kPlot);
    struct Axes {
        const char* name;
        AxisMapping x, y;
    };
    const std::array<Axes, 4> axes{{
        {"whole pixels", kX, kY},
        {"fractional pixels", AxisMapping(0, 300, 57, 865, false), AxisMapping(-50, 5, 353, 338, true)},
        {"a horizontal axis of no width", AxisMapping(100, 100, 57, 865, false), kY},
        {"a vertical axis of no width", kX, AxisMapping(5, 5, 353, 338, true)},
    }};
    BarReducer pointByPoint, bySearch;
    std::vector<PixelRect> barsWant, barsGot;
    std::vector<PixelPoint> lineWant, lineGot;
    for (const Case& c : cases) {
        for (const Axes& a : axes) {
            SCOPED_TRACE(testing::Message() << c.name << ", " << a.name);
            reducePolyline(c.points, a.x, a.y, clip, lineWant, PointOrder::Any);
            reducePolyline(c.points, a.x, a.y, clip, lineGot, PointOrder::Ascending);
            ASSERT_EQ(lineGot.size(), lineWant.size());
            EXPECT_TRUE(lineGot == lineWant);
            for (const int width : {1, 2, 6, 56}) {
                pointByPoint.reduce(c.points, a.x, a.y, width, clip, barsWant, PointOrder::Any);
                bySearch.reduce(c.points, a.x, a.y, width, clip, barsGot, PointOrder::Ascending);
                ASSERT_EQ(barsGot.size(), barsWant.size()) << "bars " << width << " wide";
                EXPECT_TRUE(barsGot == barsWant) << "bars " << width << " wide";
            }
        }
    }
}

// --- Series in the layout -------------------------------------------------------

TEST(SeriesLayout, MarkerLeftOfTheAxisStartIsNotDrawnAtAll)
{
    struct Case {
        double x;
        bool drawn;
    };
    const std::array<Case, 5> cases{{{2, true}, {0, true}, {-2, false}, {-3, false}, {-1e-9, false}}};
    for (const Case& c : cases) {
        Chart chart;
        setAxesAsAtStart(chart, 25);
        chart.Series4.AddXY(c.x, 3.8);
        ChartLayout layout;
        layout.update(chart, 951, 390, FixedMetrics{});
        const SeriesGeometry& marker = layout.series()[3];
        ASSERT_EQ(marker.series, &chart.Series4);
        EXPECT_EQ(marker.discs.size(), c.drawn ? 1U : 0U) << "x = " << c.x;
    }
}

// A point moved out of order by XValue leaves its series unordered, and
// the layout then maps every point: the line still jumps out to the moved
// point and back, and the moved bar stands where it was put.
TEST(SeriesLayout, SeriesPutOutOfOrderIsStillDrawnRight)
{
    Chart chart;
    setAxesAsAtStart(chart, 25);
    for (int i = 0; i <= 30'000; ++i) {
        const double x = i * 0.01;
        chart.Series1.AddXY(x, 1 + std::sin(x));
        chart.Series2.AddXY(x, -20 - 5 * std::sin(x * 3));
    }
    chart.Series1.setXValue(5'000, 280);  // from x = 50
    chart.Series1.setYValue(5'000, 4);
    chart.Series2.setXValue(10'000, 250);  // from x = 100
    ASSERT_FALSE(chart.Series1.ordered());
    ASSERT_FALSE(chart.Series2.ordered());

    ChartLayout layout;
    layout.update(chart, 951, 390, FixedMetrics{});
    const ChartFrame& f = layout.frame();
    const std::span<const SeriesGeometry> s = layout.series();

    Bitmap wantBars(f.clip), gotBars(f.clip);
    const int ground = f.y.pixel(0);
    const int w = std::max(f.bars.width, 1);
    for (const ChartPoint& p : chart.Series1.points()) {
        const int top = f.y.pixel(p.y);
        wantBars.fill(PixelRect{f.x.pixel(p.x) - w / 2, std::min(ground, top), w, std::abs(top - ground)});
    }
    for (const PixelRect& r : s[0].bars) gotBars.fill(r);
    EXPECT_TRUE(gotBars == wantBars);

    std::vector<PixelPoint> raw;
    for (const ChartPoint& p : chart.Series2.points()) raw.push_back({f.x.pixel(p.x), f.y.pixel(p.y)});
    Bitmap wantLine(f.clip), gotLine(f.clip);
    wantLine.polyline(raw);
    gotLine.polyline(s[1].line);
    EXPECT_TRUE(gotLine == wantLine);
}

TEST(SeriesLayout, LongSeriesReduceToThePlotsColumns)
{
    Chart chart;
    setAxesAsAtStart(chart, 25);
    chart.BottomAxis.setMaximum(1'000'000);
    for (int i = 1; i <= 1'000'000; ++i) {
        chart.Series1.AddXY(i, 1 + (i % 7) * 0.1);
        chart.Series2.AddXY(i, -20 - (i % 13));
    }
    ChartLayout layout;
    layout.update(chart, 951, 390, FixedMetrics{});
    const ChartFrame& f = layout.frame();
    EXPECT_EQ(f.bars.width, 0);  // the rule's width; each bar still shows as a column
    const std::span<const SeriesGeometry> s = layout.series();
    EXPECT_LE(s[0].bars.size(), static_cast<std::size_t>(f.clip.width));
    EXPECT_FALSE(s[0].bars.empty());
    EXPECT_LE(s[1].line.size(), static_cast<std::size_t>(4 * (f.clip.width + 2 * chart_look::kLineGuard)));
    EXPECT_GT(s[1].line.size(), static_cast<std::size_t>(f.plot.width));
}

}  // namespace
}  // namespace tarvinel
