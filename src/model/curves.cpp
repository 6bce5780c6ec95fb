#include "model/curves.hpp"

#include <cstdint>

namespace tarvinel {

namespace {

constexpr long double kMaxWholeExponent = 2147483647.0L;

Real wholePower(Real base, std::uint32_t n)
{
    // The bits of n from the lowest up; the square is squared only while a
    // higher set bit remains, so no needless product can overflow.
    Real product = 1.0_r;
    Real square = base;
    for (;;) {
        if ((n & 1U) != 0U) product = product * square;
        n >>= 1U;
        if (n == 0U) return product;
        square = square * square;
    }
}

}  // namespace

Real Power(Real base, Real exponent)
{
    const long double e = exponent.value();
    if (std::floor(e) == e && std::fabs(e) <= kMaxWholeExponent) {
        const auto n = static_cast<std::uint32_t>(std::fabs(e));
        if (n == 0U) return 1.0_r;
        const Real product = wholePower(base, n);
        return e < 0.0L ? 1.0_r / product : product;
    }
    if (base == 0.0_r) return 0.0_r;
    if (base < 0.0_r) raiseInvalidOp();
    const Real scaled = exponent * Real::exact(std::log2(base.value()));
    return Real::checked(std::exp2(scaled.value()));
}

Real Infiltration(const SimState& s, double t)
{
    const Real curve = Power(t, s.a) * s.k;
    return curve + Real(s.TIE) * t;
}

}  // namespace tarvinel
