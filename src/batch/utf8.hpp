// UTF-8 decoding for the batch driver: scripts, options and the texts that
// go into its JSON output are UTF-8, and a malformed byte must be caught
// before it reaches the output.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tarvinel {

struct CodePoint {
    char32_t code = 0;
    std::size_t length = 0;  // bytes taken, 1 to 4
};

// The code point whose encoding starts at text[at], or nothing when the bytes
// there are not a well-formed UTF-8 sequence: a stray continuation byte, a
// truncated sequence, an overlong form, a surrogate or a code above U+10FFFF.
[[nodiscard]] std::optional<CodePoint> decodeAt(std::string_view text, std::size_t at) noexcept;

[[nodiscard]] bool isValidUtf8(std::string_view text) noexcept;

// The one code point that the text spells, or nothing when it is empty,
// malformed or longer than one code point.
[[nodiscard]] std::optional<char32_t> singleCodePoint(std::string_view text) noexcept;

}  // namespace tarvinel
