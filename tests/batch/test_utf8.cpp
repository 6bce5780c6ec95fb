#include "batch/utf8.hpp"

#include <array>
#include <gtest/gtest.h>

namespace tarvinel {
namespace {

TEST(Utf8, AcceptsWellFormedTextOnly)
{
    struct Case {
        const char* name;
        std::string_view text;
        bool valid;
    };
    const std::array cases{
        Case{"empty", "", true},
        Case{"ascii", "INICIAR", true},
        Case{"two bytes", "NOVA SIMULA\xC3\x87\xC3\x83O", true},
        Case{"three bytes", "\xE2\x80\xAF", true},
        Case{"four bytes", "\xF0\x9F\x8C\xB1", true},
        Case{"highest code", "\xF4\x8F\xBF\xBF", true},
        Case{"stray continuation", "a\x80", false},
        Case{"truncated", "\xC3", false},
        Case{"truncated three", "\xE2\x80", false},
        Case{"overlong slash", "\xC0\xAF", false},
        Case{"overlong three", "\xE0\x80\xAF", false},
        Case{"surrogate", "\xED\xA0\x80", false},
        Case{"above U+10FFFF", "\xF4\x90\x80\x80", false},
        Case{"latin-1 cedilla", "SIMULA\xC7\xC3O", false},
        Case{"not a lead byte", "\xFF", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.name;
}

TEST(Utf8, SingleCodePointTakesExactlyOneCharacter)
{
    struct Case {
        std::string_view text;
        std::optional<char32_t> code;
    };
    const std::array cases{
        Case{",", U','},
        Case{"\xD9\xAB", U'\u066B'},      // Arabic decimal separator
        Case{"\xE2\x80\xAF", U'\u202F'},  // narrow no-break space
        Case{"", std::nullopt},
        Case{",,", std::nullopt},
        Case{"\xC3", std::nullopt},
        Case{"\xC3\x87x", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(singleCodePoint(c.text), c.code) << c.text;
}

}  // namespace
}  // namespace tarvinel
