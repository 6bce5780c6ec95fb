// The curves on which the whole model rests.
//
//   Infiltration(t) = k * t^a + TIE * t      depth in mm infiltrated after t minutes
//   advance front   = p * t^r                metres down the run after t minutes
//
// Both are built on Power, the real power of the simulator's arithmetic.
#pragma once

#include "model/sim_state.hpp"
#include "numeric/real.hpp"

namespace tarvinel {

// Base^Exponent with 64-bit significands.
//
// A whole Exponent of magnitude up to 2^31 - 1 is done by binary
// exponentiation, so any base is allowed (Power(-2, 3) = -8, Power(x, 0) = 1);
// a negative whole Exponent is 1 over that product, which makes Power(0, -n)
// a division by zero. Any other Exponent goes by 2^(Exponent * log2 Base):
// a zero base gives 0, a negative base is an invalid operation.
[[nodiscard]] Real Power(Real base, Real exponent);

// Cumulative infiltration after t minutes under water, mm, with the current
// k, a and TIE: Power(t, a) * k + TIE * t, the two products formed first.
[[nodiscard]] Real Infiltration(const SimState& s, double t);

}  // namespace tarvinel
