#pragma once

#include "common/Extended.h"

#include <initializer_list>
#include <string>
#include <string_view>

// One argument of Format(): a number, an integer or a text.
class TFormatArg {
public:
    enum class TKind { Float, Integer, Text };

    TFormatArg(double value) : Kind(TKind::Float), Float(value) {}
    TFormatArg(long double value) : Kind(TKind::Float), Float(value) {}
    TFormatArg(int value) : Kind(TKind::Integer), Integer(value) {}
    TFormatArg(long value) : Kind(TKind::Integer), Integer(value) {}
    TFormatArg(long long value) : Kind(TKind::Integer), Integer(value) {}
    TFormatArg(const char* value) : Kind(TKind::Text), Text(value) {}
    TFormatArg(std::string value) : Kind(TKind::Text), Text(std::move(value)) {}
    TFormatArg(std::string_view value) : Kind(TKind::Text), Text(value) {}

    TKind Kind;
    Extended Float = 0;
    long long Integer = 0;
    std::string Text;
};

// printf-style formatting with the conversions the program uses, always with
// "." as the decimal separator whatever the user's locale:
//   %0.nf  fixed, n decimals, halves rounded away from zero
//   %0.ng  general, max(n, 2) significant digits; exponent style "1.23E-005"
//   %d     integer
//   %s     text
//   %%     a percent sign
// A width (with "-" for left alignment) is honoured. A conversion that does not
// match its argument, a missing argument, or a width or precision above 1000
// raises EConvertError.
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);

// The fixed and general conversions on their own.
std::string FormatFixed(Extended value, int decimals);
std::string FormatGeneral(Extended value, int significantDigits);
