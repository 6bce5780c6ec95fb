// StrToFloat on any text under any of the decimal separators: it either
// converts or raises EConvertError "'<text>' is not a valid floating point
// value", never anything else. A second, plainer reading of the same rules
// decides which: a text it accepts converts to within a few parts in 10^15
// of what strtold makes of the same digits, unless the value lies beyond the
// extended range, where it is refused.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "numeric/errors.hpp"
#include "view/conversions.hpp"

namespace tarvinel::fuzz {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The value the rules give a text, as strtold reads the digits, or nothing
// when the rules refuse the text.
std::optional<long double> reference(std::string_view text, std::string_view separator)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string whole, fraction;
    while (i < n && isDigit(text[i])) whole += text[i++];
    bool separated = false;
    if (text.substr(i, separator.size()) == separator) {
        separated = true;
        i += separator.size();
        while (i < n && isDigit(text[i])) fraction += text[i++];
    }
    // The separator alone reads as zero.
    if (whole.empty() && fraction.empty() && !separated) return std::nullopt;
    long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        while (i < n && isDigit(text[i]) && exponent < 500) exponent = exponent * 10 + (text[i++] - '0');
        if (negativeExponent) exponent = -exponent;
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n) return std::nullopt;
    const std::string plain = "0" + whole + "." + fraction + "0e" + std::to_string(exponent);
    const long double magnitude = std::strtold(plain.c_str(), nullptr);
    return negative ? -magnitude : magnitude;
}

// Beyond this the extended range is left, give or take the rounding.
constexpr long double kNearMax = 1.1897e4932L;
constexpr long double kNearUnderflow = 1e-4900L;

void check(std::string_view text, std::string_view separator)
{
    const std::optional<long double> expected = reference(text, separator);
    std::optional<long double> got;
    try {
        got = StrToFloat(text).value();
    } catch (const Error& e) {
        const std::string message = "'" + std::string(text) + "' is not a valid floating point value";
        if (e.kind() != ErrorKind::EConvertError || e.what() != asWhat(message)) {
            fail("StrToFloat(\"" + printable(text) + "\") raised kind " + std::string(kindName(e.kind())) +
                 " \"" + printable(e.what()) + "\"");
        }
    }

    const std::string name = "StrToFloat(\"" + printable(text) + "\")";
    if (!expected) {
        if (got) fail(name + " converted a text the rules refuse");
        return;
    }
    if (!got) {
        if (std::fabs(*expected) < kNearMax) fail(name + " refused a text the rules accept");
        return;
    }
    if (!std::isfinite(*got)) fail(name + " gave a value that is not finite");
    if (std::signbit(*got) != std::signbit(*expected)) fail(name + " has the wrong sign");
    if (std::fabs(*expected) < kNearUnderflow) {
        if (std::fabs(*got) > kNearUnderflow * 1e10L) fail(name + " did not underflow");
        return;
    }
    if (std::fabs(*expected) >= kNearMax) return;
    if (std::fabs(*got - *expected) > 1e-14L * std::fabs(*expected)) {
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, " gave %.21Lg, the digits read %.21Lg", *got, *expected);
        fail(name + buffer);
    }
}

}  // namespace
}  // namespace tarvinel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tarvinel::fuzz;
    if (size == 0) return 0;
    const std::string separator = utf8(chooseSeparator(data[0]));
    check(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), separator);
    return 0;
}
