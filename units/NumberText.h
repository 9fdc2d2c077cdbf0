#pragma once

#include <string>
#include <string_view>

// How a numeric edit chooses its display text.
enum TFormatType : unsigned char {
    ft_Auto = 0,         // decimals from the significant digits
    ft_Fixed = 1,        // the format text as it stands
    ft_AutoOverride = 2, // automatic below 10^(2 - decimals), else the format text
    ft_Manual = 3,       // like ft_Fixed, and a change of unit keeps the format text
};

// Format classification: each test looks for its letter anywhere in the text.
bool IsStringFormat(std::string_view format);
bool IsPairFormat(std::string_view format);
bool IsIntegerFormat(std::string_view format);
bool IsGeneralFormat(std::string_view format);
bool IsFloatFormat(std::string_view format);

// The digit just after the first "." of a format ("%0.3f" -> 3); 0 when there
// is none or it is not a digit.
int FormatDecimalsOf(std::string_view format);

// Decimals that show a value with the given significant digits: below 10 the
// first significant decimal and two more (at least three), otherwise the
// digits left over after the integer part; never more than `maximum`.
int AutoDecimals(int sigDigs, int maximum, double value);
std::string AutoFormat(int sigDigs, double value);

// The display text of a value by the display rule of an edit.
std::string FormatByType(double value, std::string_view format, TFormatType type, int sigDigs,
                         int formatDecimals);

// Tidies typed number text before it is converted (blanks removed, stray signs,
// points and exponent letters dropped, out-of-range exponents cut). Raises
// EConvertError when the exponent is not an integer.
std::string CleanNumberText(std::string_view text);

// A number, or a pair of numbers written a/b.
struct TNumberPair {
    double First = 0;
    double Second = 0;
    bool IsPair = false;
};
TNumberPair ParsePair(std::string_view text);
