#pragma once

#include "common/Extended.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Locale-free number reading. A number is: optional blanks, optional sign,
// digits with at most one "." (at least one digit), optional exponent "E" or
// "e" with optional sign and at least one digit, optional blanks. An integer
// is optional blanks, optional sign, decimal digits, optional blanks.
// Any other text is a conversion failure.

std::optional<Extended> TryTextToFloat(std::string_view text);
std::optional<std::int32_t> TryTextToInt(std::string_view text);

// The same, raising EConvertError ("'x' is not a valid floating point value",
// "'x' is not a valid integer value").
Extended TextToFloat(std::string_view text);
std::int32_t TextToInt(std::string_view text);

// A number as a double: EConvertError for bad text, EOverflow when it is too
// large for a double.
double TextToDouble(std::string_view text);
