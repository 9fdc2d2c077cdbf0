#include "common/Format.h"

#include "common/Errors.h"
#include "tests/common/NumberLocale.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct TNumberCase {
    double Value;
    int Digits;
    const char* Expected;
};

// %0.nf: halves go away from zero, judged on the exact binary value.
const TNumberCase FixedCases[] = {
    {0.125, 2, "0.13"},
    {-0.125, 2, "-0.13"},
    {2.675, 2, "2.67"}, // binary value just below the half
    {1.005, 2, "1.00"}, // likewise
    {0.0005, 3, "0.001"},
    {0.00049999, 3, "0.000"},
    {0.5, 0, "1"},
    {1.5, 0, "2"},
    {2.5, 0, "3"},
    {-0.5, 0, "-1"},
    {0.4, 0, "0"},
    {0.06, 0, "0"},
    {9.9951, 2, "10.00"},
    {999.9996, 3, "1000.000"},
    {-999.9996, 3, "-1000.000"},
    {0, 3, "0.000"},
    {-0.0, 1, "0.0"},
    {-0.0001, 2, "0.00"}, // no "-" on a value that rounds to zero
    {1234.5678, 0, "1235"},
    {-1234.5678, 2, "-1234.57"},
    {1500, 1, "1500.0"},
    {1e20, 1, "100000000000000000000.0"},
    {123456789012345678.0, 0, "123456789012345680"},
    {1e-20, 3, "0.000"},
    {0.000000000001, 12, "0.000000000001"},
    {217.55648, 4, "217.5565"},
};

// %0.ng: max(n, 2) significant digits; fixed notation for -3 <= e <= max(n, 2).
const TNumberCase GeneralCases[] = {
    {0.0000123, 4, "1.23E-005"},
    {-0.0000123, 4, "-1.23E-005"},
    {123456, 5, "1.2346E005"},
    {1234, 1, "1.2E003"},
    {1234, 0, "1.2E003"},
    {1234, 4, "1234"},
    {12345, 4, "1.235E004"},
    {12345.6, 5, "12346"},
    {100000, 5, "1E005"},
    {99999, 4, "1E005"}, // the carry raises the exponent
    {99.5, 1, "1E002"},
    {10, 1, "10"},
    {100, 1, "1E002"},
    {0, 4, "0"},
    {1e-300, 4, "1E-300"},
    {1e100, 4, "1E100"},
    {1.5e-100, 3, "1.5E-100"},
    {0.001234, 4, "0.001234"},   // e = -2
    {0.0001234, 4, "0.0001234"}, // e = -3, still fixed
    {0.00001234, 4, "1.234E-005"},
    {1.5, 4, "1.5"},
    {-5, 0, "-5"},
    {100, 4, "100"},
    {123.456, 4, "123.5"},
    {0.1, 15, "0.1"},
    {1.0 / 3, 4, "0.3333"},
    {2.0 / 3, 5, "0.66667"},
    {0.125, 2, "0.13"},
    {2.675, 3, "2.67"},
    {0.00997903, 3, "0.00998"},
};

struct TFormatCase {
    const char* Format;
    std::initializer_list<TFormatArg> Args;
    const char* Expected;
};

// Exact decimal expansion of a double rounded to `decimals`, halves away from
// zero: the reference the fixed conversion must match digit for digit.
std::string ReferenceFixed(double value, int decimals)
{
    std::vector<char> buffer(1500);
    std::snprintf(buffer.data(), buffer.size(), "%.1100f", std::fabs(value));
    std::string text(buffer.data());
    const auto point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, decimals);
    const bool up = text[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (up) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    while (digits.size() > static_cast<std::size_t>(decimals) + 1 && digits[0] == '0')
        digits.erase(0, 1);
    const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
    std::string result = digits.substr(0, whole);
    if (decimals > 0)
        result += "." + digits.substr(whole);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + result;
}

} // namespace

class FormatTest : public TNumberLocaleTest {};
VELLOX_NUMBER_LOCALES(FormatTest);

TEST_P(FormatTest, FixedConversion)
{
    for (const auto& c : FixedCases) {
        const std::string format = "%0." + std::to_string(c.Digits) + "f";
        EXPECT_EQ(Format(format, {c.Value}), c.Expected) << format << " of " << c.Value;
        EXPECT_EQ(FormatFixed(c.Value, c.Digits), c.Expected) << format << " of " << c.Value;
    }
}

TEST_P(FormatTest, GeneralConversion)
{
    for (const auto& c : GeneralCases) {
        const std::string format = "%0." + std::to_string(c.Digits) + "g";
        EXPECT_EQ(Format(format, {c.Value}), c.Expected) << format << " of " << c.Value;
    }
}

TEST_P(FormatTest, IntegerTextPercentAndWidths)
{
    const TFormatCase cases[] = {
        {"%d", {42}, "42"},
        {"%d", {-7LL}, "-7"},
        {"%D", {2147483648LL}, "2147483648"},
        {"%.3d", {7}, "007"},
        {"%.3d", {-7}, "-007"},
        {"%s", {"abc"}, "abc"},
        {"%S", {std::string("40.0")}, "40.0"},
        {"%.2s", {"abc"}, "ab"},
        {"100%%", {}, "100%"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%8.3f", {1.5}, "   1.500"},
        {"%-8.3f|", {-1.5}, "-1.500  |"},
        {"%2s", {"abc"}, "abc"},
        {"%0.2F", {1.005}, "1.00"},
        {"%0.1G", {1234.0}, "1.2E003"},
        {"Tc = %0.1f %s", {40.0, "\u00B0C"}, "Tc = 40.0 \u00B0C"},
        {"%0.3f/%0.3f", {1.0, 2.5}, "1.000/2.500"},
        {"%d %d", {1, 2, 3}, "1 2"}, // arguments left over are ignored
        {"%0.1f", {1180591620717411303424.0L}, "1180591620717411303424.0"}, // 2^70
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.Format, c.Args), c.Expected) << c.Format;
}

TEST_P(FormatTest, MismatchedOrMissingArgumentsAreConversionErrors)
{
    const struct {
        const char* Format;
        std::initializer_list<TFormatArg> Args;
    } cases[] = {
        {"%d", {1.5}},
        {"%0.2f", {3}},
        {"%0.2g", {"1.5"}},
        {"%s", {1.0}},
        {"%d", {}},
        {"%0.1f %0.1f", {1.0}},
        {"abc%", {1}},
        {"%x", {1}},
        {"%0.2", {1.0}},
        {"%*d", {1}},
        {"%1001d", {1}},
        {"%0.1001f", {1.0}},
        {"%99999999999999d", {1}},
    };
    for (const auto& c : cases)
        EXPECT_THROW(Format(c.Format, c.Args), EConvertError) << c.Format;
}

// Random doubles from 1e-15 to 1e18, compared with their exact decimal
// expansion: catches double rounding and lost digits in the fixed conversion.
TEST(FormatFixed, MatchesTheExactDecimalExpansion)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-14, 17);
    std::uniform_int_distribution<int> decimals(0, 12);
    std::uniform_int_distribution<int> halves(0, 3);
    for (int i = 0; i < 20000; ++i) {
        const int n = decimals(random);
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (halves(random) == 0) // values on or next to a decimal half
            value = (std::round(value * std::pow(10.0, n)) + 0.5) / std::pow(10.0, n);
        ASSERT_EQ(FormatFixed(value, n), ReferenceFixed(value, n)) << "%." << n << "f of " << value;
    }
}
