#include "batch/command_line.hpp"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "batch/script.hpp"

namespace tarvinel {
namespace {

CommandLine parse(std::vector<std::string_view> args) { return parseCommandLine(args); }

TEST(CommandLine, ReadsTheOptionsAndTheScript)
{
    struct Case {
        const char* name;
        std::vector<std::string_view> args;
        std::optional<char32_t> decimal;
        std::optional<char32_t> thousand;
        std::optional<std::string> script;
    };
    const std::vector<Case> cases{
        {"nothing: standard input", {}, std::nullopt, std::nullopt, std::nullopt},
        {"a script", {"lesson.txt"}, std::nullopt, std::nullopt, "lesson.txt"},
        {"dash: standard input", {"-"}, std::nullopt, std::nullopt, std::nullopt},
        {"separate values", {"--decimal-separator", ",", "--thousand-separator", "."}, U',', U'.', std::nullopt},
        {"joined values", {"--thousand-separator=.", "--decimal-separator=,", "x"}, U',', U'.', "x"},
        {"script first", {"x", "--decimal-separator", "."}, U'.', std::nullopt, "x"},
        {"the last one counts", {"--decimal-separator", ".", "--decimal-separator", ","}, U',', std::nullopt, std::nullopt},
        {"beyond ascii", {"--decimal-separator", "\xD9\xAB", "--thousand-separator", "\xE2\x80\xAF"}, U'\u066B',
         U'\u202F', std::nullopt},
        {"space groups", {"--thousand-separator", " "}, std::nullopt, U' ', std::nullopt},
        {"an equals sign as the value", {"--decimal-separator=="}, U'=', std::nullopt, std::nullopt},
        {"end of options", {"--", "--help"}, std::nullopt, std::nullopt, "--help"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.args);
        EXPECT_FALSE(line.help) << c.name;
        EXPECT_EQ(line.decimalSeparator, c.decimal) << c.name;
        EXPECT_EQ(line.thousandSeparator, c.thousand) << c.name;
        EXPECT_EQ(line.scriptPath, c.script) << c.name;
    }
}

TEST(CommandLine, HelpWinsOverWhatFollows)
{
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {"--help"}, {"-h"}, {"x", "--help"}, {"--decimal-separator", ",", "-h", "--bogus", "a", "b"}}) {
        EXPECT_TRUE(parse(args).help) << args.front();
    }
}

TEST(CommandLine, RefusesWhatItCannotUse)
{
    struct Case {
        std::vector<std::string_view> args;
        std::string_view says;
    };
    const std::vector<Case> cases{
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--decimal"}, "unknown option '--decimal'"},
        {{"--decimal-separator"}, "--decimal-separator needs a character"},
        {{"--decimal-separator", ""}, "exactly one character, not ''"},
        {{"--decimal-separator="}, "exactly one character"},
        {{"--decimal-separator", ",,"}, "exactly one character, not ',,'"},
        {{"--thousand-separator", "\xC3"}, "exactly one character"},
        {{"--thousand-separator", "\t"}, "control character"},
        {{"--decimal-separator", "5"}, "cannot be a digit"},
        {{"--decimal-separator", "-"}, "cannot be a digit, a sign"},
        {{"--decimal-separator", "e"}, "cannot be"},
        {{"--decimal-separator", " "}, "cannot be"},
        {{"a", "b"}, "only one script"},
    };
    for (const Case& c : cases) {
        try {
            (void)parse(c.args);
            ADD_FAILURE() << c.args.front() << " was accepted";
        } catch (const UsageError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
}

TEST(CommandLine, HelpTellsTheScriptsCommandsAndLimits)
{
    const std::string help(usageText());
    for (const std::string& word :
         {std::string("--decimal-separator C"), std::string("--thousand-separator C"), std::string("set NAME TEXT"),
          std::string("k a TIE p r L IRN v"), std::string("INICIAR, PARAR, NOVA SIMULA\xC3\x87\xC3\x83O, Sulco or Faixa"),
          std::string("wait N"), std::string("show"), std::to_string(kMaxWaitPeriods), std::string("Exit status")}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace tarvinel
