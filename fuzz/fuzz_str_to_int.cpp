// StrToInt on any text: it either gives the 32-bit integer that a plainer
// reading of the same rules gives, or raises EConvertError "''<text>'' is
// not a valid integer value", never anything else.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "numeric/errors.hpp"
#include "view/conversions.hpp"

namespace tarvinel::fuzz {
namespace {

int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

std::optional<std::int32_t> reference(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        i += 1;
    } else if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    }
    if (i == n) return std::nullopt;
    std::int64_t value = 0;
    for (; i < n; ++i) {
        const int d = digitValue(text[i], base);
        if (d < 0) return std::nullopt;  // also a trailing space
        value = value * base + d;
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (base == 16) {
        // The 32-bit pattern, read as signed, then negated in 32 bits.
        std::uint32_t pattern = static_cast<std::uint32_t>(value);
        if (negative) pattern = 0u - pattern;
        return static_cast<std::int32_t>(pattern);
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace
}  // namespace tarvinel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tarvinel;
    using namespace tarvinel::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string name = "StrToInt(\"" + printable(text) + "\")";
    const std::optional<std::int32_t> expected = reference(text);
    try {
        const std::int32_t got = StrToInt(text);
        if (!expected) fail(name + " converted a text the rules refuse: " + std::to_string(got));
        if (got != *expected) fail(name + " gave " + std::to_string(got) + ", not " + std::to_string(*expected));
    } catch (const Error& e) {
        const std::string message = "''" + std::string(text) + "'' is not a valid integer value";
        if (e.kind() != ErrorKind::EConvertError || e.what() != asWhat(message)) {
            fail(name + " raised kind " + std::string(kindName(e.kind())) + " \"" + printable(e.what()) + "\"");
        }
        if (expected) fail(name + " refused a text the rules accept: " + std::to_string(*expected));
    }
    return 0;
}
