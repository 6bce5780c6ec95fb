// The errors of Tarvinel. Every failure -- a text that does not convert, an
// axis end the chart refuses, a faulty arithmetic step -- is raised as one
// `Error` carrying its kind and its message, ends the running handler at that
// step and is reported by the one guard around the handlers.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvinel {

enum class ErrorKind {
    EConvertError,    // a text that StrToFloat or StrToInt refuses
    EInvalidOp,       // an invalid floating-point operation (0/0, log of a negative, ...)
    EZeroDivide,      // a non-zero value divided by zero
    EOverflow,        // a result too large for its destination
    AxisException,    // an axis end the chart refuses
    EOutOfResources,  // the platform has no timer left
    ELimitExceeded,   // a loop of the model ran past the bound that keeps a tick short
};

// The kind's name as the error reports and the batch output spell it.
[[nodiscard]] std::string_view kindName(ErrorKind kind) noexcept;

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind), message_(message)
    {
    }
    [[nodiscard]] ErrorKind kind() const noexcept { return kind_; }
    // The whole message, even where a quoted text holds a NUL byte, at which
    // what() would stop.
    [[nodiscard]] const std::string& message() const noexcept { return message_; }

private:
    ErrorKind kind_;
    std::string message_;
};

// The fixed messages of the arithmetic faults.
inline constexpr std::string_view kInvalidOpMessage = "Invalid floating point operation";
inline constexpr std::string_view kZeroDivideMessage = "Floating point division by zero";
inline constexpr std::string_view kOverflowMessage = "Floating point overflow";

[[noreturn]] void raiseInvalidOp();
[[noreturn]] void raiseZeroDivide();
[[noreturn]] void raiseOverflow();

}  // namespace tarvinel
