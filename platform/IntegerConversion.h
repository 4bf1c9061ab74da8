// Reading whole numbers typed by the user, with the rules of the original platform: optional
// leading blanks, then an optional sign and decimal digits, or "$" and hexadecimal digits, and
// nothing after; the value must fit a 32-bit signed integer.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// The value, or nothing when the text is not such a number.
std::optional<std::int32_t> tryParseInteger(const QString& text);

// The value; throws ConvertError naming the text when it is not such a number.
std::int32_t parseInteger(const QString& text);

} // namespace platform
