#include "common/Format.h"

#include "common/Errors.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Decimal digits of |value|: value = 0.d1d2d3... x 10^exponent, with enough
// digits (30) that rounding them once gives the correctly rounded result.
struct TDecimal {
    std::string Digits; // no leading zero; empty for zero
    int Exponent = 0;
};

TDecimal ToDecimal(Extended value)
{
    TDecimal result;
    if (value == 0.0L)
        return result;
    // d.ddd...e+XX, independent of the C locale's decimal point.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 29);
    std::string text(buffer, written.ptr);
    const auto e = text.find('e');
    result.Digits = text.substr(0, 1) + text.substr(2, e - 2);
    result.Exponent = std::atoi(text.c_str() + e + 1) + 1;
    return result;
}

// Keeps `count` leading digits, rounding the rest half away from zero; a carry
// out of the first digit raises the exponent.
void RoundDigits(TDecimal& decimal, int count)
{
    if (count < 0) {
        decimal.Digits.clear();
        return;
    }
    if (static_cast<int>(decimal.Digits.size()) <= count)
        return;
    const bool up = decimal.Digits[static_cast<std::size_t>(count)] >= '5';
    decimal.Digits.resize(static_cast<std::size_t>(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && decimal.Digits[static_cast<std::size_t>(i)] == '9') {
            decimal.Digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++decimal.Digits[static_cast<std::size_t>(i)];
        } else {
            decimal.Digits.insert(decimal.Digits.begin(), '1');
            decimal.Digits.pop_back();
            if (decimal.Digits.empty())
                decimal.Digits.push_back('1');
            ++decimal.Exponent;
        }
    }
    while (!decimal.Digits.empty() && decimal.Digits.back() == '0')
        decimal.Digits.pop_back();
    if (decimal.Digits.empty())
        decimal.Exponent = 0;
}

char DigitAt(const TDecimal& decimal, int index)
{
    return index >= 0 && index < static_cast<int>(decimal.Digits.size())
               ? decimal.Digits[static_cast<std::size_t>(index)]
               : '0';
}

std::string NonFinite(Extended value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string Pad(std::string text, int width, bool leftAlign)
{
    if (width > static_cast<int>(text.size())) {
        const std::string fill(static_cast<std::size_t>(width) - text.size(), ' ');
        text = leftAlign ? text + fill : fill + text;
    }
    return text;
}

// Widths and precisions beyond this are refused as a bad format rather than
// building texts of any length (or overflowing the count while reading it).
constexpr int MaxWidth = 1000;

[[noreturn]] void BadFormat(std::string_view format)
{
    throw EConvertError("Format '" + std::string(format) +
                        "' invalid or incompatible with argument");
}

} // namespace

std::string FormatFixed(Extended value, int decimals)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    if (decimals < 0)
        decimals = 0;
    TDecimal decimal = ToDecimal(value);
    RoundDigits(decimal, decimal.Exponent + decimals);
    std::string text;
    if (value < 0 && !decimal.Digits.empty())
        text += '-';
    if (decimal.Exponent <= 0) {
        text += '0';
    } else {
        for (int i = 0; i < decimal.Exponent; ++i)
            text += DigitAt(decimal, i);
    }
    if (decimals > 0) {
        text += '.';
        for (int i = 0; i < decimals; ++i)
            text += DigitAt(decimal, decimal.Exponent + i);
    }
    return text;
}

std::string FormatGeneral(Extended value, int significantDigits)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    const int digits = significantDigits < 2 ? 2 : significantDigits;
    TDecimal decimal = ToDecimal(value);
    RoundDigits(decimal, digits);
    if (decimal.Digits.empty())
        return "0";
    std::string text = value < 0 ? "-" : "";
    const int e = decimal.Exponent;
    const int count = static_cast<int>(decimal.Digits.size());
    if (e >= -3 && e <= digits) {
        if (e <= 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-e), '0');
            text += decimal.Digits;
        } else {
            for (int i = 0; i < e; ++i)
                text += DigitAt(decimal, i);
            if (count > e) {
                text += '.';
                text.append(decimal.Digits, static_cast<std::size_t>(e));
            }
        }
        return text;
    }
    text += decimal.Digits[0];
    if (count > 1) {
        text += '.';
        text.append(decimal.Digits, 1);
    }
    const int exponent = e - 1;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "E%s%03d", exponent < 0 ? "-" : "",
                  exponent < 0 ? -exponent : exponent);
    return text + buffer;
}

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args)
{
    std::string out;
    const TFormatArg* next = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool leftAlign = false;
        if (i < format.size() && format[i] == '-') {
            leftAlign = true;
            ++i;
        }
        int width = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            width = width * 10 + (format[i++] - '0');
            if (width > MaxWidth)
                BadFormat(format);
        }
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            ++i;
            precision = 0;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
                precision = precision * 10 + (format[i++] - '0');
                if (precision > MaxWidth)
                    BadFormat(format);
            }
        }
        if (i >= format.size() || next == args.end())
            BadFormat(format);
        const char conversion = static_cast<char>(format[i++] | 0x20);
        const TFormatArg& arg = *next++;
        std::string piece;
        switch (conversion) {
        case 'f':
            if (arg.Kind != TFormatArg::TKind::Float)
                BadFormat(format);
            piece = FormatFixed(arg.Float, precision < 0 ? 2 : precision);
            break;
        case 'g':
            if (arg.Kind != TFormatArg::TKind::Float)
                BadFormat(format);
            piece = FormatGeneral(arg.Float, precision < 0 ? 15 : precision);
            break;
        case 'd':
            if (arg.Kind != TFormatArg::TKind::Integer)
                BadFormat(format);
            piece = std::to_string(arg.Integer);
            if (precision > 0) {
                const bool negative = arg.Integer < 0;
                std::string digits = negative ? piece.substr(1) : piece;
                if (static_cast<int>(digits.size()) < precision)
                    digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
                piece = (negative ? "-" : "") + digits;
            }
            break;
        case 's':
            if (arg.Kind != TFormatArg::TKind::Text)
                BadFormat(format);
            piece =
                precision >= 0 ? arg.Text.substr(0, static_cast<std::size_t>(precision)) : arg.Text;
            break;
        default:
            BadFormat(format);
        }
        out += Pad(std::move(piece), width, leftAlign);
    }
    return out;
}
