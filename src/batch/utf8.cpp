#include "batch/utf8.hpp"

namespace tarvinel {

namespace {

bool isContinuation(unsigned char c) noexcept { return (c & 0xC0) == 0x80; }

}  // namespace

std::optional<CodePoint> decodeAt(std::string_view text, std::size_t at) noexcept
{
    if (at >= text.size()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return CodePoint{lead, 1};

    std::size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;  // below it the form is overlong
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[at + i]);
        if (!isContinuation(c)) return std::nullopt;
        code = (code << 6) | (c & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    return CodePoint{code, length};
}

bool isValidUtf8(std::string_view text) noexcept
{
    for (std::size_t i = 0; i < text.size();) {
        const auto decoded = decodeAt(text, i);
        if (!decoded) return false;
        i += decoded->length;
    }
    return true;
}

std::optional<char32_t> singleCodePoint(std::string_view text) noexcept
{
    const auto decoded = decodeAt(text, 0);
    if (!decoded || decoded->length != text.size()) return std::nullopt;
    return decoded->code;
}

}  // namespace tarvinel
