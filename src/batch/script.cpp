#include "batch/script.hpp"

#include <charconv>
#include <cstdio>
#include <optional>

#include "batch/utf8.hpp"

namespace tarvinel {

namespace {

struct Caption {
    std::string_view text;
    ClickTarget target;
};
// "NOVA SIMULAÇÃO" is accepted composed (as keyboards type it) and
// decomposed (C + U+0327, A + U+0303, as some editors save it).
constexpr Caption kCaptions[] = {
    {"INICIAR", ClickTarget::Iniciar},
    {"PARAR", ClickTarget::Parar},
    {"NOVA SIMULA\u00C7\u00C3O", ClickTarget::NovaSimulacao},
    {"NOVA SIMULAC\u0327A\u0303O", ClickTarget::NovaSimulacao},
    {"Sulco", ClickTarget::Sulco},
    {"Faixa", ClickTarget::Faixa},
};
constexpr std::string_view kCaptionList = "INICIAR, PARAR, NOVA SIMULA\u00C7\u00C3O, Sulco or Faixa";
constexpr std::string_view kParameterList = "k, a, TIE, p, r, L, IRN or v";

std::string quoted(std::string_view text, std::string_view before = {})
{
    // Built by appending: GCC 12 warns falsely (-Wrestrict) about the
    // temporaries of "'" + text + "'" at -O3.
    std::string out;
    out.reserve(before.size() + text.size() + 2);
    out.push_back('\'');
    out.append(before);
    out.append(text);
    out.push_back('\'');
    return out;
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A control character other than the tab: nothing a person types into a box,
// and a carriage return inside a line means the file has old Mac line ends.
std::optional<std::string> controlCharacterProblem(std::string_view line)
{
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r') return "a carriage return inside the line (the script must end its lines in LF or CR LF)";
        if (c < 0x20 && c != '\t') {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            return std::string("a control character (") + code + ") in the line";
        }
    }
    return std::nullopt;
}

struct LineResult {
    std::optional<ScriptCommand> command;
    std::string problem;
};

LineResult fail(std::string message) { return {std::nullopt, std::move(message)}; }

LineResult parseSet(std::string_view rest, bool hasRest)
{
    if (!hasRest) return fail(std::string("'set' needs a parameter name: ") + std::string(kParameterList));
    const auto space = rest.find(' ');
    const std::string_view name = rest.substr(0, space);
    // Everything after the one space that follows the name is the text.
    const std::string_view text = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
    for (const ParameterBox& p : kParameterBoxes) {
        if (p.name == name) return {SetCommand{p.box, std::string(text)}, {}};
    }
    return fail("unknown parameter " + quoted(name) + ": the parameters are " + std::string(kParameterList));
}

LineResult parseClick(std::string_view rest, bool hasRest)
{
    if (!hasRest) return fail("'click' needs a caption: " + std::string(kCaptionList));
    for (const Caption& c : kCaptions) {
        if (c.text == rest) return {ClickCommand{c.target}, {}};
    }
    return fail("unknown caption " + quoted(rest) + ": the captions are " + std::string(kCaptionList));
}

LineResult parseWait(std::string_view rest, bool hasRest)
{
    if (!hasRest || rest.empty()) return fail("'wait' needs a number of timer periods");
    if (rest.find_first_not_of("0123456789") != std::string_view::npos) {
        return fail(quoted(rest) + " is not a whole number of timer periods");
    }
    std::uint64_t periods = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), periods);
    if (error != std::errc{} || end != rest.data() + rest.size() || periods > kMaxWaitPeriods) {
        return fail("'wait' takes at most " + std::to_string(kMaxWaitPeriods) + " timer periods, not " + std::string(rest));
    }
    return {WaitCommand{static_cast<std::uint32_t>(periods)}, {}};
}

LineResult parseShow(std::string_view rest, bool hasRest)
{
    if (hasRest) return fail("'show' takes nothing after it, found " + quoted(rest, " "));
    return {ShowCommand{}, {}};
}

LineResult parseLine(std::string_view line)
{
    if (!isValidUtf8(line)) return fail("the line is not valid UTF-8 text");
    if (auto problem = controlCharacterProblem(line)) return fail(std::move(*problem));

    const auto space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    const bool hasRest = space != std::string_view::npos;
    const std::string_view rest = hasRest ? line.substr(space + 1) : std::string_view{};

    if (word == "set") return parseSet(rest, hasRest);
    if (word == "click") return parseClick(rest, hasRest);
    if (word == "wait") return parseWait(rest, hasRest);
    if (word == "show") return parseShow(rest, hasRest);
    return fail("unknown command " + quoted(word) + ": the commands are set, click, wait and show");
}

}  // namespace

Script parseScript(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    Script script;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);

        if (isBlank(line) || line.starts_with('#')) continue;
        LineResult result = parseLine(line);
        if (result.command) {
            script.commands.push_back(std::move(*result.command));
        } else {
            script.problems.push_back({number, std::move(result.problem)});
        }
    }
    return script;
}

}  // namespace tarvinel
