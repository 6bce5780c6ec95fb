// What the error report shows: the message of an error that escaped a
// handler, and the application title that captions the box.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tarvinel {

// The innermost error's message, with a period appended when its last
// character's code lies above that of ".".
[[nodiscard]] std::string reportMessage(const std::exception& error);

// The executable's file name without its directory and without everything
// from its first ".", every character after the first in lower case:
// "ABC.DEF.EXE" gives "Abc".
[[nodiscard]] std::string applicationTitle(std::string_view executablePath);

}  // namespace tarvinel
