// The conversions between the text of the edit boxes and numbers, under the
// process-wide number format (view/number_format.hpp). Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/real.hpp"

namespace tarvinel {

// Reads a decimal number with the current DecimalSeparator: spaces, a sign,
// digits with an optional decimal part, an optional exponent, spaces. The
// result has a 64-bit significand; storing it into a double can overflow.
// A refused text raises EConvertError "'<text>' is not a valid floating
// point value".
[[nodiscard]] Real StrToFloat(std::string_view text);

// Reads a 32-bit signed integer, decimal or hexadecimal ("$", "x", "0x").
// A refused text raises EConvertError "''<text>'' is not a valid integer value".
[[nodiscard]] std::int32_t StrToInt(std::string_view text);

// General format with at most 15 significant digits and the current
// DecimalSeparator, as the output boxes show a value.
[[nodiscard]] std::string FloatToStr(long double value);
// The same into `out`, whose storage is reused: the tick writes its boxes
// without allocating.
void FloatToStr(long double value, std::string& out);

// The nearest integer, ties to even; EInvalidOp outside the 64-bit range.
[[nodiscard]] std::int64_t Round(long double value);

}  // namespace tarvinel
