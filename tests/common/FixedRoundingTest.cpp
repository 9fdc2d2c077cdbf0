// The rounding of FormatFixed without its text gives the number the text
// reads back as, or nothing; checked against the text itself.
#include "common/FixedRounding.h"

#include "common/Format.h"
#include "common/TextToNumber.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace {

// Compares one value at every number of decimals; counts the answers given.
int CheckAgainstText(double value)
{
    int answered = 0;
    for (int decimals = 0; decimals <= 12; ++decimals) {
        const auto fast = FixedRoundTrip(value, decimals);
        if (!fast)
            continue;
        ++answered;
        const double viaText = TextToDouble(FormatFixed(value, decimals));
        EXPECT_EQ(std::signbit(*fast), std::signbit(viaText)) << value << " " << decimals;
        EXPECT_EQ(*fast, viaText) << std::hexfloat << value << " to " << decimals << " decimals";
    }
    return answered;
}

TEST(FixedRounding, AgreesWithTheTextOnChosenValues)
{
    // Halves in decimal that are not halves in binary, exact binary halves,
    // carries into a new digit, zeros and negative values.
    for (const double value :
         {0.0,       -0.0,     0.05,   0.15,    0.25,    0.35,       2.5,   -2.5,
          40.05,     40.15,    40.25,  1.63005, 0.00125, 0.00135,    9.95,  99.95,
          999.9995,  0.5,      0.125,  1e-7,    5e-13,   123456.789, -0.04, -0.05,
          1540.3455, 586.2015, 0.0100, 1.693,   3.0e15,  0.1 + 0.2})
        CheckAgainstText(value);
}

TEST(FixedRounding, AgreesWithTheTextOnRandomValues)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-14, 12);
    std::uniform_int_distribution<int> halfDigits(0, 9);
    int answered = 0;
    for (int i = 0; i < 20000; ++i) {
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 3 == 0) // a decimal half at some position, as typed values often are
            value = std::round(value * 1000) / 1000 + 0.0005 * (halfDigits(random) % 2);
        answered += CheckAgainstText(i % 2 ? -value : value);
    }
    // The text is needed only close to a half.
    EXPECT_GT(answered, 20000 * 13 * 8 / 10);
}

TEST(FixedRounding, GivesNothingItCannotBeSureOf)
{
    EXPECT_FALSE(FixedRoundTrip(std::nan(""), 1));
    EXPECT_FALSE(FixedRoundTrip(INFINITY, 1));
    EXPECT_FALSE(FixedRoundTrip(1e20, 1)); // beyond whole doubles
    EXPECT_FALSE(FixedDigits(1.0, 16));
    EXPECT_FALSE(FixedDigits(-1.0, 1));
    EXPECT_EQ(FixedDigits(2.5, 0), 3U);
    EXPECT_EQ(FixedDigits(0.05, 1), 1U);    // just above 0.05 in binary
    EXPECT_EQ(FixedDigits(40.05, 1), 400U); // just below 40.05 in binary
}

} // namespace
