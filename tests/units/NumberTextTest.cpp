#include "units/NumberText.h"

#include "common/Errors.h"
#include "common/Format.h"
#include "common/TextToNumber.h"
#include "tests/common/NumberLocale.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct TClassCase {
    const char* Format;
    bool String, Pair, Integer, General, Float;
    int Decimals;
};

// Each test looks for its letter anywhere in the format text.
const TClassCase Classes[] = {
    {"%0.3f", false, false, false, false, true, 3},
    {"%0.0f", false, false, false, false, true, 0},
    {"%0.4g", false, false, false, true, true, 4},
    {"%0.2F", false, false, false, false, true, 2},
    {"%0.1G", false, false, false, true, true, 1},
    {"%d", false, false, true, false, false, 0},
    {"%D", false, false, true, false, false, 0},
    {"%s", true, false, false, false, false, 0},
    {"%S", true, false, false, false, false, 0},
    {"%0.3f/%0.3f", false, true, false, false, true, 3},
    {"%0.12f", false, false, false, false, true, 1}, // only the first digit counts
    {"%0.f", false, false, false, false, true, 0},
    {"%.x", false, false, false, false, false, 0},
    {"%5.2f", false, false, false, false, true, 2},
    {"%d deg", false, false, true, true, true, 0}, // the "g" of "deg" counts
    {"%0.1f s", true, false, false, false, true, 1},
    {"", false, false, false, false, false, 0},
};

struct TAutoCase {
    double Value;
    int Decimals;
    const char* Shown;
};

// SigDigs 5, maximum 12.
const TAutoCase AutoCases[] = {
    {0.01, 4, "0.0100"},      {0.5, 3, "0.500"},
    {5.05, 4, "5.0500"},      {5.001, 5, "5.00100"},
    {0, 3, "0.000"},          {40, 3, "40.000"},
    {1500, 1, "1500.0"},      {123456, 0, "123456"},
    {-0.05, 3, "-0.050"},     {0.000000000001, 12, "0.000000000001"},
    {9.99, 3, "9.990"},       {-5, 3, "-5.000"},
    {10, 3, "10.000"},        {99999, 0, "99999"},
    {-1234.5, 0, "-1235"},    {0.0000000000001, 3, "0.000"}, // shows as all zeros
    {0.00012, 6, "0.000120"},
};

struct TByTypeCase {
    double Value;
    const char* Format;
    TFormatType Type;
    int SigDigs;
    const char* Expected;
};

const TByTypeCase ByTypeCases[] = {
    {0.01, "%0.3f", ft_AutoOverride, 5, "0.0100"},
    {1.63, "%0.3f", ft_AutoOverride, 5, "1.630"},
    {-2, "%0.3f", ft_AutoOverride, 5, "-2.000"},
    {-200, "%0.3f", ft_AutoOverride, 5, "-200.0"}, // negatives always below the threshold
    {0.25, "%0.3f", ft_AutoOverride, 5, "0.250"},
    {0.1, "%0.3f", ft_AutoOverride, 5, "0.100"}, // at the threshold: the format text
    {0.05, "%0.3f", ft_AutoOverride, 7, "0.0500"},
    {9.5, "%0.1f", ft_AutoOverride, 5, "9.500"}, // threshold 10
    {10, "%0.1f", ft_AutoOverride, 5, "10.0"},
    {1500, "%0.3f", ft_Auto, 5, "1500.0"},
    {0.01, "%0.3f", ft_Auto, 5, "0.0100"},
    {0.01, "%0.3f", ft_Fixed, 5, "0.010"},
    {1234, "%0.1g", ft_Fixed, 5, "1.2E003"},
    {0.01, "%0.3f", ft_Manual, 5, "0.010"},
    {217.55648, "%0.4f", ft_Manual, 5, "217.5565"},
};

struct TCleanCase {
    const char* Text;
    const char* Expected;
};

const TCleanCase CleanCases[] = {
    {"  1 2 34  ", "1234"},
    {"", "0"},
    {"   ", "0"},
    {"1e5", "1E5"},
    {"1e-5", "1E-5"},
    {"-12-3", "-123"},
    {"5-", "5"},
    {"--5", "-5"},
    {"-", "0"},
    {"- ", "0"},
    {"--", "0"},
    {"1.2.3", "1.23"},
    {"1E5E3", "1E53"},
    {"1e5e3", "1E53"},
    {"E5", "1E5"},
    {"e-5", "1E-5"},
    {"E", "1E"},
    {"1E2.5", "1E25"},
    {"1E400", "1E40"},
    {"1E-400", "1E-4"},
    {"1E+400", "1E+4"},
    {"1E300", "1E300"},
    {"1E-300", "1E-300"},
    {"1E301", "1E30"},
    {"1E--5", "1E-5"},
    {"1E-5-", "1E-5"},
    {"1E", "1E"},
    {"abc", "abc"},
    {"1/2/3", "1/23"},
    {"3/", "3/0"},
    {"/4", "0/4"},
    {"/", "0/0"},
    {" 1 / 2 ", "1/2"},
    {"1e5/2e400", "1E5/2E40"},
    {"-/-", "0/0"},
    {"1.5.5/2-3", "1.55/23"},
};

const char* const CleanFailures[] = {"1E-",  "1E+",   "1Ex",   "e-",
                                     "1E5x", "1/1E-", "1E-/1", "1E99999999999"};

} // namespace

class NumberTextTest : public TNumberLocaleTest {};
VELLOX_NUMBER_LOCALES(NumberTextTest);

TEST_P(NumberTextTest, FormatClassificationAndDecimals)
{
    for (const auto& c : Classes) {
        EXPECT_EQ(IsStringFormat(c.Format), c.String) << c.Format;
        EXPECT_EQ(IsPairFormat(c.Format), c.Pair) << c.Format;
        EXPECT_EQ(IsIntegerFormat(c.Format), c.Integer) << c.Format;
        EXPECT_EQ(IsGeneralFormat(c.Format), c.General) << c.Format;
        EXPECT_EQ(IsFloatFormat(c.Format), c.Float) << c.Format;
        EXPECT_EQ(FormatDecimalsOf(c.Format), c.Decimals) << c.Format;
    }
}

TEST_P(NumberTextTest, AutoDecimalsAndAutoFormat)
{
    for (const auto& c : AutoCases) {
        EXPECT_EQ(AutoDecimals(5, 12, c.Value), c.Decimals) << c.Value;
        EXPECT_EQ(AutoFormat(5, c.Value), "%0." + std::to_string(c.Decimals) + "f") << c.Value;
        EXPECT_EQ(FormatByType(c.Value, "%0.1f", ft_Auto, 5, 1), c.Shown) << c.Value;
    }
    // Below 10 SigDigs plays no part; above it decides.
    EXPECT_EQ(AutoDecimals(9, 12, 5.5), 3);
    EXPECT_EQ(AutoDecimals(9, 12, 55), 7);
    EXPECT_EQ(AutoDecimals(2, 12, 55), 0);
    EXPECT_EQ(AutoDecimals(20, 12, 55), 12);
}

TEST_P(NumberTextTest, FormatByType)
{
    for (const auto& c : ByTypeCases)
        EXPECT_EQ(FormatByType(c.Value, c.Format, c.Type, c.SigDigs, FormatDecimalsOf(c.Format)),
                  c.Expected)
            << c.Value << " with " << c.Format << " type " << int(c.Type);
}

TEST_P(NumberTextTest, CleanNumberText)
{
    for (const auto& c : CleanCases)
        EXPECT_EQ(CleanNumberText(c.Text), c.Expected) << "'" << c.Text << "'";
    for (const char* text : CleanFailures)
        EXPECT_THROW(CleanNumberText(text), EConvertError) << "'" << text << "'";
}

TEST_P(NumberTextTest, ParsePair)
{
    const struct {
        const char* Text;
        double First, Second;
        bool IsPair;
    } cases[] = {
        {"3/4", 3, 4, true}, {"2.5", 2.5, 0, false},   {" -1.5 / 2E3 ", -1.5, 2000, true},
        {"0/0", 0, 0, true}, {"1e-400/1", 0, 1, true},
    };
    for (const auto& c : cases) {
        const TNumberPair pair = ParsePair(c.Text);
        EXPECT_EQ(pair.First, c.First) << c.Text;
        EXPECT_EQ(pair.Second, c.Second) << c.Text;
        EXPECT_EQ(pair.IsPair, c.IsPair) << c.Text;
    }
    for (const char* text : {"a/4", "4/a", "3/", "/4", "1/2/3", "", "1,5", "1,5/2"})
        EXPECT_THROW(ParsePair(text), EConvertError) << "'" << text << "'";
    EXPECT_THROW(ParsePair("1E400/1"), EOverflow);
}

// Thousands of generated texts of the kind a user can type or paste: nothing
// may crash or hang, and the only errors are conversion errors (and overflow
// where a number is too large for a double). What comes out of the clean-up
// must keep its own rules.
TEST(NumberTextFuzz, GeneratedTextsFailOnlyWithConversionErrors)
{
    std::mt19937 random(1234567);
    const std::string pieces[] = {
        "0",     "1",  "5",    "9",          "12",    "000", ".",  ".",     "-",    "-", "+",
        "/",     "e",  "E",    "E-",         "e+",    " ",   "\t", "x",     "a",    "%", "E999999",
        "E-400", "1E", "E301", "9999999999", "%0.3f", "%d",  "%s", "%0.1g", "\xB0", ","};
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> rare(0, 199);
    const auto started = std::chrono::steady_clock::now();
    int converted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int count = rare(random) == 0 ? 3000 : length(random);
        for (int k = 0; k < count; ++k)
            text += pieces[piece(random)];
        if (rare(random) == 1)
            text = "1" + std::string(400, '0') + text; // too large for a double
        SCOPED_TRACE(testing::PrintToString(text));

        std::string cleaned;
        try {
            cleaned = CleanNumberText(text);
            EXPECT_EQ(cleaned.find(' '), std::string::npos);
            EXPECT_EQ(cleaned.find('e'), std::string::npos);
            EXPECT_LE(std::count(cleaned.begin(), cleaned.end(), '/'), 1);
            const auto slash = cleaned.find('/');
            std::vector<std::string> parts{cleaned.substr(0, slash)};
            if (slash != std::string::npos)
                parts.push_back(cleaned.substr(slash + 1));
            for (const std::string& part : parts) {
                EXPECT_FALSE(part.empty());
                EXPECT_LE(std::count(part.begin(), part.end(), '.'), 1);
                EXPECT_LE(std::count(part.begin(), part.end(), 'E'), 1);
                for (std::size_t k = 1; k < part.size(); ++k) {
                    if (part[k] == '-') {
                        EXPECT_EQ(part[k - 1], 'E');
                    }
                }
                const auto e = part.find('E');
                if (e != std::string::npos && e + 1 < part.size()) {
                    EXPECT_LE(std::abs(TextToInt(part.substr(e + 1))), 300);
                }
            }
        } catch (const EConvertError&) {
        }
        for (const std::string& input : {text, cleaned}) {
            try {
                ParsePair(input);
                ++converted;
            } catch (const EConvertError&) {
            } catch (const EOverflow&) {
            }
            try {
                const Extended value = TextToFloat(input);
                EXPECT_FALSE(std::isnan(value));
                EXPECT_FALSE(Format("%0.4g", {value}).empty());
                EXPECT_FALSE(FormatByType(std::isfinite(static_cast<double>(value))
                                              ? static_cast<double>(value)
                                              : 0.0,
                                          "%0.3f", ft_AutoOverride, 5, 3)
                                 .empty());
            } catch (const EConvertError&) {
            }
            try {
                Format(input, {1.5, 2});
            } catch (const EConvertError&) {
            }
            EXPECT_EQ(Format("%s", {input}), input);
        }
    }
    EXPECT_GT(converted, 1000); // the generator does produce numbers
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}
