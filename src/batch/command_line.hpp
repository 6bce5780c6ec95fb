// The command line of tarvinel-batch:
//   tarvinel-batch [--decimal-separator C] [--thousand-separator C] [SCRIPT]
// An option's value may also follow it after "=". "--" ends the options;
// SCRIPT "-", like no SCRIPT at all, is the standard input.
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvinel {

struct CommandLine {
    bool help = false;
    // Unset: the user's regional settings decide.
    std::optional<char32_t> decimalSeparator;
    std::optional<char32_t> thousandSeparator;
    // Unset: the standard input.
    std::optional<std::string> scriptPath;
};

// A command line that cannot be used; what() says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. "--help" or "-h" anywhere
// wins over everything after it.
[[nodiscard]] CommandLine parseCommandLine(std::span<const std::string_view> args);

// The text --help prints.
[[nodiscard]] std::string_view usageText() noexcept;

}  // namespace tarvinel
