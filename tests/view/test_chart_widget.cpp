#include "view/chart_widget.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <cmath>
#include <memory>
#include <ostream>
#include <random>
#include <vector>

#include "view/chart.hpp"
#include "view/chart_layout.hpp"

// Colours in failure messages.
void PrintTo(const QColor& c, std::ostream* os) { *os << "RGB(" << c.red() << ", " << c.green() << ", " << c.blue() << ")"; }

namespace tarvinel {
namespace {

constexpr QSize kChartSize{951, 390};
const QColor kBar(68, 102, 163);
const QColor kDepth(243, 156, 53);
const QColor kRequired(0, 128, 0);
const QColor kMarker(0, 64, 128);

// The axes as a tick leaves them for IRN 25 mm on a run 300 m long.
void setAxesForRun(Chart& chart)
{
    chart.BottomAxis.setMaximum(300);
    chart.LeftAxis.setMinimum(-50);
    chart.BottomAxis.setPositionPercent(100 - 500.0 / 55);
}

QImage render(ChartPainter& painter, const Chart& chart)
{
    QImage image(kChartSize, QImage::Format_RGB32);
    image.fill(Qt::magenta);  // whatever the chart leaves unpainted shows
    QPainter p(&image);
    painter.paint(p, chart, kChartSize);
    return image;
}

QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

int countColour(const QImage& image, PixelRect area, const QColor& colour)
{
    int n = 0;
    for (int y = area.top; y < area.bottom(); ++y)
        for (int x = area.left; x < area.right(); ++x) n += at(image, x, y) == colour;
    return n;
}

TEST(ChartPainting, ShowsGroundBarsDepthRequiredDepthAndMarker)
{
    Chart chart;
    setAxesForRun(chart);
    for (int s = 1; s <= 100; ++s) chart.Series1.AddXY(s, 1.6);
    for (int s = 1; s <= 301; ++s) chart.Series2.AddXY(s, -30 + 0.01 * s);
    chart.Series3.AddXY(0, -25);
    chart.Series3.AddXY(300, -25);
    chart.Series4.AddXY(2, 3.8);

    ChartPainter painter;
    const QImage image = render(painter, chart);
    const ChartFrame& f = painter.layout().frame();
    const AxisMapping& x = f.x;
    const AxisMapping& y = f.y;

    // White inside, a thin border around.
    EXPECT_EQ(at(image, 0, 0), Qt::black);
    EXPECT_EQ(at(image, 950, 389), Qt::black);
    EXPECT_EQ(at(image, 1, 200), Qt::white);
    EXPECT_EQ(at(image, f.plot.right() - 5, f.plot.top + 40), Qt::white);

    // The ground line: the horizontal axis, 2 pixels on the row of y = 0,
    // where no bar stands and between two ticks.
    const int ground = f.axisRow;
    EXPECT_EQ(ground, y.pixel(0));
    const int c203 = x.pixel(203);
    EXPECT_EQ(at(image, c203, ground - 1), Qt::white);
    EXPECT_EQ(at(image, c203, ground), Qt::black);
    EXPECT_EQ(at(image, c203, ground + 1), Qt::black);
    EXPECT_EQ(at(image, c203, ground + 2), Qt::white);

    // A bar: from its top down to the ground line, W = 2 pixels wide
    // (301 depth points: 2 pixels a slot, 70 % rounds to 1, raised to 2).
    ASSERT_EQ(f.bars.width, 2);
    const int c50 = x.pixel(50), top = y.pixel(1.6);
    EXPECT_EQ(at(image, c50, top - 1), Qt::white);
    for (int row = top; row < ground; ++row) {
        EXPECT_EQ(at(image, c50 - 1, row), kBar) << "row " << row;
        EXPECT_EQ(at(image, c50, row), kBar) << "row " << row;
    }
    EXPECT_EQ(at(image, c50, ground), Qt::black);  // the ground line stays visible under the bars
    const int c100 = x.pixel(100);
    EXPECT_EQ(at(image, c100, top), kBar);  // the last bar ends at its column
    EXPECT_EQ(at(image, c100 + 1, top), Qt::white);

    // The infiltrated depth, 3 pixels thick, below the ground line.
    const int c200 = x.pixel(200), depth = y.pixel(-28);
    EXPECT_GT(depth, ground);
    EXPECT_EQ(at(image, c200, depth - 2), Qt::white);
    for (int row = depth - 1; row <= depth + 1; ++row) EXPECT_EQ(at(image, c200, row), kDepth) << "row " << row;
    EXPECT_EQ(at(image, c200, depth + 2), Qt::white);

    // The required depth: a dotted green line 3 pixels thick.
    const int required = y.pixel(-25);
    const PixelRect requiredRow{f.plot.left + 10, required, f.plot.width - 20, 1};
    const int green = countColour(image, requiredRow, kRequired);
    EXPECT_GT(green, requiredRow.width / 5);
    EXPECT_LT(green, requiredRow.width * 3 / 4);
    EXPECT_EQ(countColour(image, {requiredRow.left, required - 1, requiredRow.width, 3}, kRequired), 3 * green);
    EXPECT_EQ(countColour(image, {requiredRow.left, required - 2, requiredRow.width, 1}, kRequired), 0);

    // The marker at x = 2: a disc 16 across.
    const int mx = x.pixel(2), my = y.pixel(3.8);
    EXPECT_EQ(at(image, mx, my), kMarker);
    EXPECT_EQ(at(image, mx + 6, my), kMarker);
    EXPECT_EQ(at(image, mx, my + 7), kMarker);
    EXPECT_EQ(at(image, mx, my - 7), kMarker);
    EXPECT_EQ(at(image, mx + 10, my), Qt::white);
    EXPECT_EQ(at(image, mx, my + 10), Qt::white);

    // The legend: one row at (325, 1), each symbol in its series's colour.
    const std::vector<LegendEntry>& legend = f.legend;
    ASSERT_EQ(legend.size(), 4U);
    EXPECT_EQ(f.legendBox.left, 325);
    EXPECT_EQ(f.legendBox.top, 1);
    const std::array<QColor, 4> symbolColours{kBar, kDepth, kRequired, kMarker};
    for (std::size_t i = 0; i < legend.size(); ++i) {
        EXPECT_EQ(legend[i].symbol.top, legend[0].symbol.top);
        if (i > 0) {
            EXPECT_GT(legend[i].symbol.left, legend[i - 1].text.right());
        }
        EXPECT_GT(countColour(image, legend[i].symbol, symbolColours[i]), 0) << "entry " << i;
    }

    // At x = -2 nothing of the marker shows, not even what would reach in.
    chart.Series4.setXValue(0, -2);
    const QImage hidden = render(painter, chart);
    const PixelRect aroundMarker{f.clip.left, my - 12, 24, 24};
    EXPECT_GT(countColour(image, aroundMarker, kMarker), 100);
    EXPECT_EQ(countColour(hidden, aroundMarker, kMarker), 0);
    EXPECT_GT(x.pixel(-2) + chart_look::kMarkerRadius, f.plot.left);  // the disc would have reached in
}

TEST(ChartPainting, EverythingIsClippedToThePlotWidenedByAPixel)
{
    Chart chart;
    setAxesForRun(chart);
    chart.Series1.AddXY(150, 100);  // far above the top
    chart.Series1.AddXY(301, 2);    // the station beyond the run's end
    chart.Series2.AddXY(100, -20);  // down through the bottom edge
    chart.Series2.AddXY(200, -500);
    ChartPainter painter;
    const QImage image = render(painter, chart);
    const ChartFrame& f = painter.layout().frame();
    const int c = f.x.pixel(150);
    EXPECT_EQ(at(image, c, f.plot.top - 1), kBar);
    EXPECT_NE(at(image, c, f.plot.top - 2), kBar);
    const PixelRect across{0, 0, kChartSize.width(), 1};
    EXPECT_GT(countColour(image, {across.left, f.plot.bottom() + 1, across.width, 1}, kDepth), 0);
    EXPECT_EQ(countColour(image, {across.left, f.plot.bottom() + 2, across.width, 1}, kDepth), 0);
    EXPECT_EQ(countColour(image, {f.plot.right() + 1, 0, kChartSize.width() - f.plot.right() - 1, 390}, kBar), 0);
}

// A dense series drawn reduced covers the pixels that drawing every
// segment covers.
TEST(ChartPainting, ReducedLongLineLooksLikeEverySegmentDrawn)
{
    Chart dense;
    setAxesForRun(dense);
    std::mt19937 rng(3);
    std::normal_distribution<double> step(0, 0.4);
    double depth = -20;
    std::vector<ChartPoint> points;
    for (int i = 0; i < 200'000; ++i) {
        depth = std::clamp(depth + step(rng), -60.0, 0.0);  // now and then below the axis's end
        dense.Series2.AddXY(i * 300.0 / 200'000, depth);
    }

    ChartPainter painter;
    const QImage reduced = render(painter, dense);
    const ChartFrame f = painter.layout().frame();
    ASSERT_LT(painter.layout().series()[1].line.size(), 4U * 900U);

    Chart empty;
    setAxesForRun(empty);
    ChartPainter plain;
    QImage full = render(plain, empty);
    {
        QPainter p(&full);
        p.setClipRect(QRect(f.clip.left, f.clip.top, f.clip.width, f.clip.height));
        std::vector<QPoint> all;
        for (const ChartPoint& q : dense.Series2.points()) all.emplace_back(f.x.pixel(q.x), f.y.pixel(q.y));
        drawThickPolyline(p, all, 3, kDepth);
    }
    int differ = 0;
    for (int yy = 0; yy < kChartSize.height(); ++yy)
        for (int xx = 0; xx < kChartSize.width(); ++xx) differ += at(reduced, xx, yy) != at(full, xx, yy);
    EXPECT_EQ(differ, 0);
}

// Series known to be in ascending x are reduced by search: painted, they do
// not differ by one pixel from the same points reduced one by one.
TEST(ChartPainting, SeriesInOrderPaintAsThoughEveryPointWereMapped)
{
    struct Case {
        const char* name;
        int stations;      // points of each series, from x = 0 on
        double spacing;    // between stations, m
        double barHeight;  // amplitude of the bars around 2 mm
        double depth;      // amplitude of the depth around -30 mm
    };
    const std::array<Case, 5> cases{{
        {"few wide bars", 10, 1, 1, 2},
        {"a default run", 302, 1, 0.5, 3},  // the last station beyond the run
        {"up through the top, down through the bottom", 3'000, 0.1, 20, 40},
        {"dense", 200'000, 0.0015, 1.5, 8},
        {"denser than the columns, beyond the run", 400'000, 0.001, 1, 5},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Chart ordered, unordered;
        for (Chart* chart : {&ordered, &unordered}) {
            setAxesForRun(*chart);
            for (int i = 0; i < c.stations; ++i) {
                const double x = i * c.spacing;
                chart->Series1.AddXY(x, 2 + c.barHeight * std::sin(x * 0.9));
                chart->Series2.AddXY(x, -30 + c.depth * std::sin(x * 2.3) * std::cos(x * 0.05));
            }
        }
        // A y set to NaN and back leaves the same points, no longer known
        // to be in order.
        for (Series* s : {&unordered.Series1, &unordered.Series2}) {
            const double y = s->points()[0].y;
            s->setYValue(0, std::nan(""));
            s->setYValue(0, y);
        }
        ASSERT_TRUE(ordered.Series1.ordered() && ordered.Series2.ordered());
        ASSERT_FALSE(unordered.Series1.ordered() || unordered.Series2.ordered());

        ChartPainter a, b;
        const QImage bySearch = render(a, ordered);
        const QImage pointByPoint = render(b, unordered);
        int differ = 0;
        for (int yy = 0; yy < kChartSize.height(); ++yy)
            for (int xx = 0; xx < kChartSize.width(); ++xx) differ += at(bySearch, xx, yy) != at(pointByPoint, xx, yy);
        EXPECT_EQ(differ, 0);
        EXPECT_GT(countColour(bySearch, a.layout().frame().clip, kBar), 0);
        EXPECT_GT(countColour(bySearch, a.layout().frame().clip, kDepth), 0);
    }
}

// --- The widget ---------------------------------------------------------------

void send(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), QPointF(w.mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

void drag(QWidget& w, Qt::MouseButton button, QPoint from, QPoint to)
{
    send(w, QEvent::MouseButtonPress, from, button, button);
    send(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    send(w, QEvent::MouseMove, to, Qt::NoButton, button);
    send(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

struct Ranges {
    double bottomMin, bottomMax, leftMin, leftMax;
};
Ranges rangesOf(const Chart& c)
{
    return {c.BottomAxis.Minimum(), c.BottomAxis.Maximum(), c.LeftAxis.Minimum(), c.LeftAxis.Maximum()};
}
void expectRanges(const Chart& c, Ranges r)
{
    EXPECT_DOUBLE_EQ(c.BottomAxis.Minimum(), r.bottomMin);
    EXPECT_DOUBLE_EQ(c.BottomAxis.Maximum(), r.bottomMax);
    EXPECT_DOUBLE_EQ(c.LeftAxis.Minimum(), r.leftMin);
    EXPECT_DOUBLE_EQ(c.LeftAxis.Maximum(), r.leftMax);
}

class ChartWidgetTest : public testing::Test {
protected:
    ChartWidgetTest()
    {
        setAxesForRun(chart);
        widget.resize(kChartSize);
    }
    Chart chart;
    ChartWidget widget{chart};
};

TEST_F(ChartWidgetTest, LeftDragToTheRightZoomsAndToTheLeftUndoes)
{
    const Ranges before = rangesOf(chart);
    const ChartFrame f = widget.currentFrame();
    drag(widget, Qt::LeftButton, {300, 100}, {500, 250});
    expectRanges(chart, {f.x.value(300), f.x.value(500), f.y.value(250), f.y.value(100)});
    EXPECT_TRUE(widget.isZoomed());

    // A second zoom goes deeper; one undo goes all the way back.
    drag(widget, Qt::LeftButton, {100, 300}, {200, 200});
    EXPECT_LT(chart.BottomAxis.Maximum() - chart.BottomAxis.Minimum(), f.x.value(500) - f.x.value(300));
    drag(widget, Qt::LeftButton, {500, 250}, {400, 100});
    expectRanges(chart, before);
    EXPECT_FALSE(widget.isZoomed());

    // With no zoom in force, a drag to the left changes nothing.
    drag(widget, Qt::LeftButton, {500, 250}, {400, 100});
    expectRanges(chart, before);
}

TEST_F(ChartWidgetTest, OnlyDragsOfMoreThanSixteenPixelsEachWayCount)
{
    struct Case {
        int dx, dy;
        bool zooms;
    };
    const std::array<Case, 6> cases{{
        {17, 17, true}, {17, -17, true}, {16, 100, false}, {100, 16, false}, {100, -16, false}, {0, 0, false}}};
    const Ranges before = rangesOf(chart);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "drag " << c.dx << ", " << c.dy);
        const QPoint from{400, 200};
        const ChartFrame f = widget.currentFrame();
        drag(widget, Qt::LeftButton, from, from + QPoint(c.dx, c.dy));
        if (c.zooms) {
            expectRanges(chart, {f.x.value(400), f.x.value(400 + c.dx), f.y.value(200 + std::max(c.dy, 0)),
                                 f.y.value(200 + std::min(c.dy, 0))});
            drag(widget, Qt::LeftButton, {400, 200}, {300, 100});  // undo
        }
        expectRanges(chart, before);
    }
}

TEST_F(ChartWidgetTest, RightDragScrollsBothAxesWithThePointer)
{
    const ChartFrame f = widget.currentFrame();
    const double perColumn = 300.0 / f.plot.width;
    const double perRow = 55.0 / f.plot.height;
    send(widget, QEvent::MouseButtonPress, {400, 200}, Qt::RightButton, Qt::RightButton);
    send(widget, QEvent::MouseMove, {450, 230}, Qt::NoButton, Qt::RightButton);
    send(widget, QEvent::MouseButtonRelease, {450, 230}, Qt::RightButton, Qt::NoButton);
    // The content follows the pointer: 50 columns right, 30 rows down.
    expectRanges(chart, {-50 * perColumn, 300 - 50 * perColumn, -50 + 30 * perRow, 5 + 30 * perRow});
    drag(widget, Qt::LeftButton, {500, 250}, {400, 100});
    expectRanges(chart, {0, 300, -50, 5});
}

TEST_F(ChartWidgetTest, RepaintsOnceAfterChangesAndLetsGoOfTheChart)
{
    widget.show();
    // Drain the events until the widget has painted (no waiting: the
    // offscreen platform paints from posted events).
    const auto settle = [&] {
        for (int i = 0; i < 20 && chart.needsRepaint(); ++i) QApplication::processEvents();
    };
    settle();
    ASSERT_FALSE(chart.needsRepaint());

    chart.Series1.AddXY(10, 1);
    chart.BottomAxis.setMaximum(200);
    EXPECT_TRUE(chart.needsRepaint());
    settle();
    EXPECT_FALSE(chart.needsRepaint());

    {
        Chart other;
        auto shortLived = std::make_unique<ChartWidget>(other);
        shortLived.reset();
        other.repainted();
        other.Series1.AddXY(1, 1);  // no listener left behind to call
        EXPECT_TRUE(other.needsRepaint());
    }
}

}  // namespace
}  // namespace tarvinel
