#include "common/TextToNumber.h"

#include "common/Errors.h"
#include "tests/common/NumberLocale.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

struct TFloatCase {
    const char* Text;
    Extended Expected;
};

const TFloatCase Numbers[] = {
    {"0", 0},
    {"1.5", 1.5L},
    {"  1.5  ", 1.5L},
    {"+5", 5},
    {"-5", -5},
    {"5.", 5},
    {".5", 0.5L},
    {"-.5", -0.5L},
    {"0.1", 0.1L},
    {"00012", 12},
    {"1E5", 1e5L},
    {"1e-5", 1e-5L},
    {"1E+05", 1e5L},
    {"-1.25e2", -125},
    {"1.E1", 10},
    {"1e-5000", 0}, // underflow gives zero
    {"1E4000", 1e4000L},
    {"12345678901234567890", 12345678901234567890.0L},
};

const char* const NotNumbers[] = {
    "",    " ",     ".",   "-",     "+",     "1E",      "1E+", "1e-",  "E5",
    "e",   "1.2.3", "1,5", "1 000", "--5",   "+-5",     "5-",  "0x10", "inf",
    "nan", "abc",   "1/2", "1e5.5", "1E5E5", "1E99999", "1e",  "1d5",  "\xB0",
};

struct TIntCase {
    const char* Text;
    std::int32_t Expected;
};

const TIntCase Integers[] = {
    {"0", 0},
    {"-2147483648", INT32_MIN},
    {"2147483647", INT32_MAX},
    {" 42 ", 42},
    {"+7", 7},
    {"007", 7},
    {"-0", 0},
    {"0000000000000000000000012", 12},
};

const char* const NotIntegers[] = {
    "",   "-",   "+",   "2147483648", "-2147483649", "99999999999999999999", "1.0", "1E3", "0x1F",
    "1F", "1 2", "12a", "--1",        " ",
};

} // namespace

class TextToNumberTest : public TNumberLocaleTest {};
VELLOX_NUMBER_LOCALES(TextToNumberTest);

TEST_P(TextToNumberTest, Numbers)
{
    for (const auto& c : Numbers) {
        const auto value = TryTextToFloat(c.Text);
        ASSERT_TRUE(value.has_value()) << "'" << c.Text << "'";
        EXPECT_EQ(*value, c.Expected) << "'" << c.Text << "'";
        EXPECT_EQ(TextToFloat(c.Text), c.Expected) << "'" << c.Text << "'";
    }
    for (const char* text : NotNumbers) {
        EXPECT_FALSE(TryTextToFloat(text).has_value()) << "'" << text << "'";
        EXPECT_THROW(TextToFloat(text), EConvertError) << "'" << text << "'";
    }
}

TEST_P(TextToNumberTest, Integers)
{
    for (const auto& c : Integers) {
        const auto value = TryTextToInt(c.Text);
        ASSERT_TRUE(value.has_value()) << "'" << c.Text << "'";
        EXPECT_EQ(*value, c.Expected) << "'" << c.Text << "'";
        EXPECT_EQ(TextToInt(c.Text), c.Expected) << "'" << c.Text << "'";
    }
    for (const char* text : NotIntegers) {
        EXPECT_FALSE(TryTextToInt(text).has_value()) << "'" << text << "'";
        EXPECT_THROW(TextToInt(text), EConvertError) << "'" << text << "'";
    }
}

TEST_P(TextToNumberTest, DoublesOverflowOnStoreAndMessagesQuoteTheText)
{
    EXPECT_EQ(TextToDouble("1.5"), 1.5);
    EXPECT_EQ(TextToDouble("1e-400"), 0.0);
    EXPECT_THROW(TextToDouble("1E400"), EOverflow);
    EXPECT_THROW(TextToDouble("-1E400"), EOverflow);
    try {
        TextToFloat("1,5");
        ADD_FAILURE() << "1,5 was read as a number";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
    }
    try {
        TextToInt("x");
        ADD_FAILURE() << "x was read as an integer";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
    }
}

// Texts whose nearest double is missed by one bit when they are read into an
// extended value first and then rounded again.
TEST(TextToDouble, ReadsTheNearestDoubleDirectly)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(random() >> 2);
        if (!std::isfinite(value) || value == 0)
            continue;
        char text[40];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        EXPECT_EQ(TextToDouble(std::string_view(text, static_cast<std::size_t>(end - text))), value)
            << std::string_view(text, static_cast<std::size_t>(end - text));
    }
}

namespace {

// Short decimal texts (the kind typed into a batch) are read without the C
// library; they give the same extended value as strtold, bit for bit (the
// reading involves no transcendental function), and the same double as strtod.
TEST(TextToFloat, ShortTextsReadAsTheCLibraryReadsThem)
{
    std::mt19937_64 random(3);
    const char* const signs[] = {"", "-", "+"};
    for (int i = 0; i < 50000; ++i) {
        std::string text = signs[random() % 3];
        const int whole = static_cast<int>(random() % 8);
        const int fraction = static_cast<int>(random() % 14);
        for (int k = 0; k < whole; ++k)
            text += static_cast<char>('0' + random() % 10);
        if (fraction > 0 || whole == 0)
            text += '.';
        for (int k = 0; k < fraction || (whole == 0 && k == 0); ++k)
            text += static_cast<char>('0' + random() % 10);
        if (random() % 4 == 0) {
            text += 'e';
            text += std::to_string(static_cast<int>(random() % 61) - 30);
        }
        const auto value = TryTextToFloat(text);
        ASSERT_TRUE(value) << text;
        const Extended expected = std::strtold(text.c_str(), nullptr);
        EXPECT_EQ(std::memcmp(&*value, &expected, 10), 0) << text;
        EXPECT_EQ(TextToDouble(text), std::strtod(text.c_str(), nullptr)) << text;
    }
}

} // namespace
