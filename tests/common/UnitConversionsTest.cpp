// The unit conversions must give exactly the products the formulas took
// before they were named: extended arguments by the long-double factor,
// double arguments in double arithmetic by the double factor. A factor typed
// wrongly, a division in place of the multiplication or a product taken in
// the wrong precision moves results in the last bits and is caught here.
#include "common/UnitConversions.h"

#include "support/ParamName.h"

#include <gtest/gtest.h>
#include <string>
#include <type_traits>

namespace {

static_assert(std::is_same_v<decltype(MillimetresToMetres(1.0)), double>);
static_assert(std::is_same_v<decltype(MillimetresToMetres<Extended>(1.0)), Extended>);
static_assert(std::is_same_v<decltype(CelsiusToKelvin(1.0L)), Extended>);

struct TScaleCase {
    std::string Name;
    Extended (*InExtended)(Extended);
    double (*InDouble)(double);
    Extended Factor;
    double DoubleFactor;
};

class ScaleConversion : public testing::TestWithParam<TScaleCase> {};

// Values with long mantissas, where a factor off in its last bit or a
// quotient in place of the product shows; small and large magnitudes.
constexpr double Values[] = {0.7874, 1.63, 45.0, 1 / 3.0, 1.2345678901234567e-7, 2103.23e5, -5.0};

TEST_P(ScaleConversion, IsTheLiteralProductInEachPrecision)
{
    const TScaleCase& c = GetParam();
    for (const double value : Values) {
        volatile double v = value; // computed at run time, as in the formulas
        EXPECT_EQ(c.InExtended(v), static_cast<Extended>(v) * c.Factor) << value;
        EXPECT_EQ(c.InDouble(v), v * c.DoubleFactor) << value;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Units, ScaleConversion,
    testing::Values(TScaleCase{"MillimetresToMetres", MillimetresToMetres<Extended>,
                               MillimetresToMetres<double>, 0.001L, 0.001},
                    TScaleCase{"MetresToMillimetres", MetresToMillimetres<Extended>,
                               MetresToMillimetres<double>, 1000.0L, 1000.0},
                    TScaleCase{"InchesToMillimetres", InchesToMillimetres<Extended>,
                               InchesToMillimetres<double>, 25.4L, 25.4},
                    TScaleCase{"PascalsToKilopascals", PascalsToKilopascals<Extended>,
                               PascalsToKilopascals<double>, 0.001L, 0.001},
                    TScaleCase{"KilopascalsToPascals", KilopascalsToPascals<Extended>,
                               KilopascalsToPascals<double>, 1000.0L, 1000.0},
                    TScaleCase{"JoulesToKilojoules", JoulesToKilojoules<Extended>,
                               JoulesToKilojoules<double>, 0.001L, 0.001},
                    TScaleCase{"KilojoulesToJoules", KilojoulesToJoules<Extended>,
                               KilojoulesToJoules<double>, 1000.0L, 1000.0},
                    TScaleCase{"MicropascalSecondsToPascalSeconds",
                               MicropascalSecondsToPascalSeconds<Extended>,
                               MicropascalSecondsToPascalSeconds<double>, 0.000001L, 0.000001},
                    TScaleCase{"PascalSecondsToMicropascalSeconds",
                               PascalSecondsToMicropascalSeconds<Extended>,
                               PascalSecondsToMicropascalSeconds<double>, 1000000.0L, 1000000.0},
                    TScaleCase{"MilliwattsToWatts", MilliwattsToWatts<Extended>,
                               MilliwattsToWatts<double>, 0.001L, 0.001},
                    TScaleCase{"WattsToMilliwatts", WattsToMilliwatts<Extended>,
                               WattsToMilliwatts<double>, 1000.0L, 1000.0},
                    TScaleCase{"MillinewtonsToNewtons", MillinewtonsToNewtons<Extended>,
                               MillinewtonsToNewtons<double>, 0.001L, 0.001},
                    TScaleCase{"NewtonsToMillinewtons", NewtonsToMillinewtons<Extended>,
                               NewtonsToMillinewtons<double>, 1000.0L, 1000.0}),
    TParamName{});

TEST(TemperatureConversion, AddsTheDoubleOffsetInEachPrecision)
{
    for (const double value : Values) {
        volatile double v = value;
        const Extended t = static_cast<Extended>(v) / 3; // an extended temperature
        EXPECT_EQ(CelsiusToKelvin(t), t + 273.15) << value;
        EXPECT_EQ(KelvinToCelsius(t), t - 273.15) << value;
        EXPECT_EQ(CelsiusToKelvin(v), v + 273.15) << value;
        EXPECT_EQ(KelvinToCelsius(v), v - 273.15) << value;
    }
    // Absolute zero as a double is exactly zero kelvin in either precision,
    // which the vapour-volume form relies on to raise its division by zero.
    EXPECT_EQ(CelsiusToKelvin(static_cast<Extended>(-273.15)), 0.0L);
    EXPECT_EQ(CelsiusToKelvin(-273.15), 0.0);
}

} // namespace
