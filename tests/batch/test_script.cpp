#include "batch/script.hpp"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace tarvinel {
namespace {

// One line, which must give exactly this command.
TEST(ParseScript, ReadsEachCommand)
{
    struct Case {
        std::string_view line;
        ScriptCommand command;
    };
    const std::array cases{
        Case{"set k 5,5", SetCommand{EditBox::Edit4, "5,5"}},
        Case{"set k", SetCommand{EditBox::Edit4, ""}},
        Case{"set k ", SetCommand{EditBox::Edit4, ""}},
        Case{"set k  25 ", SetCommand{EditBox::Edit4, " 25 "}},
        Case{"set L 1 000,5 m", SetCommand{EditBox::Edit2, "1 000,5 m"}},
        Case{"set TIE #1", SetCommand{EditBox::Edit6, "#1"}},
        Case{"set IRN \xC3\xA7", SetCommand{EditBox::Edit3, "\xC3\xA7"}},
        Case{"click INICIAR", ClickCommand{ClickTarget::Iniciar}},
        Case{"click PARAR", ClickCommand{ClickTarget::Parar}},
        Case{"click NOVA SIMULA\xC3\x87\xC3\x83O", ClickCommand{ClickTarget::NovaSimulacao}},
        Case{"click NOVA SIMULAC\xCC\xA7" "A\xCC\x83O", ClickCommand{ClickTarget::NovaSimulacao}},
        Case{"click Sulco", ClickCommand{ClickTarget::Sulco}},
        Case{"click Faixa", ClickCommand{ClickTarget::Faixa}},
        Case{"wait 0", WaitCommand{0}},
        Case{"wait 007", WaitCommand{7}},
        Case{"wait 1000000", WaitCommand{1000000}},
        Case{"show", ShowCommand{}},
    };
    for (const Case& c : cases) {
        const Script script = parseScript(c.line);
        EXPECT_TRUE(script.problems.empty()) << c.line << ": " << script.problems.front().message;
        ASSERT_EQ(script.commands.size(), 1U) << c.line;
        EXPECT_EQ(script.commands.front(), c.command) << c.line;
    }
}

TEST(ParseScript, NamesTheParametersByTheirBoxes)
{
    struct Case {
        const char* name;
        EditBox box;
    };
    const std::array cases{
        Case{"r", EditBox::Edit1}, Case{"L", EditBox::Edit2},   Case{"IRN", EditBox::Edit3}, Case{"k", EditBox::Edit4},
        Case{"a", EditBox::Edit5}, Case{"TIE", EditBox::Edit6}, Case{"p", EditBox::Edit7},   Case{"v", EditBox::Edit8},
    };
    for (const Case& c : cases) {
        const Script script = parseScript(std::string("set ") + c.name + " 1");
        ASSERT_EQ(script.commands.size(), 1U) << c.name;
        EXPECT_EQ(std::get<SetCommand>(script.commands.front()).box, c.box) << c.name;
    }
}

// One bad line: no command, one problem on line 1 whose message says this.
TEST(ParseScript, RefusesABadLineAndSaysWhy)
{
    struct Case {
        std::string_view line;
        std::string_view says;
    };
    const std::array cases{
        Case{"sho", "unknown command 'sho'"},
        Case{"Show", "unknown command 'Show'"},
        Case{" show", "unknown command ''"},
        Case{"\tshow", "unknown command '\tshow'"},
        Case{"show ", "'show' takes nothing after it"},
        Case{"show all", "found ' all'"},
        Case{"set", "'set' needs a parameter name"},
        Case{"set K 1", "unknown parameter 'K'"},
        Case{"set  k 1", "unknown parameter ''"},
        Case{"set Edit4 1", "unknown parameter 'Edit4'"},
        Case{"set tempo 1", "unknown parameter 'tempo'"},
        Case{"click", "'click' needs a caption"},
        Case{"click iniciar", "unknown caption 'iniciar'"},
        Case{"click Sulco ", "unknown caption 'Sulco '"},
        Case{"click NOVA SIMULACAO", "unknown caption 'NOVA SIMULACAO'"},
        Case{"click Button1", "unknown caption 'Button1'"},
        Case{"wait", "'wait' needs a number"},
        Case{"wait ", "'wait' needs a number"},
        Case{"wait -1", "'-1' is not a whole number"},
        Case{"wait +1", "'+1' is not a whole number"},
        Case{"wait 1.5", "'1.5' is not a whole number"},
        Case{"wait 1e3", "'1e3' is not a whole number"},
        Case{"wait 2 ", "'2 ' is not a whole number"},
        Case{"wait 1000001", "at most 1000000"},
        Case{"wait 1000000000000", "at most 1000000"},
        Case{"wait 99999999999999999999999999", "at most 1000000"},
        Case{"set k \xC3(", "not valid UTF-8"},
        Case{"click NOVA SIMULA\xC7\xC3O", "not valid UTF-8"},
        Case{"show\rwait 1", "carriage return"},
        Case{std::string_view("set k 5\0" "5", 9), "control character (U+0000)"},
        Case{"set k 5\x1b", "control character (U+001B)"},
    };
    for (const Case& c : cases) {
        const Script script = parseScript(c.line);
        EXPECT_TRUE(script.commands.empty()) << c.line;
        ASSERT_EQ(script.problems.size(), 1U) << c.line;
        EXPECT_EQ(script.problems.front().line, 1U) << c.line;
        EXPECT_NE(script.problems.front().message.find(c.says), std::string::npos)
            << c.line << " gave: " << script.problems.front().message;
    }
}

TEST(ParseScript, CountsEveryLineAndSkipsBlanksAndComments)
{
    const Script script = parseScript(
        "\xEF\xBB\xBF# a lesson\r\n"  // 1, after the byte-order mark
        "\r\n"                        // 2
        "set k 5\r\n"                 // 3: the CR is no part of the text
        "  \t \n"                     // 4
        "#click bogus\n"              // 5
        "bogus\n"                     // 6
        "wait 2\n"                    // 7
        "  # not a comment\n"         // 8
        "show");                      // 9, no line end
    const std::vector<ScriptCommand> commands{SetCommand{EditBox::Edit4, "5"}, WaitCommand{2}, ShowCommand{}};
    EXPECT_EQ(script.commands, commands);
    ASSERT_EQ(script.problems.size(), 2U);
    EXPECT_EQ(script.problems[0].line, 6U);
    EXPECT_EQ(script.problems[1].line, 8U);
}

TEST(ParseScript, AnEmptyScriptHasNothingToDo)
{
    for (const std::string_view text : {"", "\n\n", "\xEF\xBB\xBF", "# only a comment\r\n"}) {
        const Script script = parseScript(text);
        EXPECT_TRUE(script.commands.empty()) << text;
        EXPECT_TRUE(script.problems.empty()) << text;
    }
}

}  // namespace
}  // namespace tarvinel
