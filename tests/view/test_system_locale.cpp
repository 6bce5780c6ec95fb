#include "view/system_locale.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace tarvinel {
namespace {

TEST(NumberFormatOf, TakesTheLocalesSeparators)
{
    struct Case {
        const char* name;
        char32_t decimal;
        char32_t group;
    };
    const std::array cases{
        Case{"pt_BR", U',', U'.'},
        Case{"en_US", U'.', U','},
        Case{"de_DE", U',', U'.'},
        Case{"C", U'.', U','},
        Case{"ar_EG", U'\u066B', U'\u066C'},  // beyond ASCII, one code point each
    };
    for (const Case& c : cases) {
        const NumberFormat format = numberFormatOf(QLocale(QString::fromLatin1(c.name)));
        EXPECT_EQ(format.DecimalSeparator, c.decimal) << c.name;
        EXPECT_EQ(format.ThousandSeparator, c.group) << c.name;
    }
}

// Qt reads the environment once per process, so each setting is loaded in a
// child process started afresh with that environment. The child writes what
// it loaded to stderr, which the expectation matches.
class SystemNumberFormat : public testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// The child's side: load from the system, show the result, leave.
[[noreturn]] void loadAndShow()
{
    numberFormat() = NumberFormat{U'#', U'#'};
    loadSystemNumberFormat();
    std::fprintf(stderr, "decimal=%u group=%u\n",
                 static_cast<unsigned>(numberFormat().DecimalSeparator),
                 static_cast<unsigned>(numberFormat().ThousandSeparator));
    std::exit(0);
}

void setOrUnset(const char* name, const char* value)
{
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

TEST_F(SystemNumberFormat, LoadsTheNumericLocaleTheUserChose)
{
    struct Case {
        const char* lcAll;
        const char* lcNumeric;
        const char* lang;
        const char* loaded;  // the codes of the two separators
    };
    const std::array cases{
        Case{"pt_BR.UTF-8", nullptr, nullptr, "decimal=44 group=46"},
        Case{"en_US.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8", "decimal=46 group=44"},
        Case{nullptr, "de_DE", "en_US.UTF-8", "decimal=44 group=46"},
        Case{nullptr, nullptr, "pt_BR.UTF-8", "decimal=44 group=46"},
        Case{nullptr, nullptr, nullptr, "decimal=46 group=44"},
        Case{"C", nullptr, nullptr, "decimal=46 group=44"},
    };
    const char* const names[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    std::array<std::string, 3> saved;
    std::array<bool, 3> wasSet{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (const char* v = std::getenv(names[i])) {
            saved[i] = v;
            wasSet[i] = true;
        }
    }
    for (const Case& c : cases) {
        setOrUnset("LC_ALL", c.lcAll);
        setOrUnset("LC_NUMERIC", c.lcNumeric);
        setOrUnset("LANG", c.lang);
        EXPECT_EXIT(loadAndShow(), testing::ExitedWithCode(0), c.loaded)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcNumeric ? c.lcNumeric : "-") << " "
            << (c.lang ? c.lang : "-");
    }
    for (std::size_t i = 0; i < 3; ++i) setOrUnset(names[i], wasSet[i] ? saved[i].c_str() : nullptr);
}

TEST(NumberFormatRefresher, ReloadsOnALocaleChange)
{
    int argc = 1;
    char name[] = "test_system_locale";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    NumberFormatRefresher refresher;
    app.installEventFilter(&refresher);

    const NumberFormat saved = numberFormat();
    const NumberFormat system = numberFormatOf(QLocale::system());
    numberFormat() = NumberFormat{U'#', U'#'};
    QEvent other(QEvent::User);
    QCoreApplication::sendEvent(&app, &other);
    EXPECT_EQ(numberFormat().DecimalSeparator, U'#');

    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(&app, &change);
    EXPECT_EQ(numberFormat().DecimalSeparator, system.DecimalSeparator);
    EXPECT_EQ(numberFormat().ThousandSeparator, system.ThousandSeparator);
    numberFormat() = saved;
}

}  // namespace
}  // namespace tarvinel
