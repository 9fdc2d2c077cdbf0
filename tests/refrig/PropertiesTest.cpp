#include "common/Errors.h"
#include "refrig/RefrigLib.h"
#include "support/ParamName.h"
#include "support/TempDir.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Properties of the built-in R22 record at known states.
struct TPropertyCase {
    const char* Name;
    std::function<double(const TRefrigLib&)> Evaluate;
    double Expected;
    double Tolerance;
};

class BuiltInR22 : public testing::TestWithParam<TPropertyCase> {};

TEST_P(BuiltInR22, MatchesKnownValue)
{
    const TRefrigLib lib;
    const auto& c = GetParam();
    EXPECT_NEAR(c.Evaluate(lib), c.Expected, c.Tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuiltInR22,
    testing::Values(
        TPropertyCase{"DewPressureAt40", [](auto& l) { return l.DewPressure(40); }, 1540346, 1},
        TPropertyCase{"LiquidEnthalpyAt0", [](auto& l) { return l.LiquidEnthalpy(0); }, 200005.4,
                      1e-9},
        TPropertyCase{"VapourEnthalpyAt0", [](auto& l) { return l.VapourEnthalpy(0); }, 405042.8,
                      1e-9},
        TPropertyCase{"LatentHeatAt0", [](auto& l) { return l.LatentHeat(0); }, 205037.4, 1e-9},
        TPropertyCase{"LiquidVolumeAt0", [](auto& l) { return l.LiquidVolume(0); }, 0.0007803834,
                      1e-18},
        TPropertyCase{"LiquidViscosityAt0", [](auto& l) { return l.LiquidViscosity(0); },
                      0.0002159089, 1e-15},
        TPropertyCase{"VapourViscosityAt0", [](auto& l) { return l.VapourViscosity(0); },
                      0.00001136384, 1e-16},
        TPropertyCase{"LiquidConductivityAt0", [](auto& l) { return l.LiquidConductivity(0); },
                      0.09474255, 1e-14},
        TPropertyCase{"SurfaceTensionAt0", [](auto& l) { return l.SurfaceTension(0); },
                      0.0116939363, 1e-15},
        TPropertyCase{"LiquidSpecificHeatAt10", [](auto& l) { return l.LiquidSpecificHeat(10); },
                      1169.949 + 28.00445 + 1.805555 + 0.09210114 + 0.08627718, 1e-9},
        TPropertyCase{"SuperheatEnthalpy5To12_5",
                      [](auto& l) { return l.SuperheatEnthalpy(5, 12.5); }, 412400, 100},
        TPropertyCase{"SuperheatAtSaturationIsVapour",
                      [](auto& l) { return l.SuperheatEnthalpy(5, 5) - l.VapourEnthalpy(5); }, 0,
                      1e-9},
        TPropertyCase{"UpperLimit", [](auto& l) { return l.UpperTemperatureLimit(); }, 88.88,
                      1e-12},
        TPropertyCase{"LowerLimit", [](auto& l) { return l.LowerTemperatureLimit(); }, -60, 0},
        TPropertyCase{"CriticalPressureInPa", [](auto& l) { return l.CriticalPressure(); }, 4990000,
                      0},
        TPropertyCase{"BoilingPressureNearAtmospheric", [](auto& l) { return l.BoilingPressure(); },
                      101325, 1500},
        TPropertyCase{"LiquidTemperatureInvertsEnthalpy",
                      [](auto& l) { return l.LiquidTemperature(l.LiquidEnthalpy(20)); }, 20, 0.1}),
    TParamName());

TEST(Saturation, TemperatureAndPressureInvertEachOther)
{
    const TRefrigLib lib;
    for (const double T : {-60.0, -25.5, 0.0, 12.25, 40.0, 88.0}) {
        EXPECT_NEAR(lib.DewTemperature(lib.DewPressure(T)), T, 1e-9) << T;
        EXPECT_NEAR(lib.BubbleTemperature(lib.BubblePressure(T)), T, 1e-9) << T;
        // Equal dew and bubble coefficients: no glide.
        EXPECT_EQ(lib.TemperatureGlide(lib.DewPressure(T)), 0.0) << T;
    }
}

TEST(Saturation, FaultsAreRaisedAtTheOperation)
{
    const TRefrigLib lib;
    EXPECT_THROW(lib.DewTemperature(0), EInvalidOp);
    EXPECT_THROW(lib.BubbleTemperature(-1000), EInvalidOp);
    EXPECT_THROW(lib.DewPressure(-254.0905), EZeroDivide);
    EXPECT_THROW(lib.VapourVolume(-273.15), EZeroDivide);
    // Just below the pole of the dew line the exponential overflows.
    EXPECT_THROW(lib.DewPressure(-254.0905 - 1e-9), EOverflow);
}

TEST(Saturation, PressureWhoseLogEqualsTheFirstCoefficientDividesByZero)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[X]\nRNumber=X\ndp=0,-2000,250\n"));
    lib.SelectRefrigerant("X");
    EXPECT_THROW(lib.DewTemperature(1.0), EZeroDivide);
}

TEST(TransportFallback, AllZeroCoefficientsTakeTheBuiltInValues)
{
    TTempDir dir;
    // "0.0" is not the literal "0": the list is read and the coefficients
    // become zero, which the transport properties replace at evaluation.
    TRefrigLib lib(dir.Write("lib.rdf", "[Z]\nRNumber=Z\nul=0.0,0,0,0\nkv=0.0,0,0,0\n"
                                        "si=0.0,0,0,0\nlv=0.0,0,0,0\n"));
    lib.SelectRefrigerant("Z");
    const TRefrigLib r22;
    EXPECT_EQ(lib.Data().ul, (std::array<double, 4>{}));
    EXPECT_EQ(lib.LiquidViscosity(25), r22.LiquidViscosity(25));
    EXPECT_EQ(lib.VapourConductivity(25), r22.VapourConductivity(25));
    // Only the four transport properties fall back.
    EXPECT_EQ(lib.SurfaceTension(25), 0.0);
    EXPECT_EQ(lib.LiquidVolume(25), 0.0);
}

TEST(CharacteristicValues, MinimumTemperatureNeverBelowAbsoluteZero)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[Cold]\nRNumber=Cold\nTMin=-300\nTCrit=100\nTMax=50\n"));
    lib.SelectRefrigerant("Cold");
    EXPECT_EQ(lib.MinTemperature(), -273.0);
    EXPECT_EQ(lib.LowerTemperatureLimit(), -273.0);
    EXPECT_DOUBLE_EQ(lib.UpperTemperatureLimit(), 90.0);
}

} // namespace
