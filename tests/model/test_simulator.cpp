#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/phase_times.hpp"
#include "model/sweep.hpp"
#include "numeric/real.hpp"
#include "simulator_fixture.hpp"

namespace tarvinel::testing {
namespace {

constexpr double k4 = 5e-5;  // worked values are given to four decimals

struct Expected {
    double x;
    double y;
};

void expectPoints(std::span<const ChartPoint> points, std::span<const Expected> expected)
{
    ASSERT_EQ(points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(points[i].x, expected[i].x) << "point " << i;
        EXPECT_NEAR(points[i].y, expected[i].y, k4) << "point " << i;
    }
}

// The y of the last point at station x.
double at(const Series& series, double x)
{
    for (auto it = series.points().rbegin(); it != series.points().rend(); ++it) {
        if (it->x == x) return it->y;
    }
    ADD_FAILURE() << "no point at x = " << x;
    return 0;
}

using StartUp = SimulatorTest;

TEST_F(StartUp, LeavesTheStateOfTheLayoutDefaults)
{
    EXPECT_EQ(s.Clock, 0.08333333333333333);
    EXPECT_EQ(text(EditBox::Edit9), "0");
    EXPECT_EQ(text(EditBox::Edit10), "");
    EXPECT_EQ(text(EditBox::Edit11), "");
    EXPECT_EQ(text(EditBox::Edit12), "0");
    EXPECT_EQ(s.IrrigationMode, Irrigation::Furrow);
    EXPECT_EQ(form.checkedMode(), Irrigation::Furrow);
    EXPECT_FALSE(form.timerEnabled());
    EXPECT_EQ(s.RecessionCoef, 80);
    EXPECT_EQ(s.RecessionExp, 1.5);
    EXPECT_EQ(s.MarkerY, 4);
    EXPECT_EQ(s.MarkerX, 0);
    EXPECT_NEAR(s.FrontPos, 3.33818432755, 1e-11);
    EXPECT_EQ(s.Ti, 0);
    EXPECT_EQ(s.ReqTime, 0);
    expectPoints(chart.Series3.points(), std::array{Expected{0, -25}, Expected{300, -25}});
    expectPoints(chart.Series4.points(), std::array{Expected{-2, 4}});
    EXPECT_EQ(chart.Series1.Count(), 0U);
    EXPECT_EQ(chart.Series2.Count(), 0U);
    EXPECT_EQ(chart.BottomAxis.Maximum(), 300);
    EXPECT_EQ(chart.LeftAxis.Minimum(), -50);
    EXPECT_NEAR(chart.BottomAxis.PositionPercent(), 90.9090909090909, 1e-12);
}

TEST(StartUpWithDecimalPoint, StopsAtTheFirstTextWithAComma)
{
    numberFormat() = NumberFormat{};  // "." as the decimal mark
    SimState s;
    Chart chart;
    HeadlessForm form{s};
    Simulator sim{s, chart, form};
    try {
        sim.FormCreate();
        FAIL() << "the comma in \"5,5\" should be refused";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::EConvertError);
        EXPECT_STREQ(e.what(), "'5,5' is not a valid floating point value");
    }
    // Steps up to the axis maximum are done; k and everything after are not.
    EXPECT_EQ(s.L, 300);
    EXPECT_EQ(s.Clock, 0.08333333333333333);
    EXPECT_EQ(s.k, 0);
    EXPECT_EQ(s.FrontPos, 0);
    EXPECT_EQ(s.AdvanceTime, 0);
    EXPECT_FALSE(form.timerEnabled());
    EXPECT_EQ(chart.BottomAxis.Maximum(), 300);
    EXPECT_EQ(chart.BottomAxis.PositionPercent(), 50);  // the layout's value
    EXPECT_EQ(chart.Series3.points()[1].x, 300);
    EXPECT_EQ(chart.Series3.points()[1].y, -25);
}

using Sweep = SimulatorTest;

TEST_F(Sweep, FirstTickAfterANewSimulation)
{
    newRun();
    ticks(1);
    EXPECT_EQ(s.Clock, 1.0 / 12.0);
    expectPoints(chart.Series1.points(), std::array{Expected{1, 0.8017}, Expected{2, 0.2026},
                                                    Expected{3, -0.3965}, Expected{4, -0.9956}});
    expectPoints(chart.Series2.points(), std::array{Expected{1, -3.1805}, Expected{2, -2.8587},
                                                    Expected{3, -2.1764}, Expected{4, 0.0}});
    EXPECT_EQ(s.Station, 4);
}

TEST_F(Sweep, ZeroOpportunityTimeDoesNotEndTheSweep)
{
    sim.Button3Click();
    set(EditBox::Edit8, "1200");  // one step of exactly one minute
    sim.Timer1Timer();
    ASSERT_EQ(s.Clock, 1.0);
    EXPECT_EQ(s.FrontPos, 29.0);
    ASSERT_EQ(chart.Series1.Count(), 30U);
    EXPECT_NEAR(at(chart.Series1, 28), 0.0, k4);
    EXPECT_NEAR(at(chart.Series1, 29), -0.0690, k4);
    EXPECT_NEAR(at(chart.Series1, 30), -0.1379, k4);
    EXPECT_EQ(at(chart.Series2, 29), -0.0);
    EXPECT_EQ(s.Station, 30);
}

TEST_F(Sweep, ProfilesThroughTheInflow)
{
    struct Case {
        int tick;
        std::size_t stations;
        std::array<Expected, 4> bars;
        std::array<Expected, 4> depths;
    };
    const std::array cases{
        Case{60, 118, {{{1, 1.9660}, {100, 0.2827}, {117, -0.0064}, {118, -0.0234}}},
             {{{1, -9.3149}, {100, -5.6217}, {117, -2.7483}, {118, 0.0}}}},
        Case{240, 301, {{{1, 1.9898}, {150, 1.2314}, {301, 0.4628}, {301, 0.4628}}},
             {{{1, -16.9638}, {150, -13.8997}, {301, -9.5069}, {301, -9.5069}}}},
    };
    newRun();
    int done = 0;
    for (const auto& c : cases) {
        ticks(c.tick - done);
        done = c.tick;
        EXPECT_EQ(chart.Series1.Count(), c.stations) << "tick " << c.tick;
        EXPECT_EQ(chart.Series2.Count(), c.stations) << "tick " << c.tick;
        for (const auto& p : c.bars) EXPECT_NEAR(at(chart.Series1, p.x), p.y, k4) << "tick " << c.tick;
        for (const auto& p : c.depths) EXPECT_NEAR(at(chart.Series2, p.x), p.y, k4) << "tick " << c.tick;
    }
}

TEST_F(Sweep, DepletionRecessionAndTheEndOfTheRun)
{
    newRun();
    ticks(600);  // Clock ~ 50, between Ti and Td
    EXPECT_NEAR(s.SurfaceLevel, 0.6685, k4);
    EXPECT_EQ(s.MarkerX, -3.0);
    EXPECT_NEAR(at(chart.Series1, 1), 0.6748, k4);
    EXPECT_NEAR(at(chart.Series1, 100), 0.9821, k4);
    EXPECT_NEAR(at(chart.Series1, 299), 1.6000, k4);
    EXPECT_NEAR(at(chart.Series1, 301), 1.6062, k4);

    ticks(16);  // the first recession tick, Clock ~ 51.3333
    EXPECT_NEAR(s.Clock, 51.3333, k4);
    EXPECT_NEAR(s.RecessionPos, 1.8038, k4);
    ASSERT_EQ(chart.Series1.Count(), 302U);
    const auto first = chart.Series1.points();
    EXPECT_EQ(first[0].x, 1);
    EXPECT_EQ(first[1].x, 1);
    EXPECT_EQ(first[0].y, 0.0);
    EXPECT_EQ(first[1].y, 0.0);
    EXPECT_EQ(first[2].y, 0.0);
    EXPECT_NEAR(first[3].y, 0.0011, k4);
    EXPECT_NEAR(first[301].y, 1.6000, k4);

    ticks(8);  // Clock ~ 52
    EXPECT_NEAR(s.RecessionPos, 51.5959, k4);
    ASSERT_EQ(chart.Series1.Count(), 352U);
    EXPECT_EQ(at(chart.Series1, 52), 0.0);
    EXPECT_NEAR(at(chart.Series1, 53), 0.0026, k4);
    EXPECT_NEAR(at(chart.Series1, 100), 0.3053, k4);
    EXPECT_NEAR(at(chart.Series1, 301), 1.6000, k4);
    EXPECT_NEAR(at(chart.Series2, 1), -29.9360, k4);

    ticks(20);  // the last tick before Tr, Clock ~ 53.6667
    EXPECT_NEAR(s.Clock, 53.6667, k4);
    EXPECT_NEAR(s.RecessionPos, 299.8920, k4);
    ASSERT_EQ(chart.Series1.Count(), 600U);
    for (const auto& p : chart.Series1.points()) EXPECT_EQ(p.y, 0.0);
    EXPECT_TRUE(form.timerEnabled());

    ticks(1);  // Clock ~ 53.75 >= Tr: the run ends
    EXPECT_FALSE(form.timerEnabled());
    EXPECT_EQ(chart.Series1.Count(), 0U);
    EXPECT_NEAR(at(chart.Series2, 1), -29.9360, k4);
    EXPECT_NEAR(at(chart.Series2, 300), -25.0159, k4);
    EXPECT_NEAR(at(chart.Series2, 301), -24.9953, k4);
    EXPECT_EQ(chart.Series3.Count(), 2U);
    EXPECT_EQ(chart.Series4.Count(), 1U);
    const int ticksSoFar = 645;
    ticks(5);  // the timer is off: nothing more happens
    EXPECT_NEAR(s.Clock, ticksSoFar / 12.0, 1e-9);
}

TEST_F(Sweep, ClockExactlyAtTiOrTdAppendsNoBar)
{
    newRun();
    ticks(600);
    for (const double when : {s.Ti, s.Td}) {
        s.Clock = when;
        UpdateAdvance(s);
        sweepAgain();
        EXPECT_EQ(chart.Series1.Count(), 0U) << "Clock = " << when;
        EXPECT_EQ(chart.Series2.Count(), 301U) << "Clock = " << when;
    }
}

TEST_F(Sweep, RoundedRunLengthBoundsTheLastStation)
{
    struct Case {
        const char* length;
        std::int32_t lastStation;
    };
    for (const auto& c : {Case{"300,5", 301}, Case{"301,5", 303}, Case{"0,3", 1}, Case{"0,5", 1}}) {
        newRun();
        set(EditBox::Edit2, c.length);
        ticks(240);  // the front is well past the tail
        EXPECT_EQ(s.Station, c.lastStation) << c.length;
        EXPECT_EQ(chart.Series2.points().back().x, c.lastStation) << c.length;
    }
}

TEST_F(Sweep, AVeryLongRunIsStoppedAtTheStationLimit)
{
    newRun();
    set(EditBox::Edit2, "1000000");
    set(EditBox::Edit7, "100000000");  // the front is far beyond the tail at once
    set(EditBox::Edit3, "500");        // and the inflow goes on
    const Error e = failingTick();
    EXPECT_EQ(e.kind(), ErrorKind::ELimitExceeded);
    EXPECT_STREQ(e.what(), "Run too long: more than 100001 stations in one sweep");
    EXPECT_EQ(s.Station, kMaxSweepStations);
    EXPECT_EQ(chart.Series2.Count(), static_cast<std::size_t>(kMaxSweepStations));
    set(EditBox::Edit2, "100000");  // 100 km still sweeps in full
    sim.Timer1Timer();
    EXPECT_EQ(s.Station, 100001);
}

// Before Td the sweep takes no station for receded without working out its
// recession time; a recession front that cannot be worked out is still
// reported at station 1, whatever the clock.
TEST_F(Sweep, AnImpossibleRecessionFrontFailsBeforeTdToo)
{
    struct Case {
        const char* name;
        double coefficient;
        double exponent;
        ErrorKind kind;
    };
    for (const auto& c : {Case{"zero coefficient", 0.0, 1.5, ErrorKind::EZeroDivide},
                          Case{"negative coefficient", -80.0, 1.5, ErrorKind::EInvalidOp},
                          Case{"recession time beyond the range", 0.5, 1e-5, ErrorKind::EOverflow}}) {
        RadioButton1Click(s);  // the furrow's constants back
        newRun();
        ticks(1);
        ASSERT_LT(s.Clock, s.Td);
        s.RecessionCoef = c.coefficient;
        s.RecessionExp = c.exponent;
        const Error e = failingTick();
        EXPECT_EQ(e.kind(), c.kind) << c.name;
        EXPECT_EQ(s.Station, 1) << c.name;
        EXPECT_EQ(chart.Series2.Count(), 0U) << c.name;
    }
}

// The same profiles whether or not the recession is worked out: a tick
// just before Td with the recession exponent 1, which keeps the shortcut
// on, and with 1 / 1.01, which turns it off without moving any front that
// matters (no station recedes before Td either way).
TEST_F(Sweep, ProfilesBeforeTdDoNotDependOnTheRecessionFront)
{
    newRun();
    ticks(610);  // Clock about 50.9, between Ti and Td
    ASSERT_GT(s.Clock, s.Ti);
    ASSERT_LT(s.Clock, s.Td);
    const auto sweepWith = [&](double exponent) {
        s.RecessionExp = exponent;
        sweepAgain();
        return std::vector<ChartPoint>(chart.Series2.points().begin(), chart.Series2.points().end());
    };
    const std::vector<ChartPoint> kept = sweepWith(1.0);
    const std::vector<ChartPoint> computed = sweepWith(1.0 / 1.01);
    ASSERT_EQ(kept.size(), computed.size());
    ASSERT_EQ(kept.size(), 301U);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i].x, computed[i].x);
        EXPECT_EQ(kept[i].y, computed[i].y) << "station " << kept[i].x;
    }
}

using Tick = SimulatorTest;

TEST_F(Tick, TimeBoxShowsWholeMinutesTiesToEven)
{
    newRun();
    std::vector<std::string> shown;
    for (int i = 0; i < 54; ++i) {
        sim.Timer1Timer();
        shown.push_back(text(EditBox::Edit9));
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(shown[i], "0") << "tick " << i + 1;
    EXPECT_EQ(shown[6], "1");
    EXPECT_EQ(shown[29], "2");  // Clock = 2.5 exactly
    EXPECT_EQ(shown[41], "4");  // Clock = 3.5000000000000018
    EXPECT_EQ(shown[53], "5");  // Clock = 4.500000000000001
    EXPECT_EQ(s.Clock, 4.500000000000001);
}

TEST_F(Tick, MarkerFallsInACycleOfSeventeenTicksUntilTheCutOff)
{
    newRun();
    std::vector<std::array<double, 2>> marker;
    for (int i = 0; i < 34; ++i) {
        sim.Timer1Timer();
        marker.push_back({s.MarkerX, s.MarkerY});
        EXPECT_EQ(chart.Series4.points()[0].x, s.MarkerX);
        EXPECT_EQ(chart.Series4.points()[0].y, s.MarkerY);
    }
    EXPECT_EQ(marker[0][1], 3.8);
    EXPECT_EQ(marker[1][1], 3.5999999999999996);
    EXPECT_EQ(marker[13][1], 1.1999999999999986);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(marker[i][0], 2.0) << "tick " << i + 1;
    EXPECT_EQ(marker[14][1], 4.4);
    EXPECT_EQ(marker[15][1], 4.2);
    EXPECT_EQ(marker[16][1], 4.0);
    for (int i = 14; i < 17; ++i) EXPECT_EQ(marker[i][0], -2.0) << "tick " << i + 1;
    for (int i = 0; i < 17; ++i) EXPECT_EQ(marker[i + 17], marker[i]) << "tick " << i + 18;

    ticks(600 - 34);  // past the cut-off the sweep parks the marker out of sight
    for (int i = 0; i < 20; ++i) {
        ticks(1);
        EXPECT_EQ(s.MarkerX, -3.0);
    }
}

TEST_F(Tick, SpeedZeroHoldsTheClockAndANegativeSpeedRunsItBack)
{
    newRun();
    ticks(12);
    set(EditBox::Edit8, "0");
    const double clock = s.Clock;
    const std::vector<ChartPoint> depths(chart.Series2.points().begin(), chart.Series2.points().end());
    ticks(30);
    EXPECT_EQ(s.Clock, clock);
    EXPECT_TRUE(form.timerEnabled());
    EXPECT_EQ(chart.Series2.Count(), depths.size());
    EXPECT_NE(s.MarkerY, 4.0 - 0.2);  // the marker keeps falling meanwhile

    set(EditBox::Edit8, "-100");
    ticks(6);
    EXPECT_NEAR(s.Clock, clock - 0.5, 1e-12);

    // Right after a reset the clock at 0 leaves the front at 0: the first
    // bar divides by it.
    set(EditBox::Edit8, "0");
    sim.Button3Click();
    EXPECT_EQ(failingTick().kind(), ErrorKind::EZeroDivide);
    // Running below zero: the power of a negative clock.
    set(EditBox::Edit8, "-100");
    EXPECT_EQ(failingTick().kind(), ErrorKind::EInvalidOp);
}

TEST_F(Tick, StartTwiceDoesNotRunTheClockTwiceAsFast)
{
    newRun();
    sim.Button1Click();
    ticks(12);
    EXPECT_NEAR(s.Clock, 1.0, 1e-12);
}

TEST_F(Tick, StopKeepsEverythingAndStartGoesOnFromTheClockReached)
{
    newRun();
    ticks(24);
    sim.Button2Click();
    EXPECT_FALSE(form.timerEnabled());
    const double clock = s.Clock;
    ticks(10);
    EXPECT_EQ(s.Clock, clock);
    sim.Button2Click();  // stopping a stopped run does nothing
    sim.Button1Click();
    EXPECT_EQ(s.MarkerX, 2.0);
    ticks(1);
    EXPECT_NEAR(s.Clock, clock + 1.0 / 12, 1e-12);
}

TEST_F(Tick, NewSimulationInEveryRunState)
{
    // Running, after the cut-off: the run goes on from 0, the marker stays
    // parked until its cycle brings it back.
    newRun();
    ticks(600);
    sim.Button3Click();
    EXPECT_TRUE(form.timerEnabled());
    EXPECT_EQ(s.Clock, 0);
    EXPECT_EQ(s.ReqTime, 0);
    EXPECT_EQ(chart.Series1.Count(), 0U);
    EXPECT_EQ(chart.Series4.points()[0].x, -2.0);
    EXPECT_EQ(text(EditBox::Edit10), "47,5035223695729");  // old values until the next tick
    ticks(1);
    EXPECT_EQ(text(EditBox::Edit9), "0");
    EXPECT_EQ(s.Clock, 1.0 / 12);
    EXPECT_EQ(s.ReqTime, 38.99999999999992);
    for (int i = 2; i <= 17; ++i) {
        ticks(1);
        EXPECT_LT(s.MarkerX, 0) << "tick " << i;
    }
    ticks(1);
    EXPECT_EQ(s.MarkerX, 2.0);

    // Stopped: stays stopped.
    sim.Button2Click();
    sim.Button3Click();
    EXPECT_FALSE(form.timerEnabled());

    // After the run ended: the depth profile goes, the boxes keep their values.
    sim.Button1Click();
    ticks(700);
    ASSERT_FALSE(form.timerEnabled());
    EXPECT_GT(chart.Series2.Count(), 0U);
    sim.Button3Click();
    EXPECT_EQ(chart.Series2.Count(), 0U);
    EXPECT_EQ(text(EditBox::Edit11), "53,667245831087");
    EXPECT_FALSE(form.timerEnabled());
}

TEST_F(Tick, StartAfterTheEndRunsOneMoreTick)
{
    newRun();
    ticks(700);
    ASSERT_FALSE(form.timerEnabled());
    const double clock = s.Clock;
    sim.Button1Click();
    ticks(3);
    EXPECT_EQ(s.Clock, store(Real::exact(1.0L / 12) * 100.0 / 100.0 + clock));
    EXPECT_FALSE(form.timerEnabled());
    EXPECT_EQ(chart.Series1.Count(), 0U);
}

TEST_F(Tick, FailuresEndTheTickAtTheirStep)
{
    struct Case {
        const char* name;
        EditBox box;
        const char* text;
        ErrorKind kind;
        const char* message;
    };
    const std::array cases{
        Case{"IRN", EditBox::Edit3, "abc", ErrorKind::EConvertError, "'abc' is not a valid floating point value"},
        Case{"v", EditBox::Edit8, "", ErrorKind::EConvertError, "'' is not a valid floating point value"},
        Case{"L", EditBox::Edit2, "3OO", ErrorKind::EConvertError, "'3OO' is not a valid floating point value"},
        Case{"k", EditBox::Edit4, "5.5", ErrorKind::EConvertError, "'5.5' is not a valid floating point value"},
        Case{"r", EditBox::Edit1, "x", ErrorKind::EConvertError, "'x' is not a valid floating point value"},
        Case{"negative L", EditBox::Edit2, "-1", ErrorKind::AxisException, "Axis Maximum Value must be >= Minimum"},
        Case{"IRN below -2.5", EditBox::Edit3, "-3", ErrorKind::AxisException,
             "Axis Minimum Value must be <= Maximum"},
        Case{"IRN = -2.5", EditBox::Edit3, "-2,5", ErrorKind::EZeroDivide, "Floating point division by zero"},
        Case{"L beyond a double", EditBox::Edit2, "1E400", ErrorKind::EOverflow, "Floating point overflow"},
        Case{"L beyond the stations' integers", EditBox::Edit2, "1E19", ErrorKind::EInvalidOp,
             "Invalid floating point operation"},
    };
    for (const auto& c : cases) {
        newRun();
        ticks(24);
        set(c.box, c.text);
        const Error e = failingTick();
        EXPECT_EQ(e.kind(), c.kind) << c.name;
        EXPECT_EQ(e.message(), c.message) << c.name;
        EXPECT_TRUE(form.timerEnabled()) << c.name;  // the next tick tries again
        set(c.box, std::string(defaultText(c.box)).c_str());
    }
}

TEST_F(Tick, WhatAFailingTickLeavesDone)
{
    newRun();
    ticks(24);
    const double clock = s.Clock;
    const double markerY = s.MarkerY;

    set(EditBox::Edit3, "abc");  // IRN: the marker moves, the clock does not
    (void)failingTick();
    EXPECT_EQ(s.Clock, clock);
    EXPECT_NE(s.MarkerY, markerY);
    EXPECT_EQ(chart.Series4.points()[0].y, s.MarkerY);

    set(EditBox::Edit3, "30");
    set(EditBox::Edit8, "?");  // v: IRN is taken
    (void)failingTick();
    EXPECT_EQ(s.IRN, 30);
    EXPECT_EQ(s.Clock, clock);

    set(EditBox::Edit8, "100");
    set(EditBox::Edit2, "");  // L: the clock advances and is shown
    (void)failingTick();
    EXPECT_NEAR(s.Clock, clock + 1.0 / 12, 1e-12);
    EXPECT_EQ(text(EditBox::Edit9), "2");

    set(EditBox::Edit2, "400");
    set(EditBox::Edit6, "0.348");  // TIE: axes set, both profiles cleared, k and a taken
    set(EditBox::Edit4, "6");
    (void)failingTick();
    EXPECT_EQ(chart.BottomAxis.Maximum(), 400);
    EXPECT_EQ(chart.LeftAxis.Minimum(), -60);
    EXPECT_EQ(chart.Series1.Count(), 0U);
    EXPECT_EQ(chart.Series2.Count(), 0U);
    EXPECT_EQ(s.k, 6);
    EXPECT_EQ(s.TIE, 0.348);  // unchanged: the read failed
    EXPECT_EQ(chart.Series3.points()[1].x, 300);  // the line is placed after the reads

    set(EditBox::Edit6, "0,348");  // corrected: the profiles come back
    sim.Timer1Timer();
    EXPECT_GT(chart.Series2.Count(), 0U);
    EXPECT_EQ(chart.Series3.points()[1].x, 400);
}

TEST_F(Tick, LengtheningTheRunWidensAxisSweepAndLine)
{
    newRun();
    ticks(240);
    set(EditBox::Edit2, "400");
    ticks(1);
    EXPECT_EQ(chart.BottomAxis.Maximum(), 400);
    EXPECT_EQ(chart.Series3.points()[1].x, 400);
    EXPECT_GT(s.Station, 301);
}

using Modes = SimulatorTest;

TEST_F(Modes, FaixaThenSulcoBringsTheFurrowCoefficientBack)
{
    form.checkModeButton(Irrigation::Border);
    newRun();
    ticks(1);
    EXPECT_NEAR(s.RecessionCoef, 4.3223403129, 1e-10);
    form.checkModeButton(Irrigation::Border);  // already checked: nothing runs
    s.RecessionCoef = 1.25;
    form.checkModeButton(Irrigation::Border);
    EXPECT_EQ(s.RecessionCoef, 1.25);
    form.checkModeButton(Irrigation::Furrow);
    EXPECT_EQ(s.RecessionCoef, 80);
    EXPECT_EQ(s.IrrigationMode, Irrigation::Furrow);
}

}  // namespace
}  // namespace tarvinel::testing
