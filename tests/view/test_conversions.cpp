#include "view/conversions.hpp"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <gtest/gtest.h>
#include <string>

#include "numeric/errors.hpp"
#include "view/number_format.hpp"

namespace tarvinel {
namespace {

// Runs with a given decimal separator and puts the process-wide format back
// afterwards, whatever the test did to it.
class Conversions : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = numberFormat();
        numberFormat().DecimalSeparator = U',';
        numberFormat().ThousandSeparator = U'.';
    }
    void TearDown() override { numberFormat() = saved_; }

private:
    NumberFormat saved_;
};

// The error a call raises, or a failure when it raises none.
template <typename F>
Error errorOf(F&& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return Error(ErrorKind::ELimitExceeded, "");
}

std::string floatMessage(const std::string& text)
{
    return "'" + text + "' is not a valid floating point value";
}

std::string intMessage(const std::string& text)
{
    return "''" + text + "'' is not a valid integer value";
}

TEST_F(Conversions, StrToFloatAcceptsTheCommaForms)
{
    struct Case {
        const char* text;
        long double value;
    };
    const std::array cases{
        Case{"5,5", 5.5L},    Case{" 25 ", 25.0L},  Case{"+3", 3.0L},     Case{",5", 0.5L},
        Case{"5,", 5.0L},     Case{"1e3", 1000.0L}, Case{"1E", 1.0L},     Case{"-2,5e-1", -0.25L},
        Case{"1E+2", 100.0L}, Case{",", 0.0L},      Case{" -, ", 0.0L},   Case{"007", 7.0L},
        Case{",E7", 0.0L},    Case{"2,5e-0", 2.5L}, Case{" 1,25E2  ", 125.0L},
    };
    for (const Case& c : cases) EXPECT_EQ(StrToFloat(c.text).value(), c.value) << c.text;
}

TEST_F(Conversions, StrToFloatRefusesWithTheTextAsTyped)
{
    const std::array<std::string, 16> texts{
        "5.5", "1.000,5", "25 mm", "1,2,3", "- 5", "-",    "INF",   "NAN",
        "",    "\t",      "   ",   "+",     "5\t", "1E5000", "1e--3", "E5",
    };
    for (const std::string& text : texts) {
        const Error e = errorOf([&] { (void)StrToFloat(text); });
        EXPECT_EQ(e.kind(), ErrorKind::EConvertError) << text;
        EXPECT_EQ(e.message(), floatMessage(text));
    }
}

TEST_F(Conversions, StrToFloatReadsOnlyTheCurrentSeparator)
{
    numberFormat().DecimalSeparator = U'.';
    EXPECT_EQ(errorOf([] { (void)StrToFloat("5,5"); }).message(), floatMessage("5,5"));
    EXPECT_EQ(StrToFloat("5.5").value(), 5.5L);

    // A separator beyond ASCII (U+066B) is matched as its UTF-8 bytes.
    numberFormat().DecimalSeparator = U'\u066B';
    EXPECT_EQ(StrToFloat("5\u066B25").value(), 5.25L);
    EXPECT_EQ(errorOf([] { (void)StrToFloat("5.25"); }).kind(), ErrorKind::EConvertError);
}

TEST_F(Conversions, StrToFloatGivesTheNearestExtendedValueOfShortTexts)
{
    // The defaults of the window: digits as one whole number, then one
    // division by an exact power of ten, so one rounding.
    EXPECT_EQ(StrToFloat("0,348").value(), 348.0L / 1000.0L);
    EXPECT_EQ(StrToFloat("0,2").value(), 0.2L);
    EXPECT_EQ(StrToFloat("0,87").value(), 0.87L);
    EXPECT_EQ(StrToFloat("12,345").value(), 12.345L);
    EXPECT_EQ(StrToFloat("1234567890123456789").value(), 1234567890123456789.0L);
    EXPECT_EQ(StrToFloat("-0,0001").value(), -0.0001L);
}

TEST_F(Conversions, StrToFloatRangeAndTheStoreIntoADouble)
{
    // Inside the extended range but beyond a double's: the store overflows.
    for (const char* text : {"1E400", "1E4000", "-1E4000"}) {
        const Real value = StrToFloat(text);
        EXPECT_TRUE(std::isfinite(value.value())) << text;
        EXPECT_EQ(errorOf([&] { (void)store(value); }).kind(), ErrorKind::EOverflow) << text;
    }
    // Exponent digits stop at 500, so 4999 is the largest exponent read.
    EXPECT_EQ(errorOf([] { (void)StrToFloat("1E4999"); }).message(), floatMessage("1E4999"));
    EXPECT_EQ(errorOf([] { (void)StrToFloat("1E5000"); }).message(), floatMessage("1E5000"));
    // Tiny values become 0 at the store, or already in the conversion.
    EXPECT_EQ(store(StrToFloat("1E-400")), 0.0);
    EXPECT_EQ(StrToFloat("1E-4999").value(), 0.0L);
    EXPECT_EQ(StrToFloat("0E4999").value(), 0.0L);
    // Fraction digits count against the exponent: 10^-4000 × 10^4001.
    EXPECT_EQ(StrToFloat("0," + std::string(3999, '0') + "1E4001").value(), 10.0L);
    // A whole number too long for the range itself still scales down.
    EXPECT_NEAR(static_cast<double>(StrToFloat("1" + std::string(5000, '0') + "E-4990").value()),
                1e10, 1e-3);
}

TEST_F(Conversions, StrToIntReadsDecimalAndHexadecimal)
{
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const std::array cases{
        Case{"300", 300},           Case{" 300", 300},         Case{"$12C", 300},
        Case{"x12C", 300},          Case{"X12c", 300},         Case{"0x12c", 300},
        Case{"-0x1A", -26},         Case{"$FFFFFFFF", -1},     Case{"-2147483648", INT32_MIN},
        Case{"2147483647", INT32_MAX}, Case{"+$7FFFFFFF", INT32_MAX}, Case{"$000000012C", 300},
        Case{"-$80000000", INT32_MIN}, Case{"0", 0},           Case{"-0", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST_F(Conversions, StrToIntRefusesWithTwoApostrophes)
{
    const std::array<std::string, 13> texts{
        "2147483648", "-2147483649", "300 ", "300,0", "3e2", "$", "$100000000",
        "",           "   ",         "-",    "0x",    "- 3", "\t3",
    };
    for (const std::string& text : texts) {
        const Error e = errorOf([&] { (void)StrToInt(text); });
        EXPECT_EQ(e.kind(), ErrorKind::EConvertError) << text;
        EXPECT_EQ(e.message(), intMessage(text));
    }
}

TEST_F(Conversions, FloatToStrGeneralFormat)
{
    struct Case {
        long double value;
        const char* text;
    };
    const std::array cases{
        Case{3, "3"},
        Case{0.5, "0,5"},
        Case{12.345, "12,345"},
        Case{1.0 / 3.0, "0,333333333333333"},
        Case{2.0 / 3.0, "0,666666666666667"},
        Case{0.0001, "0,0001"},
        Case{0.00001, "1E-5"},
        Case{999999999999999.0, "999999999999999"},
        Case{1e15, "1E15"},
        Case{1234567890123456.0, "1,23456789012346E15"},
        Case{-1.5e-7, "-1,5E-7"},
        Case{-0.0, "0"},
        Case{100, "100"},
        Case{-42, "-42"},
        Case{0.001, "0,001"},
        Case{1e300, "1E300"},
        Case{38.99999999999992, "38,9999999999999"},
        Case{0.08333333333333333, "0,0833333333333333"},
        Case{999999999999999.9, "1E15"},  // carried into one more place
        Case{123456789012345.6, "123456789012346"},
        Case{12345678901234.56, "12345678901234,6"},
        Case{1.0e-300, "1E-300"},
        Case{4.9406564584124654e-324, "4,94065645841247E-324"},
        Case{LDBL_MAX, "1,18973149535723E4932"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << static_cast<double>(c.value);
}

TEST_F(Conversions, FloatToStrRoundsTwiceNotOnce)
{
    // Whole numbers below 2^64 are exact, so these are exact ties at the
    // 18th digit. 1000000000000004995 goes to ...500 (even), whose 16th digit
    // then rounds up; a single correct rounding to 15 digits would give 1E18.
    EXPECT_EQ(FloatToStr(1000000000000004995.0L), "1,00000000000001E18");
    EXPECT_EQ(FloatToStr(1000000000000004985.0L), "1E18");
}

TEST_F(Conversions, FloatToStrSpecialValuesAndSeparator)
{
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<long double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::quiet_NaN()), "NAN");
    numberFormat().DecimalSeparator = U'.';
    EXPECT_EQ(FloatToStr(-1.5e-7), "-1.5E-7");
    numberFormat().DecimalSeparator = U'\u066B';
    EXPECT_EQ(FloatToStr(0.5), "0\u066B5");
}

TEST_F(Conversions, FloatToStrAndStrToFloatRoundTripFifteenDigits)
{
    for (const double v : {47.5035223695729, 51.2535223695729, 53.667245831087, -5.86311833670705,
                           0.300605124807022, 1.23456789012346e-200}) {
        EXPECT_EQ(store(StrToFloat(FloatToStr(v))), v) << FloatToStr(v);
    }
}

TEST_F(Conversions, RoundTiesToEven)
{
    struct Case {
        long double value;
        std::int64_t rounded;
    };
    const std::array cases{
        Case{0.5, 0},          Case{1.5, 2},   Case{2.5, 2},         Case{3.5, 4},
        Case{-2.5, -2},        Case{-3.5, -4}, Case{0.0833, 0},      Case{-0.5, 0},
        Case{2.5000000001, 3}, Case{-2.6, -3}, Case{0.49999999999999994, 0},
        Case{-9223372036854775808.0L, INT64_MIN},
        Case{9223372036854775807.0L, INT64_MAX},
        Case{9223372036854775806.5L, INT64_MAX - 1},
    };
    for (const Case& c : cases) EXPECT_EQ(Round(c.value), c.rounded) << static_cast<double>(c.value);
}

TEST_F(Conversions, RoundOutsideTheRangeIsAnInvalidOperation)
{
    for (const long double v : {1e19L, -1e19L, 9223372036854775808.0L, -9223372036854775809.0L,
                                std::numeric_limits<long double>::infinity(),
                                std::numeric_limits<long double>::quiet_NaN()}) {
        const Error e = errorOf([&] { (void)Round(v); });
        EXPECT_EQ(e.kind(), ErrorKind::EInvalidOp);
        EXPECT_EQ(e.message(), "Invalid floating point operation");
    }
}

}  // namespace
}  // namespace tarvinel
