#include "units/NumberText.h"

#include "common/Format.h"
#include "common/TextToNumber.h"

#include <cmath>

namespace {

bool Contains(std::string_view text, char lower, char upper)
{
    return text.find(lower) != std::string_view::npos || text.find(upper) != std::string_view::npos;
}

void RemoveAll(std::string& text, char c, std::size_t from = 0)
{
    std::string kept = text.substr(0, from);
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] != c)
            kept += text[i];
    text = kept;
}

// Keeps the first occurrence of c and removes every later one.
void KeepFirst(std::string& text, char c)
{
    const auto first = text.find(c);
    if (first != std::string::npos)
        RemoveAll(text, c, first + 1);
}

std::string CleanSingle(std::string text)
{
    if (text.empty())
        return "0";
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    KeepFirst(text, 'E');
    if (text.size() >= 2) {
        std::string rest;
        for (std::size_t i = 1; i < text.size(); ++i)
            if (text[i] != '-' || text[i - 1] == 'E')
                rest += text[i];
        text = text.substr(0, 1) + rest;
    }
    if (text == "-")
        return "0";
    KeepFirst(text, '.');
    if (text.front() == 'E')
        text.insert(text.begin(), '1');
    const auto e = text.find('E');
    if (e != std::string::npos && e + 1 < text.size()) {
        std::string exponent = text.substr(e + 1);
        const auto point = exponent.find('.');
        if (point != std::string::npos)
            exponent.erase(point, 1);
        const int value = TextToInt(exponent);
        if (value > 300 || value < -300)
            exponent = exponent.substr(0, 2);
        text = text.substr(0, e + 1) + exponent;
    }
    return text;
}

} // namespace

bool IsStringFormat(std::string_view format)
{
    return Contains(format, 's', 'S');
}
bool IsPairFormat(std::string_view format)
{
    return format.find('/') != std::string_view::npos;
}
bool IsIntegerFormat(std::string_view format)
{
    return Contains(format, 'd', 'D');
}
bool IsGeneralFormat(std::string_view format)
{
    return Contains(format, 'g', 'G');
}
bool IsFloatFormat(std::string_view format)
{
    return Contains(format, 'f', 'F') || IsGeneralFormat(format);
}

int FormatDecimalsOf(std::string_view format)
{
    const auto point = format.find('.');
    const std::size_t next = point == std::string_view::npos ? 0 : point + 1;
    if (next >= format.size())
        return 0;
    const auto digit = TryTextToInt(format.substr(next, 1));
    return digit ? *digit : 0;
}

int AutoDecimals(int sigDigs, int maximum, double value)
{
    const std::string text = FormatFixed(value, maximum);
    const auto point = text.find('.');
    const int integerChars = static_cast<int>(point == std::string::npos ? text.size() : point);
    int result;
    if (integerChars == 1) {
        result = 3;
        for (std::size_t i = 2; i < text.size(); ++i) {
            if (text[i] != '0') {
                result = static_cast<int>(i) + 1;
                break;
            }
        }
    } else {
        result = sigDigs > integerChars ? sigDigs - integerChars : 0;
    }
    return result > maximum ? maximum : result;
}

std::string AutoFormat(int sigDigs, double value)
{
    return "%0." + std::to_string(AutoDecimals(sigDigs, 12, value)) + "f";
}

std::string FormatByType(double value, std::string_view format, TFormatType type, int sigDigs,
                         int formatDecimals)
{
    switch (type) {
    case ft_Auto:
        return Format(AutoFormat(sigDigs, value), {value});
    case ft_AutoOverride:
        if (std::pow(10.0, 2 - formatDecimals) > value)
            return Format(AutoFormat(sigDigs, value), {value});
        return Format(format, {value});
    case ft_Fixed:
    case ft_Manual:
    default:
        return Format(format, {value});
    }
}

std::string CleanNumberText(std::string_view text)
{
    std::string s(text);
    RemoveAll(s, ' ');
    const auto slash = s.find('/');
    if (slash != std::string::npos) {
        std::string second = s.substr(slash + 1);
        RemoveAll(second, '/');
        return CleanSingle(s.substr(0, slash)) + "/" + CleanSingle(second);
    }
    return CleanSingle(s);
}

TNumberPair ParsePair(std::string_view text)
{
    TNumberPair pair;
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        pair.First = TextToDouble(text);
        return pair;
    }
    pair.First = TextToDouble(text.substr(0, slash));
    pair.Second = TextToDouble(text.substr(slash + 1));
    pair.IsPair = true;
    return pair;
}
