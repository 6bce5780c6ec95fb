#include "model/sweep.hpp"

#include <optional>
#include <string>

#include "model/curves.hpp"
#include "numeric/real.hpp"
#include "view/chart.hpp"
#include "view/conversions.hpp"

namespace tarvinel {

namespace {

// What stays the same for every station of one tick, each worked out when
// the first station needs it, so that a fault still arises at the station
// and step where it belongs.
struct TickConstants {
    Real advanceExponent;    // 1 / r
    Real recessionExponent;  // 1 / RecessionExp
    std::optional<double> headLevel;     // (Td - Clock) * 2 / (Td - Ti), clamped at 0
    std::optional<Real> depletionSlope;  // (head level - 1.6) / L
    bool recessionPlaced = false;        // RecessionPos computed in this tick
    // No station can have receded: Clock <= Td, and every recession time,
    // a power of a positive base to an exponent in (0, 1] plus Td, is at
    // least Td and cannot fault. Its power, a third of the sweep's cost, is
    // then not computed at all.
    bool recessionAhead = false;
};

// ((s - 1) - RecessionPos) * 1.6 / (L - RecessionPos): a straight line from 0
// at the recession front to 1.6 at the tail.
Real behindRecession(const SimState& s, std::int32_t station)
{
    const Real fromFront = Real(static_cast<double>(station - 1)) - s.RecessionPos;
    return fromFront * 1.6_r / (Real(s.L) - s.RecessionPos);
}

// A level is stored first and then held at 0 from below.
double storedLevel(Real level)
{
    const double stored = store(level);
    return stored < 0.0 ? 0.0 : stored;
}

void visit(SimState& s, Chart& chart, TickConstants& tick, std::int32_t station)
{
    const Real x = static_cast<double>(station);
    const double xStored = static_cast<double>(station);

    // Advance bar: a wedge falling from 2 at s = -1 to 0 at the front minus one metre.
    if (s.Clock < s.Ti) {
        const Real bar = ((Real(s.FrontPos) - x) - 1.0) * 2.0 / s.FrontPos;
        chart.Series1.AddXY(xStored, store(bar));
    }

    Real recessionTime;
    bool receded = false;
    if (!tick.recessionAhead) {
        recessionTime = Power(x / s.RecessionCoef, tick.recessionExponent) + s.Td;
        receded = recessionTime < Real(s.Clock);
    }

    if (!receded) {
        s.StationOppTime = store(Real(s.Clock) - Power(x / s.p, tick.advanceExponent));
        if (s.StationOppTime <= 0.0) s.StationDepth = 0.0;
    }

    // After the cut-off the head level falls linearly from 2 at Ti to 0 at Td.
    if (s.Clock > s.Ti) {
        if (!tick.headLevel) tick.headLevel = storedLevel((Real(s.Td) - s.Clock) * 2.0 / (Real(s.Td) - s.Ti));
        s.SurfaceLevel = *tick.headLevel;
        s.MarkerX = -3.0;
        if (s.Clock < s.Td) {
            if (!tick.depletionSlope) tick.depletionSlope = (Real(s.SurfaceLevel) - 1.6_r) / s.L;
            const Real bar = *tick.depletionSlope * ((Real(s.L) - x) - 1.0) + 1.6_r;
            chart.Series1.AddXY(xStored, store(bar));
        }
    }

    std::optional<double> recededLevel;
    if (receded) {
        s.StationOppTime = store(recessionTime - Power(x / s.p, tick.advanceExponent));
        if (s.StationOppTime <= 0.0) s.StationDepth = 0.0;
        if (!tick.recessionPlaced) {
            s.RecessionPos = store(Power(Real(s.Clock) - s.Td, s.RecessionExp) * s.RecessionCoef);
            tick.recessionPlaced = true;
        }
        s.SurfaceLevel = storedLevel(behindRecession(s, station));
        recededLevel = s.SurfaceLevel;
        chart.Series1.AddXY(xStored, s.SurfaceLevel);
    }

    // Recession bar, with the front as this or an earlier tick placed it.
    if (s.Clock > s.Td && s.Clock <= s.Tr && s.RecessionPos < s.L) {
        if (Real(s.RecessionPos) + 1.0 < Real(s.L)) {
            s.SurfaceLevel = recededLevel ? *recededLevel : storedLevel(behindRecession(s, station));
        }
        chart.Series1.AddXY(xStored, s.SurfaceLevel);
    }

    if (s.StationOppTime > 0.0) s.StationDepth = store(Infiltration(s, s.StationOppTime));
    chart.Series2.AddXY(xStored, -s.StationDepth);
}

}  // namespace

void SweepProfiles(SimState& s, Chart& chart)
{
    TickConstants tick{1.0_r / s.r, 1.0_r / s.RecessionExp, {}, {}, false, false};
    // A coefficient of 0 or below, or another exponent, keeps the powers:
    // their faults must still be raised at station 1.
    tick.recessionAhead = s.Clock <= s.Td && s.RecessionCoef > 0.0 && tick.recessionExponent > 0.0_r &&
                          tick.recessionExponent <= 1.0_r;
    std::optional<std::int64_t> lastStation;
    while (s.StationOppTime >= 0.0) {
        if (!lastStation) lastStation = Round(s.L);
        if (s.Station > *lastStation) break;
        if (s.Station >= kMaxSweepStations) {
            throw Error(ErrorKind::ELimitExceeded,
                        "Run too long: more than " + std::to_string(kMaxSweepStations) +
                            " stations in one sweep");
        }
        ++s.Station;
        visit(s, chart, tick, s.Station);
    }
}

}  // namespace tarvinel
