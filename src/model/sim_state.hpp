// The one record of the simulation: the eight parameters the user types, the
// irrigation mode with its recession constants, the simulated clock, the
// phase times with their working values, the working values of the profile
// sweep and the inflow marker.
//
// Units: times in minutes, lengths along the run in metres, depths in
// millimetres. Every real field is an IEEE double; formulas are evaluated as
// `Real`s and rounded when stored (numeric/real.hpp). Every field is zero
// until the start-up set-up runs.
#pragma once

#include <cstdint>

namespace tarvinel {

// The kind of field run: a furrow ("Sulco") or a border strip ("Faixa").
enum class Irrigation { Furrow, Border };

struct SimState {
    // Parameters, re-read from their edit boxes at start-up and at every tick.
    double k = 0;    // Kostiakov-Lewis coefficient, mm per min^a
    double a = 0;    // Kostiakov-Lewis exponent
    double TIE = 0;  // steady infiltration rate, mm/min
    double p = 0;    // advance coefficient, m per min^r
    double r = 0;    // advance exponent
    double L = 0;    // length of the run, m
    double IRN = 0;  // net irrigation requirement, mm
    double v = 0;    // simulation speed, % (a tick is v/100 of 1/12 min)

    // Mode of the run and the recession front RecessionCoef * (t - Td)^RecessionExp.
    Irrigation IrrigationMode = Irrigation::Furrow;
    double RecessionCoef = 0;                      // m per min^RecessionExp
    double RecessionExp = 0;

    double Clock = 0;        // simulated time since the inflow started, min
    double FrontPos = 0;     // advance front at Clock, m (not limited to L)
    double AdvanceTime = 0;  // time the front needs to reach L, min

    // Search for the infiltration time after which IRN is exceeded; carried
    // from tick to tick, reset only at start-up and by a new simulation.
    double ReqTime = 0;       // min, a sum of steps of 0.05
    double ReqTimeDepth = 0;  // Infiltration(ReqTime), mm

    double Ti = 0;  // inflow cut-off, min
    double Td = 0;  // depletion: water gone from the head of the run, min
    double Tr = 0;  // end of recession: water gone from the whole run, min

    double CutoffLead = 0;            // Td - Ti = CutoffLead * 1000 / 240
    double DepletionEstimate = 0;     // border mode: estimate of Td, min
    double EstimateChange = 0;        // border mode: last change of the estimate, min
    double MeanInfiltrationRate = 0;  // border mode: mean of head and tail rates, mm/min
    double DepletionDepth = 0;        // border mode: Infiltration(Td), mm

    // Working values of the station-by-station sweep of the run.
    std::int32_t Station = 0;   // station being visited, whole metres from the head
    double StationOppTime = 0;  // infiltration opportunity time there, min
    double StationDepth = 0;    // infiltrated depth there, mm
    double SurfaceLevel = 0;    // height of the surface-water bar (display value)
    double RecessionPos = 0;    // recession front, m; carried from tick to tick

    double MarkerX = 0;  // inflow marker: 2 shown, -2 between two falls, -3 after cut-off
    double MarkerY = 0;
};

// The mode buttons' handlers: "Sulco" (furrow) and "Faixa" (border strip).
// Each runs only when its button becomes checked, and touches nothing else.
void RadioButton1Click(SimState& s);
void RadioButton2Click(SimState& s);

}  // namespace tarvinel
