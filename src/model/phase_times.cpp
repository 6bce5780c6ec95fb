#include "model/phase_times.hpp"

#include <string>

#include "model/curves.hpp"
#include "numeric/real.hpp"

namespace tarvinel {

namespace {

// The time (x / p)^(1 / r) that the advance front needs to reach x metres.
// The two quotients are formed in this order, so that p = 0 is reported
// before r = 0.
Real advanceTimeTo(const SimState& s, Real x)
{
    const Real base = x / s.p;
    const Real exponent = 1.0_r / s.r;
    return Power(base, exponent);
}

void searchReqTime(SimState& s)
{
    // Every step is stored, so the rounding to double accumulates: 780 steps
    // of 0.05 end at 38.99999999999992, not 39.
    std::int32_t steps = 0;
    while (s.ReqTimeDepth <= s.IRN) {
        if (++steps > kMaxSearchSteps) {
            throw Error(ErrorKind::ELimitExceeded,
                        "Required depth not reached within " + std::to_string(kMaxSearchSteps) +
                            " search steps");
        }
        s.ReqTime = store(s.ReqTime + 0.05_r);
        s.ReqTimeDepth = store(Infiltration(s, s.ReqTime));
    }
}

void furrowRule(SimState& s)
{
    s.CutoffLead = store(0.003_r * s.L);
    const Real headWet = advanceTimeTo(s, s.L) + s.ReqTime;
    const Real recession = Power(Real(s.L) / 80.0, Real::exact(2.0L / 3.0L));
    s.Td = store(headWet - recession);
}

// Recession time of a border strip, s, from the mean infiltration rate in
// mm/min (divided by 60000 it is in m/s).
Real recessionSpan(const SimState& s)
{
    const Real lengthTerm = Power(s.L, 0.6829_r) * 0.009_r;
    return lengthTerm / Power(Real(s.MeanInfiltrationRate) / 60000.0, 0.65243_r);
}

void borderRule(SimState& s)
{
    const Real rateExponent = Real(s.a) - 1.0;
    Real span;
    std::int32_t passes = 0;
    while (Real(s.EstimateChange) >= 0.01_r) {
        if (++passes > kMaxDepletionPasses) {
            throw Error(ErrorKind::ELimitExceeded,
                        "Depletion time not settled within " +
                            std::to_string(kMaxDepletionPasses) + " passes");
        }
        // Mean of the infiltration rates at the head, under water for the
        // estimate, and at the tail, reached AdvanceTime later.
        const Real head = Power(s.DepletionEstimate, rateExponent);
        const Real tail = Power(Real(s.DepletionEstimate) - s.AdvanceTime, rateExponent);
        s.MeanInfiltrationRate = store((tail + head) * ((0.5_r * s.k) * s.a) + s.TIE);
        span = recessionSpan(s);
        s.Td = store(Real(s.Tr) * 60.0 - span);  // seconds while iterating
        s.EstimateChange = store(abs(Real(s.DepletionEstimate) - Real(s.Td) / 60.0));
        s.DepletionEstimate = store(Real(s.Td) / 60.0);
    }
    s.Td = store(Real(s.Td) / 60.0);
    s.CutoffLead = store(0.008_r * s.L);
    // The span of the last pass, from the final rate; with exponent 1.5 the
    // recession front reaches L exactly span / 60 minutes after Td.
    s.RecessionCoef = store(Real(s.L) / Power(span / 60.0, 1.5));
    s.DepletionDepth = store(Infiltration(s, s.Td));
    if (s.DepletionDepth < s.IRN) {
        s.Td = s.ReqTime;
        const Real base = Real(s.L) / s.RecessionCoef;
        const Real exponent = 1.0_r / s.RecessionExp;
        s.Tr = store(Power(base, exponent) + s.Td);
    }
}

}  // namespace

void UpdateAdvance(SimState& s)
{
    s.FrontPos = store(Power(s.Clock, s.r) * s.p);
    s.AdvanceTime = store(advanceTimeTo(s, s.L));
}

void UpdatePhaseTimes(SimState& s)
{
    searchReqTime(s);
    s.Tr = store(Real(s.ReqTime) + s.AdvanceTime);
    s.DepletionEstimate = s.Tr;
    s.EstimateChange = 1.0;
    if (s.IrrigationMode == Irrigation::Furrow) {
        furrowRule(s);
    } else {
        borderRule(s);
    }
    s.Ti = store(Real(s.Td) - (Real(s.CutoffLead) * 1000.0) / 240.0);
}

}  // namespace tarvinel
