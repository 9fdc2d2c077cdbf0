#include "common/TextToNumber.h"

#include "common/CheckedMath.h"
#include "common/Errors.h"
#include "common/Text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view TrimmedView(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Checks the number syntax without converting.
bool IsNumberSyntax(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

// Powers of ten that a long double holds exactly (5^27 < 2^64).
constexpr Extended ExactPowersOfTen[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                         1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                         1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                         1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr int MaxExactPower = 27;

// A number of the checked syntax with at most 19 significant digits and a
// small decimal exponent, read without the C library: its digits and the
// power of ten are exact long doubles, so one multiplication or division
// rounds it once, to the same long double strtold gives. No value for any
// other number.
std::optional<Extended> ExactShortNumber(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::uint64_t digits = 0;
    int significant = 0;
    int exponent = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            point = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        if (digits != 0 || c != '0') {
            if (++significant > 19)
                return std::nullopt;
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        }
        if (point)
            --exponent;
    }
    if (i < text.size()) { // the exponent part
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        int given = 0;
        for (; i < text.size(); ++i) {
            given = given * 10 + (text[i] - '0');
            if (given > 1000)
                return std::nullopt;
        }
        exponent += negativeExponent ? -given : given;
    }
    Extended value = static_cast<Extended>(digits);
    if (digits != 0) {
        if (exponent > MaxExactPower || exponent < -MaxExactPower)
            return std::nullopt;
        if (exponent > 0)
            value *= ExactPowersOfTen[exponent];
        else if (exponent < 0)
            value /= ExactPowersOfTen[-exponent];
    }
    return negative ? -value : value;
}

locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

std::optional<Extended> TryTextToFloat(std::string_view text)
{
    const std::string_view trimmed = TrimmedView(text);
    if (!IsNumberSyntax(trimmed))
        return std::nullopt;
    if (const auto exact = ExactShortNumber(trimmed))
        return exact;
    const std::string copy(trimmed);
    errno = 0;
    char* end = nullptr;
    const Extended value = strtold_l(copy.c_str(), &end, CLocale());
    if (end != copy.c_str() + copy.size())
        return std::nullopt;
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> TryTextToInt(std::string_view text)
{
    const std::string_view trimmed = TrimmedView(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == '+' || trimmed[i] == '-'))
        negative = trimmed[i++] == '-';
    if (i == trimmed.size())
        return std::nullopt;
    long long value = 0;
    for (; i < trimmed.size(); ++i) {
        if (!IsDigit(trimmed[i]))
            return std::nullopt;
        value = value * 10 + (trimmed[i] - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

Extended TextToFloat(std::string_view text)
{
    if (const auto value = TryTextToFloat(text))
        return *value;
    throw EConvertError(QuotedValue(text) + " is not a valid floating point value");
}

std::int32_t TextToInt(std::string_view text)
{
    if (const auto value = TryTextToInt(text))
        return *value;
    throw EConvertError(QuotedValue(text) + " is not a valid integer value");
}

double TextToDouble(std::string_view text)
{
    // Read straight into a double: going through an extended value first
    // would round twice and can miss the nearest double by one bit.
    const std::string_view trimmed = TrimmedView(text);
    if (!IsNumberSyntax(trimmed))
        throw EConvertError(QuotedValue(text) + " is not a valid floating point value");
    // from_chars rounds correctly as strtod does; what it leaves (a leading
    // "+", results out of range) goes to strtod.
    {
        const std::string_view number = trimmed.starts_with('+') ? trimmed.substr(1) : trimmed;
        double value = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc() && end == number.data() + number.size())
            return value;
    }
    const std::string copy(trimmed);
    errno = 0;
    const double value = strtod_l(copy.c_str(), nullptr, CLocale());
    if (errno == ERANGE && std::isinf(value))
        throw EOverflow();
    return value;
}
