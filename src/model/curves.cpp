#include "model/curves.hpp"

#include <cstdint>

namespace tarvinel {

namespace {

constexpr long double kMaxWholeExponent = 2147483647.0L;

// log2 and exp2 straight from the x87 instructions that the C library's
// log2l and exp2l are built on, with the same results to the last bit, at
// half their cost: the library's wrappers (errno, special cases that the
// callers here have already excluded) doubled the price of every curve.
//
// log2(x) for a finite x > 0: FYL2X forms 1 * log2(x) and pops the 1.
long double log2Extended(long double x) noexcept
{
    long double result;
    asm("fyl2x" : "=t"(result) : "0"(x), "u"(1.0L) : "st(1)");
    return result;
}

// 2^x for a finite x: 2^(x - n) by F2XM1, whose argument must lie within
// [-1, 1], scaled by 2^n by FSCALE, with n the nearest whole number to x.
// Beyond the extended range FSCALE gives an infinity or zero.
long double exp2Extended(long double x) noexcept
{
    long double n;
    asm("frndint" : "=t"(n) : "0"(x));
    long double fraction = x - n;  // exact, within [-0.5, 0.5]
    long double belowOne;
    asm("f2xm1" : "=t"(belowOne) : "0"(fraction));
    long double result;
    asm("fscale" : "=t"(result) : "0"(belowOne + 1.0L), "u"(n));
    return result;
}

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
    const Real scaled = exponent * Real::exact(log2Extended(base.value()));
    return Real::checked(exp2Extended(scaled.value()));
}

Real Infiltration(const SimState& s, double t)
{
    const Real curve = Power(t, s.a) * s.k;
    return curve + Real(s.TIE) * t;
}

}  // namespace tarvinel
