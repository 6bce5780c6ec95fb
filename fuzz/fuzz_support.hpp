// What the fuzzers share: the decimal separators they try, and a failure
// that names the input in a form that can be pasted into a test.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "view/number_format.hpp"

namespace tarvinel::fuzz {

// The comma of the layout's texts, the point, and the Arabic decimal
// separator U+066B, two bytes in UTF-8.
inline constexpr std::array<char32_t, 3> kSeparators{U',', U'.', U'\u066B'};

inline std::string utf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Sets the number format from one byte of the input.
inline char32_t chooseSeparator(std::uint8_t byte)
{
    const char32_t separator = kSeparators[byte % kSeparators.size()];
    numberFormat().DecimalSeparator = separator;
    numberFormat().ThousandSeparator = separator == U'.' ? U',' : U'.';
    return separator;
}

// The text with every byte outside printable ASCII written as \xNN.
inline std::string printable(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            out += c;
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", u);
            out += buffer;
        }
    }
    return out;
}

// A message as an error's what() gives it back: a text with a NUL byte in
// it is cut there, since what() is a C string.
inline std::string asWhat(const std::string& message) { return message.substr(0, message.find('\0')); }

[[noreturn]] inline void fail(const std::string& what)
{
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    std::abort();
}

}  // namespace tarvinel::fuzz
