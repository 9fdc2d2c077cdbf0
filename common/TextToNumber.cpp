#include "common/TextToNumber.h"

#include "common/CheckedMath.h"
#include "common/Errors.h"
#include "common/Text.h"

#include <cerrno>
#include <cmath>
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
    const std::string copy(trimmed);
    errno = 0;
    const double value = strtod_l(copy.c_str(), nullptr, CLocale());
    if (errno == ERANGE && std::isinf(value))
        throw EOverflow();
    return value;
}
