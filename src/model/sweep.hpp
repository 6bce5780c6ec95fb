// The profile sweep: once per tick the run is walked one metre at a time,
// from station 1 on, and the two profiles of the current Clock are drawn:
// the surface water as bars on Series1 and the infiltrated depth, negated,
// on Series2.
//
// Before the cut-off Ti the water is a wedge that thins toward the advance
// front; between Ti and Td the level at the head falls to zero; after Td a
// recession front RecessionCoef * (Clock - Td)^RecessionExp moves down the
// run and the stations behind it are dry. The depth at a station is the
// infiltration over the time water stood on it: since the advance reached
// it, or, once the recession has passed, between the two fronts.
//
// The sweep ends after the first station the advance has not reached
// (a negative opportunity time) or after station Round(L) + 1.
#pragma once

#include <cstdint>

#include "model/sim_state.hpp"

namespace tarvinel {

class Chart;

// The most stations one sweep visits: runs up to 100 km are drawn in full.
// Beyond it the sweep raises ELimitExceeded, which keeps a tick short and the
// chart's memory modest, and keeps Station far from wrapping round.
inline constexpr std::int32_t kMaxSweepStations = 100001;

// Expects Station = 0, StationOppTime = 0, SurfaceLevel = 2 and both
// profiles emptied, with the phase times of this tick computed.
void SweepProfiles(SimState& s, Chart& chart);

}  // namespace tarvinel
