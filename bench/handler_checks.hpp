// What must hold after every handler, whatever the user typed: no field of
// SimState holds an infinity or a NaN, and every error is one of the known
// kinds with its own message. Shared by the soak and the handler fuzzer.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "model/form_port.hpp"
#include "model/phase_times.hpp"
#include "model/sim_state.hpp"
#include "model/sweep.hpp"
#include "numeric/errors.hpp"

namespace tarvinel::bench {

struct DoubleField {
    const char* name;
    double SimState::*field;
};

// Every real field of SimState.
inline constexpr std::array<DoubleField, 29> kDoubleFields{{
    {"k", &SimState::k},
    {"a", &SimState::a},
    {"TIE", &SimState::TIE},
    {"p", &SimState::p},
    {"r", &SimState::r},
    {"L", &SimState::L},
    {"IRN", &SimState::IRN},
    {"v", &SimState::v},
    {"RecessionCoef", &SimState::RecessionCoef},
    {"RecessionExp", &SimState::RecessionExp},
    {"Clock", &SimState::Clock},
    {"FrontPos", &SimState::FrontPos},
    {"AdvanceTime", &SimState::AdvanceTime},
    {"ReqTime", &SimState::ReqTime},
    {"ReqTimeDepth", &SimState::ReqTimeDepth},
    {"Ti", &SimState::Ti},
    {"Td", &SimState::Td},
    {"Tr", &SimState::Tr},
    {"CutoffLead", &SimState::CutoffLead},
    {"DepletionEstimate", &SimState::DepletionEstimate},
    {"EstimateChange", &SimState::EstimateChange},
    {"MeanInfiltrationRate", &SimState::MeanInfiltrationRate},
    {"DepletionDepth", &SimState::DepletionDepth},
    {"StationOppTime", &SimState::StationOppTime},
    {"StationDepth", &SimState::StationDepth},
    {"SurfaceLevel", &SimState::SurfaceLevel},
    {"RecessionPos", &SimState::RecessionPos},
    {"MarkerX", &SimState::MarkerX},
    {"MarkerY", &SimState::MarkerY},
}};

// The name of the first field that holds an infinity or a NaN, or nullptr.
inline const char* nonFiniteField(const SimState& s) noexcept
{
    for (const DoubleField& f : kDoubleFields) {
        if (!std::isfinite(s.*(f.field))) return f.name;
    }
    return nullptr;
}

// Whether `message` is "'<text>' is not a valid floating point value" or
// "''<text>'' is not a valid integer value" for the text of one of the
// eight parameter boxes. A text with a NUL byte in it comes back from
// what(), a C string, cut at that byte.
inline bool isConvertMessage(std::string_view message, const FormPort& form)
{
    const auto same = [&](const std::string& expected) {
        return message == std::string_view(expected).substr(0, expected.find('\0'));
    };
    for (int i = 0; i < 8; ++i) {
        const std::string text = form.text(static_cast<EditBox>(i));
        if (same("'" + text + "' is not a valid floating point value")) return true;
        if (same("''" + text + "'' is not a valid integer value")) return true;
    }
    return false;
}

// Whether `e` is a known kind carrying its message. EOutOfResources cannot
// arise without a platform timer, so it counts as unknown here.
inline bool isKnownError(const Error& e, const FormPort& form)
{
    const std::string_view m = e.what();
    switch (e.kind()) {
    case ErrorKind::EConvertError: return isConvertMessage(m, form);
    case ErrorKind::EInvalidOp: return m == kInvalidOpMessage;
    case ErrorKind::EZeroDivide: return m == kZeroDivideMessage;
    case ErrorKind::EOverflow: return m == kOverflowMessage;
    case ErrorKind::AxisException:
        return m == "Axis Maximum Value must be >= Minimum" || m == "Axis Minimum Value must be <= Maximum";
    case ErrorKind::ELimitExceeded:
        return m == "Required depth not reached within " + std::to_string(kMaxSearchSteps) + " search steps" ||
               m == "Depletion time not settled within " + std::to_string(kMaxDepletionPasses) + " passes" ||
               m == "Run too long: more than " + std::to_string(kMaxSweepStations) + " stations in one sweep";
    case ErrorKind::EOutOfResources: return false;
    }
    return false;
}

}  // namespace tarvinel::bench
