// tarvinel-batch: runs a lesson script through the window's handlers without
// a display and prints what the window would show as JSON lines.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/command_line.hpp"
#include "batch/runner.hpp"
#include "batch/script.hpp"
#include "view/number_format.hpp"
#include "view/system_locale.hpp"

namespace {

constexpr int kScriptRan = 0;
constexpr int kOutputFailed = 1;
constexpr int kNothingRun = 2;

bool readAll(std::istream& in, std::string& text)
{
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace tarvinel;
    std::ios::sync_with_stdio(false);

    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(args);
    } catch (const UsageError& e) {
        std::cerr << "tarvinel-batch: " << e.what() << "\nTry 'tarvinel-batch --help' for more information.\n";
        return kNothingRun;
    }
    if (commandLine.help) {
        std::cout << usageText() << std::flush;
        return std::cout ? kScriptRan : kOutputFailed;
    }

    // The separators are the window's: the regional settings, unless the
    // command line names others.
    loadSystemNumberFormat();
    if (commandLine.decimalSeparator) numberFormat().DecimalSeparator = *commandLine.decimalSeparator;
    if (commandLine.thousandSeparator) numberFormat().ThousandSeparator = *commandLine.thousandSeparator;

    std::string text;
    std::string source = "standard input";
    if (commandLine.scriptPath) {
        source = *commandLine.scriptPath;
        std::ifstream file(source, std::ios::binary);
        if (!file || !readAll(file, text)) {
            std::cerr << "tarvinel-batch: cannot read the script '" << source << "'\n";
            return kNothingRun;
        }
    } else if (!readAll(std::cin, text)) {
        std::cerr << "tarvinel-batch: cannot read the script from standard input\n";
        return kNothingRun;
    }

    const Script script = parseScript(text);
    if (!script.problems.empty()) {
        // Every bad line at once, so that one round of corrections is enough;
        // a file that is no script at all is cut short.
        constexpr std::size_t kShown = 20;
        for (std::size_t i = 0; i < script.problems.size() && i < kShown; ++i) {
            std::cerr << "tarvinel-batch: " << source << ", line " << script.problems[i].line << ": "
                      << script.problems[i].message << '\n';
        }
        if (script.problems.size() > kShown) {
            std::cerr << "tarvinel-batch: " << source << ": " << script.problems.size() - kShown
                      << " more bad lines\n";
        }
        std::cerr << "tarvinel-batch: nothing was run\n";
        return kNothingRun;
    }

    BatchRunner runner(std::cout);
    runner.start();
    runner.run(script.commands);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tarvinel-batch: the output could not be written\n";
        return kOutputFailed;
    }
    return kScriptRan;
}
