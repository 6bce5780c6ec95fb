// FloatToStr of any finite double, under any of the decimal separators,
// reads back with StrToFloat to within half a unit of its fifteenth
// significant digit, give or take the rounding to eighteen digits that
// comes first; stored into a double and written again it gives the same
// text. The text itself is in the general format: an optional minus, at
// most 15 significant digits, no trailing zero after the separator, and an
// exponent without a plus sign or leading zeros.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "numeric/errors.hpp"
#include "numeric/real.hpp"
#include "view/conversions.hpp"

namespace tarvinel::fuzz {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string describe(double value, const std::string& text)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g (%a)", value, value);
    return std::string("FloatToStr(") + buffer + ") = \"" + printable(text) + "\"";
}

void checkFormat(double value, const std::string& text, std::string_view separator)
{
    std::string_view rest = text;
    if (rest.substr(0, 1) == "-") rest.remove_prefix(1);
    std::string_view mantissa = rest, exponent;
    if (const std::size_t e = rest.find('E'); e != std::string_view::npos) {
        mantissa = rest.substr(0, e);
        exponent = rest.substr(e + 1);
        if (exponent.substr(0, 1) == "-") exponent.remove_prefix(1);
        if (exponent.empty() || exponent[0] == '0') fail(describe(value, text) + ": exponent malformed");
        for (const char c : exponent) {
            if (!isDigit(c)) fail(describe(value, text) + ": exponent malformed");
        }
    }
    std::string_view whole = mantissa, fraction;
    if (const std::size_t s = mantissa.find(separator); s != std::string_view::npos) {
        whole = mantissa.substr(0, s);
        fraction = mantissa.substr(s + separator.size());
        if (fraction.empty() || fraction.back() == '0') fail(describe(value, text) + ": trailing zero");
    }
    if (whole.empty()) fail(describe(value, text) + ": no digit before the separator");
    std::size_t significant = 0;
    bool leading = true;
    for (const char c : std::string(whole) + std::string(fraction)) {
        if (!isDigit(c)) fail(describe(value, text) + ": not a number");
        if (c != '0') leading = false;
        if (!leading) ++significant;
    }
    if (significant == 0 && value != 0.0) fail(describe(value, text) + ": no significant digit");
    // In fixed notation the zeros that pad the whole part count too: at most
    // 15 places before the separator are written that way.
    if (significant > 15) fail(describe(value, text) + ": more than 15 significant digits");
}

void check(double value, std::string_view separator)
{
    const std::string text = FloatToStr(value);
    checkFormat(value, text, separator);
    long double back = 0;
    try {
        back = StrToFloat(text).value();
    } catch (const Error& e) {
        fail(describe(value, text) + ": StrToFloat refused it: " + e.what());
    }
    const long double exact = value;
    // Half a unit of the fifteenth digit is at most 5e-15 of the value. The
    // value is first rounded to eighteen digits and only then cut to fifteen,
    // which may add half a unit of the eighteenth (100.00012212805449962...
    // goes to 100.000122128054500 and on to 100,000122128055), and reading
    // the text back rounds once more in the last bit.
    const long double tolerance = 5.01e-15L * std::fabs(exact);
    if (std::fabs(back - exact) > tolerance) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.21Lg", back);
        fail(describe(value, text) + ": reads back as " + buffer);
    }
    // Written again from the stored double, the text is the same. A stored
    // subnormal has fewer than 15 digits of its own, and the largest doubles
    // round up past the double range.
    if (std::fabs(back) < DBL_MIN || std::fabs(back) > DBL_MAX) return;
    const std::string again = FloatToStr(static_cast<double>(back));
    if (again != text) fail(describe(value, text) + ": written again as \"" + printable(again) + "\"");
}

}  // namespace
}  // namespace tarvinel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tarvinel::fuzz;
    if (size < 1 + sizeof(double)) return 0;
    const std::string separator = utf8(chooseSeparator(data[0]));
    double value;
    std::memcpy(&value, data + 1, sizeof value);
    if (!std::isfinite(value)) return 0;
    check(value, separator);
    return 0;
}
