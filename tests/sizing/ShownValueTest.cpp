// ShownValue finds most values without making the field's text; whichever way
// it goes, the number is the one the field's text reads back as.
#include "common/TextToNumber.h"
#include "sizing/DesignFields.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

void ExpectAsText(TDesignField field, double value)
{
    const double viaText = TextToDouble(ShownText(field, value));
    const double shown = ShownValue(field, value);
    EXPECT_EQ(shown, viaText) << std::hexfloat << "field " << field << ", value " << value;
    EXPECT_EQ(std::signbit(shown), std::signbit(viaText)) << "field " << field << " " << value;
}

TEST(ShownValue, IsTheNumberOfTheShownTextForEveryField)
{
    // Decimal halves at each field's precision, automatic decimals of small
    // duties and mass flows, negative values, zeros and large values.
    const double values[] = {0.0,
                             -0.0,
                             40.05,
                             -25.0,
                             -40.05,
                             5.55,
                             1.63005,
                             0.00125,
                             0.01,
                             0.0045,
                             0.0995,
                             0.1,
                             0.09999999999999,
                             0.0999999999996,
                             1e-13,
                             -0.004,
                             1540.3455,
                             586.2015,
                             1.6935,
                             1e17,
                             -1e17,
                             2.5e-7,
                             0.000015,
                             123.4565};
    for (const auto& layout : DesignFieldLayouts)
        for (const double value : values)
            ExpectAsText(layout.Field, value);
}

TEST(ShownValue, IsTheNumberOfTheShownTextForRandomValues)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 5);
    for (int i = 0; i < 5000; ++i) {
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 4 == 0) // typed with one digit more than shown, ending in 5
            value = std::round(value * 1e4) / 1e4 + 0.00005;
        if (i % 5 == 0)
            value = -value;
        for (const auto& layout : DesignFieldLayouts)
            ExpectAsText(layout.Field, value);
    }
}

} // namespace
