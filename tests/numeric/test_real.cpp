#include "numeric/real.hpp"

#include <cfloat>
#include <gtest/gtest.h>

namespace tarvinel {
namespace {

ErrorKind kindOf(auto&& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.kind();
    }
    ADD_FAILURE() << "no error raised";
    return ErrorKind::EConvertError;
}

TEST(Real, IntermediatesKeepASixtyFourBitSignificand)
{
    // 0.1 + 0.2 in double rounds to 0.30000000000000004; in extended
    // precision, stored once, it rounds to 0.3.
    EXPECT_EQ(store(Real(0.1) + 0.2), 0.30000000000000004);
    EXPECT_EQ(store(0.1_r + 0.2_r), 0.3);
    // 1e308 * 10 / 10 survives in extended range and comes back to a double.
    EXPECT_EQ(store(Real(1e308) * 10.0 / 10.0), 1e308);
    // A decimal constant is its nearest extended value, not the double's.
    EXPECT_NE((0.05_r).value(), static_cast<long double>(0.05));
}

TEST(Real, FaultsRaiseTheirErrorAtTheStep)
{
    EXPECT_EQ(kindOf([] { (void)(0.0_r / 0.0_r); }), ErrorKind::EInvalidOp);
    EXPECT_EQ(kindOf([] { (void)(1.0_r / 0.0_r); }), ErrorKind::EZeroDivide);
    EXPECT_EQ(kindOf([] { (void)(-1.0_r / Real(-0.0)); }), ErrorKind::EZeroDivide);
    const Real huge = Real::exact(LDBL_MAX);
    EXPECT_EQ(kindOf([&] { (void)(huge * 2.0); }), ErrorKind::EOverflow);
    EXPECT_EQ(kindOf([&] { (void)(huge + huge); }), ErrorKind::EOverflow);
    EXPECT_EQ(kindOf([&] { (void)(-huge - huge); }), ErrorKind::EOverflow);
    EXPECT_EQ(kindOf([] { (void)store(Real(DBL_MAX) * 2.0); }), ErrorKind::EOverflow);
}

TEST(Real, MessagesAreTheFixedTexts)
{
    try {
        (void)(1.0_r / 0.0_r);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "Floating point division by zero");
        EXPECT_EQ(kindName(e.kind()), "EZeroDivide");
    }
}

TEST(Real, UnderflowAndInexactPassSilently)
{
    EXPECT_EQ(store(Real(1e-300) * 1e-300), 0.0);
    EXPECT_EQ(store(Real::exact(LDBL_MIN) / 1e10), 0.0);
    EXPECT_GT(store(Real(DBL_MIN) / 4.0), 0.0);  // a subnormal double
    EXPECT_EQ(store(1.0_r / 3.0), 1.0 / 3.0);
}

TEST(Real, StoreRoundsToNearestDouble)
{
    // The largest double plus less than half an ulp still rounds to it.
    const Real justAbove = Real(DBL_MAX) + Real::exact(std::ldexp(1.0L, 969));
    EXPECT_EQ(store(justAbove), DBL_MAX);
}

}  // namespace
}  // namespace tarvinel
