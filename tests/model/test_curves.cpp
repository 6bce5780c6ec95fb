#include "model/curves.hpp"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

namespace tarvinel {
namespace {

struct PowerCase {
    const char* name;
    long double base;
    long double exponent;
    long double expected;
};

TEST(Power, WholeAndFractionalExponents)
{
    constexpr std::array cases{
        PowerCase{"negative base, odd power", -2, 3, -8},
        PowerCase{"negative base, even power", -3, 2, 9},
        PowerCase{"zero exponent on zero", 0, 0, 1},
        PowerCase{"zero exponent on a negative", -7.5L, 0, 1},
        PowerCase{"negative whole exponent", 2, -3, 0.125L},
        PowerCase{"one is the base itself", 10.3448275862L, 1, 10.3448275862L},
        PowerCase{"zero to a fraction", 0, 0.5L, 0},
        PowerCase{"zero to a negative fraction", 0, -0.87L, 0},
        PowerCase{"square root", 16, 0.5L, 4},
        PowerCase{"2^31 - 1 by squaring", 1, 2147483647.0L, 1},
        PowerCase{"beyond 2^31 by logarithms", 1, 2147483648.0L, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Power(Real::exact(c.base), Real::exact(c.exponent)).value(), c.expected) << c.name;
    }
}

TEST(Power, FaultsOfTheRealPower)
{
    const auto kindOf = [](long double base, long double exponent) {
        try {
            (void)Power(Real::exact(base), Real::exact(exponent));
        } catch (const Error& e) {
            return e.kind();
        }
        return ErrorKind::ELimitExceeded;  // stands for "no error"
    };
    EXPECT_EQ(kindOf(0, -1), ErrorKind::EZeroDivide);
    EXPECT_EQ(kindOf(0, -4), ErrorKind::EZeroDivide);
    EXPECT_EQ(kindOf(-2, 0.5L), ErrorKind::EInvalidOp);
    EXPECT_EQ(kindOf(-2, 4294967296.0L), ErrorKind::EInvalidOp);  // whole, but beyond 2^31
    EXPECT_EQ(kindOf(10, 5000), ErrorKind::EOverflow);
    EXPECT_EQ(kindOf(10, 5000.5L), ErrorKind::EOverflow);
    EXPECT_EQ(kindOf(10, -5000.5L), ErrorKind::ELimitExceeded);  // underflows to 0 silently
}

// A fractional exponent goes by 2^(Exponent * log2 Base) on the x87
// instructions themselves; the results must be those of the C library's
// log2l and exp2l to the last bit, over the bases and exponents the curves
// meet and far beyond them, subnormal and overflowing results included.
TEST(Power, FractionalExponentsAgreeWithTheLibraryToTheLastBit)
{
    const auto library = [](long double base, long double exponent) {
        return std::exp2(exponent * std::log2(base));
    };
    constexpr std::array<long double, 8> kExponents{0.2L, 0.87L, 1.0L / 0.87L, 2.0L / 3.0L, 0.6829L,
                                                    0.65243L, 1.5L, -0.8L};
    std::uint64_t seed = 12345;
    const auto uniform = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<long double>(seed >> 11) / 9007199254740992.0L;  // [0, 1)
    };
    int compared = 0;
    for (int i = 0; i < 40000; ++i) {
        // Bases from 2^-60 to 2^60, and now and then from the ends of the range.
        const long double base =
            std::exp2(i % 97 == 0 ? (uniform() - 0.5L) * 32000.0L : (uniform() - 0.5L) * 120.0L);
        const long double exponent = i % 5 == 0 ? (uniform() - 0.5L) * 40.0L : kExponents[i % kExponents.size()];
        if (std::floor(exponent) == exponent) continue;
        const long double expected = library(base, exponent);
        if (!std::isfinite(expected)) {
            EXPECT_THROW((void)Power(Real::exact(base), Real::exact(exponent)), Error) << base << " " << exponent;
            continue;
        }
        ASSERT_EQ(Power(Real::exact(base), Real::exact(exponent)).value(), expected)
            << "Power(" << base << ", " << exponent << ")";
        ++compared;
    }
    EXPECT_GT(compared, 30000);
}

TEST(Infiltration, KostiakovLewisCurve)
{
    SimState s;
    s.k = 5.5;
    s.a = 0.2;
    s.TIE = 0.348;
    EXPECT_NEAR(store(Infiltration(s, 0.05)), 3.0384, 1e-4);
    EXPECT_EQ(store(Infiltration(s, 0.0)), 0.0);
    s.a = 1.0;  // a straight line then: (k + TIE) * t
    EXPECT_EQ(store(Infiltration(s, 2.0)), 11.696);
}

}  // namespace
}  // namespace tarvinel
