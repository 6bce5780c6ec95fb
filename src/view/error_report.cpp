#include "view/error_report.hpp"

#include "numeric/errors.hpp"

namespace tarvinel {

namespace {

// The message of the innermost error of a chain built with
// std::throw_with_nested; an error that wraps nothing, or wraps something
// that is not a std::exception, gives its own.
std::string innermostMessage(const std::exception& error)
{
    if (const auto* wrapper = dynamic_cast<const std::nested_exception*>(&error);
        wrapper != nullptr && wrapper->nested_ptr() != nullptr) {
        try {
            std::rethrow_exception(wrapper->nested_ptr());
        } catch (const std::exception& inner) {
            return innermostMessage(inner);
        } catch (...) {
        }
    }
    if (const auto* own = dynamic_cast<const Error*>(&error)) return own->message();
    return error.what();
}

// Length in bytes of the UTF-8 sequence that starts with `lead`.
std::size_t sequenceLength(unsigned char lead) noexcept
{
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string reportMessage(const std::exception& error)
{
    std::string message = innermostMessage(error);
    // The last byte stands for the last character: a multi-byte character
    // ends in a continuation byte (0x80 and up) and its code lies above "."
    // as well, so both get the period.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}

std::string applicationTitle(std::string_view executablePath)
{
    std::string_view name = executablePath;
    if (const auto slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
    if (const auto dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);

    std::string title(name);
    // Lower case after the first character: ASCII, and the capitals of the
    // Latin-1 supplement (À to Þ, but not ×), whose small letters lie 0x20
    // above them in the same two-byte UTF-8 form.
    std::size_t i = title.empty() ? 0 : sequenceLength(static_cast<unsigned char>(title[0]));
    while (i < title.size()) {
        const auto c = static_cast<unsigned char>(title[i]);
        if (c >= 'A' && c <= 'Z') {
            title[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && i + 1 < title.size()) {
            const auto next = static_cast<unsigned char>(title[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) title[i + 1] = static_cast<char>(next + 0x20);
        }
        i += sequenceLength(c);
    }
    return title;
}

}  // namespace tarvinel
