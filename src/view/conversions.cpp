#include "view/conversions.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "numeric/errors.hpp"
#include "view/number_format.hpp"

namespace tarvinel {

namespace {

// The UTF-8 bytes of one code point (the decimal separator may lie beyond
// ASCII, as U+066B, the Arabic decimal separator, does).
std::string utf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

int hexDigit(char c) noexcept
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void refuseFloat(std::string_view text)
{
    throw Error(ErrorKind::EConvertError,
                "'" + std::string(text) + "' is not a valid floating point value");
}

[[noreturn]] void refuseInt(std::string_view text)
{
    throw Error(ErrorKind::EConvertError,
                "''" + std::string(text) + "'' is not a valid integer value");
}

// Ten to the power n (n >= 0) with 64-bit significands: exact up to 10^27,
// beyond that the product of the squares 10^(2^i), each product rounded to
// nearest. Infinity once the power leaves the extended range.
long double powerOfTen(std::int64_t n) noexcept
{
    long double result = 1.0L;
    long double square = 10.0L;
    while (n > 0 && std::isfinite(result)) {
        if (n & 1) result *= square;
        n >>= 1;
        if (n > 0) square *= square;
    }
    return result;
}

// The whole number `digits` times ten to the power `scale`, or refusal when
// the product lies beyond the extended range. A negative power divides, so
// that the usual short texts ("0,348") come out as the nearest extended value
// of their decimal; a power too large for the range divides in stages.
long double scaleByPowerOfTen(long double digits, std::int64_t scale, std::string_view text)
{
    if (digits == 0.0L) return 0.0L;
    if (scale >= 0) {
        const long double result = digits * powerOfTen(scale);
        if (!std::isfinite(result)) refuseFloat(text);
        return result;
    }
    constexpr std::int64_t kStage = 4000;  // 10^4000 is well inside the range
    std::int64_t down = -scale;
    long double result = digits;
    while (down > kStage && result != 0.0L) {
        result /= powerOfTen(kStage);
        down -= kStage;
    }
    return result / powerOfTen(down);
}

}  // namespace

Real StrToFloat(std::string_view text)
{
    const std::string separator = utf8(numberFormat().DecimalSeparator);
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto skipSpaces = [&] {
        while (i < n && text[i] == ' ') ++i;
    };

    skipSpaces();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The digits before and after the decimal mark make one whole number,
    // accumulated digit by digit with 64-bit significands. Once it is so large
    // that a further digit could not change it any more, the digits left only
    // count as powers of ten (and keep it from running out of range).
    constexpr long double kSaturated = 1e4900L;
    long double digits = 0.0L;
    std::int64_t scale = 0;  // the power of ten the whole number is scaled by
    bool anyDigit = false;
    const auto takeDigits = [&](bool fraction) {
        while (i < n && isDigit(text[i])) {
            anyDigit = true;
            if (digits < kSaturated) {
                digits = digits * 10.0L + static_cast<long double>(text[i] - '0');
                if (fraction) --scale;
            } else if (!fraction) {
                ++scale;
            }
            ++i;
        }
    };
    takeDigits(false);
    bool anySeparator = false;
    if (text.substr(i, separator.size()) == separator) {
        anySeparator = true;
        i += separator.size();
        takeDigits(true);
    }
    // A separator without any digit around it (",", "-,") reads as zero.
    if (!anyDigit && !anySeparator) refuseFloat(text);

    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        // Reading stops at 500: any exponent from there on is out of range
        // whatever the digits, and a digit left over refuses the text below.
        std::int64_t exponent = 0;
        while (i < n && isDigit(text[i]) && exponent < 500) {
            exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        scale += negativeExponent ? -exponent : exponent;
    }

    skipSpaces();
    if (i != n) refuseFloat(text);

    const long double magnitude = scaleByPowerOfTen(digits, scale, text);
    return Real::exact(negative ? -magnitude : magnitude);
}

std::int32_t StrToInt(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    std::uint32_t pattern = 0;
    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        i += 1;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }

    const std::size_t first = i;
    if (hex) {
        // The 32-bit pattern the digits spell, read as a signed integer.
        std::uint64_t value = 0;
        while (i < n && hexDigit(text[i]) >= 0) {
            value = value * 16 + static_cast<std::uint64_t>(hexDigit(text[i]));
            if (value > 0xFFFFFFFFu) refuseInt(text);
            ++i;
        }
        pattern = static_cast<std::uint32_t>(value);
    } else {
        // The magnitude may reach 2^31 only with a minus sign.
        const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
        std::uint64_t value = 0;
        while (i < n && isDigit(text[i])) {
            value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
            if (value > limit) refuseInt(text);
            ++i;
        }
        pattern = static_cast<std::uint32_t>(value);
    }
    if (i == first || i != n) refuseInt(text);

    // Negation in 32-bit two's complement: "-$80000000" stays -2^31.
    if (negative) pattern = 0u - pattern;
    return static_cast<std::int32_t>(pattern);
}

std::string FloatToStr(long double value)
{
    std::string out;
    FloatToStr(value, out);
    return out;
}

void FloatToStr(long double value, std::string& out)
{
    // Appended to the emptied string rather than assigned: GCC 12 at -O3
    // sees an overlap in the inlined assignment of a literal that cannot
    // happen, and warns (-Wrestrict).
    out.clear();
    if (value == 0.0L) {
        out.push_back('0');
        return;
    }
    if (std::isnan(value)) {
        out.append("NAN");
        return;
    }
    if (std::isinf(value)) {
        out.append(value < 0 ? "-INF" : "INF");
        return;
    }

    // The magnitude as an 18-digit decimal, rounded to nearest with ties to
    // even: d.ddddddddddddddddde±x.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(value));
    char digits[18];
    digits[0] = buffer[0];
    for (int k = 1; k < 18; ++k) digits[k] = buffer[k + 1];
    int point = std::atoi(buffer + 20) + 1;  // the magnitude is 0.d1d2... × 10^point

    // Cut to 15 digits, rounding half up on the 16th. This second rounding is
    // intended: it is what makes 38.99999999999992 show as 38,9999999999999.
    int count = 15;
    if (digits[15] >= '5') {
        int k = 14;
        while (k >= 0 && digits[k] == '9') {
            digits[k] = '0';
            --k;
        }
        if (k >= 0) {
            ++digits[k];
        } else {
            digits[0] = '1';  // 999...9 carried over into one more place
            ++point;
        }
    }
    while (count > 1 && digits[count - 1] == '0') --count;

    const std::string separator = utf8(numberFormat().DecimalSeparator);
    if (value < 0) out += '-';
    if (point >= -3 && point <= 15) {
        if (point <= 0) {
            out += '0';
            out += separator;
            out.append(static_cast<std::size_t>(-point), '0');
            out.append(digits, static_cast<std::size_t>(count));
        } else {
            for (int k = 0; k < point; ++k) out += k < count ? digits[k] : '0';
            if (count > point) {
                out += separator;
                out.append(digits + point, static_cast<std::size_t>(count - point));
            }
        }
    } else {
        out += digits[0];
        if (count > 1) {
            out += separator;
            out.append(digits + 1, static_cast<std::size_t>(count - 1));
        }
        out += 'E';
        const int exponent = point - 1;
        if (exponent < 0) out += '-';
        out += std::to_string(exponent < 0 ? -exponent : exponent);
    }
}

std::int64_t Round(long double value)
{
    if (std::isnan(value)) raiseInvalidOp();
    const long double below = std::floor(value);
    const long double fraction = value - below;  // exact: both share the binade's grid
    long double result = below;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(below, 2.0L) != 0.0L)) result += 1.0L;
    // The 64-bit range is [-2^63, 2^63); both ends are exact in long double.
    constexpr long double kTwo63 = 9223372036854775808.0L;
    if (!(result >= -kTwo63 && result < kTwo63)) raiseInvalidOp();
    return static_cast<std::int64_t>(result);
}

}  // namespace tarvinel
