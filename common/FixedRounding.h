#pragma once

#include <cstdint>
#include <optional>

// The rounding of FormatFixed() without its text, for code that only wants
// the number a shown value reads back as.
//
// FormatFixed rounds the value's 30 leading decimal digits half away from
// zero. These functions give the same result from the binary value, exactly,
// and give no value where they cannot be sure of it: where the value lies so
// close to a rounding half that its 30-digit form could fall on the other
// side, where the result would not fit, or for a value that is not finite.
// Callers then make the text.

// The whole number n with FormatFixed(magnitude, decimals) == n / 10^decimals
// written out, for a magnitude >= 0 and 0 <= decimals <= 15.
std::optional<std::uint64_t> FixedDigits(double magnitude, int decimals);

// TextToDouble(FormatFixed(value, decimals)): the value rounded to the given
// decimals as the text of it reads back.
std::optional<double> FixedRoundTrip(double value, int decimals);
