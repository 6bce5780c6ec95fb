#include "batch/command_line.hpp"

#include "batch/utf8.hpp"

namespace tarvinel {

namespace {

// One character of the user's choosing. A decimal mark that is a digit, a
// sign, an exponent letter or a space would make the boxes' numbers
// ambiguous, so it is refused; the grouping mark never reaches the output
// and may be anything printable.
char32_t separator(std::string_view option, std::string_view value, bool decimal)
{
    const auto code = singleCodePoint(value);
    if (!code) {
        throw UsageError("the value of " + std::string(option) + " must be exactly one character, not '" +
                         std::string(value) + "'");
    }
    if (*code < 0x20 || *code == 0x7F) throw UsageError("the value of " + std::string(option) + " is a control character");
    if (decimal && ((*code >= U'0' && *code <= U'9') || *code == U'+' || *code == U'-' || *code == U'e' ||
                    *code == U'E' || *code == U' ')) {
        throw UsageError("the decimal separator cannot be a digit, a sign, 'e', 'E' or a space");
    }
    return *code;
}

}  // namespace

CommandLine parseCommandLine(std::span<const std::string_view> args)
{
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            line.help = true;
            return line;
        }
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.starts_with("-") && arg != "-") {
            const auto equals = arg.find('=');
            const std::string_view name = arg.substr(0, equals);
            const bool decimal = name == "--decimal-separator";
            if (!decimal && name != "--thousand-separator") throw UsageError("unknown option '" + std::string(arg) + "'");
            std::string_view value;
            if (equals != std::string_view::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                throw UsageError(std::string(name) + " needs a character");
            }
            (decimal ? line.decimalSeparator : line.thousandSeparator) = separator(name, value, decimal);
            continue;
        }
        if (line.scriptPath) throw UsageError("only one script can be named, found '" + std::string(arg) + "' as well");
        line.scriptPath = std::string(arg);
    }
    if (line.scriptPath == "-") line.scriptPath.reset();
    return line;
}

std::string_view usageText() noexcept
{
    return "Usage: tarvinel-batch [--decimal-separator C] [--thousand-separator C] [SCRIPT]\n"
           "\n"
           "Runs a lesson script through the simulator's own handlers, without a window,\n"
           "and prints what the window would show as JSON lines on standard output.\n"
           "The script is read from SCRIPT, or from standard input when SCRIPT is \"-\"\n"
           "or not given.\n"
           "\n"
           "Options:\n"
           "  --decimal-separator C   the decimal mark of the edit boxes, one character;\n"
           "                          by default that of your regional settings\n"
           "  --thousand-separator C  the grouping mark, one character; by default that\n"
           "                          of your regional settings\n"
           "  -h, --help              print this help and exit\n"
           "\n"
           "The boxes start with the window's default texts (\"5,5\", \"0,2\", \"0,348\" and\n"
           "\"0,87\" need \",\" as the decimal separator) and the window's start-up runs.\n"
           "\n"
           "The script has one command a line; blank lines and lines that start with \"#\"\n"
           "are skipped:\n"
           "  set NAME TEXT   put TEXT into the box of parameter NAME: k a TIE p r L IRN v;\n"
           "                  TEXT is everything after the space after NAME, and may be\n"
           "                  empty (\"set k\")\n"
           "  click CAPTION   click INICIAR, PARAR, NOVA SIMULAÇÃO, Sulco or Faixa\n"
           "  wait N          let N periods of the timer pass, 0 to 1000000; each runs\n"
           "                  one tick while the timer is on\n"
           "  show            print the output boxes, \"running\", \"mode\", \"state\" (every\n"
           "                  field of the simulation), \"series\" and \"axes\" as one line\n"
           "\n"
           "An error in a handler prints {\"error\":{\"kind\":...,\"message\":...}} with the\n"
           "message the window's error box would show, and the script goes on.\n"
           "\n"
           "Exit status: 0 when the script ran; 1 when the output could not be written;\n"
           "2 for a bad command line, an unreadable script or a bad script line, in which\n"
           "case nothing of the script is run.\n";
}

}  // namespace tarvinel
