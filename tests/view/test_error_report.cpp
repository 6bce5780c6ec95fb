#include "view/error_report.hpp"

#include <array>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

#include "numeric/errors.hpp"

namespace tarvinel {
namespace {

TEST(ReportMessage, PeriodOnlyAfterACharacterAboveTheFullStop)
{
    struct Case {
        const char* message;
        const char* reported;
    };
    const std::array cases{
        Case{"Floating point overflow", "Floating point overflow."},
        Case{"'abc' is not a valid floating point value", "'abc' is not a valid floating point value."},
        Case{"'' is not a valid floating point value", "'' is not a valid floating point value."},
        Case{"Already ends.", "Already ends."},
        Case{"ends in a space ", "ends in a space "},
        Case{"Bang!", "Bang!"},
        Case{"quoted'", "quoted'"},
        Case{"(paren)", "(paren)"},
        Case{"comma,", "comma,"},
        Case{"dash-", "dash-"},
        Case{"slash/", "slash/."},  // "/" is the first code above "."
        Case{"digit 7", "digit 7."},
        Case{"ação", "ação."},
        Case{"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reportMessage(std::runtime_error(c.message)), c.reported) << c.message;
    }
}

TEST(ReportMessage, ShowsTheInnermostError)
{
    try {
        try {
            try {
                raiseOverflow();
            } catch (...) {
                std::throw_with_nested(std::runtime_error("while storing k"));
            }
        } catch (...) {
            std::throw_with_nested(std::logic_error("in Timer1Timer"));
        }
    } catch (const std::exception& e) {
        EXPECT_EQ(reportMessage(e), "Floating point overflow.");
    }

    // Wrapping something that is not a std::exception: the wrapper's own.
    try {
        try {
            throw 42;
        } catch (...) {
            std::throw_with_nested(std::runtime_error("outer"));
        }
    } catch (const std::exception& e) {
        EXPECT_EQ(reportMessage(e), "outer.");
    }
}

TEST(ApplicationTitle, FileNameUpToTheFirstDotCapitalisedOnce)
{
    struct Case {
        const char* path;
        const char* title;
    };
    const std::array cases{
        Case{"ABC.DEF.EXE", "Abc"},
        Case{"/usr/local/bin/tarvinel", "tarvinel"},
        Case{"/opt/Irrig.d/TARVINEL", "Tarvinel"},
        Case{"./SIMULACAO.v2.bin", "Simulacao"},
        Case{"/opt/ÉPOCA-IRRIGAÇÃO", "Época-irrigação"},
        Case{"/home/u/.hidden", ""},
        Case{"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(applicationTitle(c.path), c.title) << c.path;
}

}  // namespace
}  // namespace tarvinel

namespace tarvinel {
namespace {

TEST(ReportMessage, KeepsATextWithANulByteWhole)
{
    using namespace std::string_literals;
    const Error error(ErrorKind::EConvertError, "'5\0x' is not a valid floating point value"s);
    EXPECT_EQ(reportMessage(error), "'5\0x' is not a valid floating point value."s);
}

}  // namespace
}  // namespace tarvinel
