// The advance of the water front and the three phase times of an irrigation:
//
//   Ti  inflow cut-off
//   Td  depletion: the water has left the head of the run
//   Tr  end of recession: the water has left the whole run
//
// In furrow mode the recession takes (L / 80)^(2/3) minutes whatever the soil.
// In border mode it depends on the mean infiltration rate of the run, and Td
// is found by a fixed-point iteration (the depletion iteration); when the
// head would then receive less than IRN, the head is kept under water for
// exactly ReqTime instead (the fallback).
#pragma once

#include <cstdint>

#include "model/sim_state.hpp"

namespace tarvinel {

// Bounds on the two loops that nothing else ends. Ordinary inputs stay far
// below them (a bare Kostiakov curve, TIE = 0, needs 38,808 search steps; the
// iteration settles in a few dozen passes); reaching one raises
// ELimitExceeded and ends the tick, which then returns in a few milliseconds.
inline constexpr std::int32_t kMaxSearchSteps = 60000;
inline constexpr std::int32_t kMaxDepletionPasses = 5000;

// FrontPos := p * Clock^r; AdvanceTime := (L / p)^(1 / r).
void UpdateAdvance(SimState& s);

// Steps the search for ReqTime on from where the last call left it, then
// derives Tr, Td and Ti by the rule of the current mode. Expects the
// parameters re-read and AdvanceTime computed by UpdateAdvance in the same tick.
void UpdatePhaseTimes(SimState& s);

}  // namespace tarvinel
