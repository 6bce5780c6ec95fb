// The lesson script of the batch driver: one command a line, read whole
// before anything runs, so that a mistake on line 40 is found before the
// first 39 lines have printed anything.
//
//   set NAME TEXT   TEXT into the edit box of the parameter NAME
//                   (k a TIE p r L IRN v); TEXT is everything after the one
//                   space that follows NAME, spaces included, and may be empty
//   click CAPTION   INICIAR, PARAR, NOVA SIMULAÇÃO, Sulco or Faixa
//   wait N          N periods of Timer1, each a tick while the timer is on
//   show            the window's state as one JSON line
//
// Blank lines (nothing but spaces and tabs) and lines that start with "#"
// are skipped. Lines end in LF or CR LF; a byte-order mark before the first
// line is ignored. The text must be UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/form_port.hpp"

namespace tarvinel {

// The controls a script can click, by their captions.
enum class ClickTarget {
    Iniciar,        // "INICIAR", Button1
    Parar,          // "PARAR", Button2
    NovaSimulacao,  // "NOVA SIMULAÇÃO", Button3
    Sulco,          // "Sulco", RadioButton1
    Faixa,          // "Faixa", RadioButton2
};

struct SetCommand {
    EditBox box;
    std::string text;
    friend bool operator==(const SetCommand&, const SetCommand&) = default;
};
struct ClickCommand {
    ClickTarget target;
    friend bool operator==(ClickCommand, ClickCommand) = default;
};
struct WaitCommand {
    std::uint32_t periods;
    friend bool operator==(WaitCommand, WaitCommand) = default;
};
struct ShowCommand {
    friend bool operator==(ShowCommand, ShowCommand) = default;
};
using ScriptCommand = std::variant<SetCommand, ClickCommand, WaitCommand, ShowCommand>;

// The longest wait one line may ask for: at 50 ms a period, about 14 hours
// of the window's time, 83 333 simulated minutes at v = 100. A run that ends
// stops a wait at once, but one that never ends (v = 0, or a tick that fails
// every time) would otherwise keep the driver busy without bound.
inline constexpr std::uint32_t kMaxWaitPeriods = 1'000'000;

struct ScriptProblem {
    std::size_t line;     // 1 for the first line
    std::string message;  // what is wrong with it
    friend bool operator==(const ScriptProblem&, const ScriptProblem&) = default;
};

struct Script {
    std::vector<ScriptCommand> commands;  // in script order
    std::vector<ScriptProblem> problems;  // every bad line; run nothing unless empty
};

[[nodiscard]] Script parseScript(std::string_view text);

// The parameter names in the order the help lists them, and their boxes.
struct ParameterBox {
    std::string_view name;
    EditBox box;
};
inline constexpr ParameterBox kParameterBoxes[] = {
    {"k", EditBox::Edit4}, {"a", EditBox::Edit5},   {"TIE", EditBox::Edit6}, {"p", EditBox::Edit7},
    {"r", EditBox::Edit1}, {"L", EditBox::Edit2},   {"IRN", EditBox::Edit3}, {"v", EditBox::Edit8},
};

}  // namespace tarvinel
