// The real arithmetic of the simulator.
//
// Every formula is evaluated in the order it is written, on intermediates
// with a 64-bit significand (x87 extended precision, `long double` on
// x86-64), rounded to nearest. A result is rounded to an IEEE double only
// when it is stored into a field, and that store is written `store(...)`.
//
// Faults never become values: an invalid operation, a division by zero and
// an overflow raise the matching `Error` at the operation that causes them,
// so no infinity or NaN ever reaches a field. Underflow, subnormals and
// inexact results pass silently.
//
// `Real` converts implicitly from a stored double (it enters a formula
// unchanged) but never back: forgetting `store` is a compile error. Decimal
// constants without an exact binary value must be written with the `_r`
// suffix (`0.05_r`), which takes their nearest 64-bit-significand value; a
// plain `0.05` would be the nearest double instead.
#pragma once

#include <cmath>
#include <limits>

#include "numeric/errors.hpp"

static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384,
              "Tarvinel needs long double to be the x87 80-bit extended format");

namespace tarvinel {

class Real {
public:
    constexpr Real() noexcept = default;
    // NOLINTNEXTLINE(google-explicit-constructor): a stored double enters a formula as it is
    constexpr Real(double stored) noexcept : v_(stored) {}
    static constexpr Real exact(long double v) noexcept { return Real(v, Tag{}); }

    [[nodiscard]] constexpr long double value() const noexcept { return v_; }

    friend Real operator+(Real a, Real b) { return checked(a.v_ + b.v_); }
    friend Real operator-(Real a, Real b) { return checked(a.v_ - b.v_); }
    friend Real operator*(Real a, Real b) { return checked(a.v_ * b.v_); }
    friend Real operator/(Real a, Real b)
    {
        if (b.v_ == 0.0L) [[unlikely]] {
            if (a.v_ == 0.0L) raiseInvalidOp();
            raiseZeroDivide();
        }
        return checked(a.v_ / b.v_);
    }
    friend constexpr Real operator-(Real a) noexcept { return Real(-a.v_, Tag{}); }

    friend constexpr bool operator==(Real a, Real b) noexcept { return a.v_ == b.v_; }
    friend constexpr auto operator<=>(Real a, Real b) noexcept { return a.v_ <=> b.v_; }

    // Turns the raw result of an operation into a Real, raising the fault it
    // reveals. Operands are always finite, so a NaN is an invalid operation and
    // an infinity an overflow.
    static Real checked(long double r)
    {
        if (!std::isfinite(r)) [[unlikely]] {
            if (std::isnan(r)) raiseInvalidOp();
            raiseOverflow();
        }
        return Real(r, Tag{});
    }

private:
    struct Tag {};
    constexpr Real(long double v, Tag) noexcept : v_(v) {}
    long double v_ = 0.0L;
};

// A decimal constant at its nearest 64-bit-significand value: 0.05_r.
constexpr Real operator""_r(long double v) noexcept { return Real::exact(v); }
constexpr Real operator""_r(unsigned long long v) noexcept
{
    return Real::exact(static_cast<long double>(v));
}

// The store of a result into a double field: rounded to nearest, and an
// overflow when the value lies beyond the range of a double.
inline double store(Real x)
{
    const double d = static_cast<double>(x.value());
    if (std::isinf(d)) [[unlikely]] raiseOverflow();
    return d;
}

inline Real abs(Real x) noexcept { return Real::exact(std::fabs(x.value())); }

}  // namespace tarvinel
