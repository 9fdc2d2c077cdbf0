#include "units/NqConv.h"

#include "common/Errors.h"
#include "common/Format.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

// SI definitions the imperial units are built on.
constexpr double Foot = 0.3048;              // m
constexpr double Pound = 0.45359237;         // kg
constexpr double Btu = 1055.05585262;        // J
constexpr double FahrenheitDegree = 5.0 / 9; // K

// Parameterised cases print as their name.
template <class T>
requires requires(const T& c)
{
    c.Name;
}
void PrintTo(const T& c, std::ostream* os)
{
    *os << c.Name;
}

std::vector<TUnitsType> AllKinds()
{
    std::vector<TUnitsType> kinds;
    for (int k = 0; k < UnitsTypeCount; ++k)
        kinds.push_back(static_cast<TUnitsType>(k));
    return kinds;
}

// ---------------------------------------------------------------------------
// The kinds

TEST(UnitsKinds, FiftyFourKindsInOneByte)
{
    EXPECT_EQ(UnitsTypeCount, 54);
    EXPECT_EQ(sizeof(TUnitsType), 1u);
    EXPECT_EQ(utNone, 0);
    EXPECT_EQ(utPressure, 35);
    EXPECT_EQ(utTemperature, 43);
    EXPECT_EQ(utWaterPressDrop, 53);
}

TEST(UnitsKinds, NamesFollowTheKinds)
{
    EXPECT_EQ(UnitsTypeName(utNone), "None");
    EXPECT_EQ(UnitsTypeName(utAirFlowPrim), "Air Flow - Primary");
    EXPECT_EQ(UnitsTypeName(utHeatOfRespir), "Heat of Respiration");
    EXPECT_EQ(UnitsTypeName(utMassFlowGas), "MassFlow - Refrig./Steam");
    EXPECT_EQ(UnitsTypeName(utPressure), "Pressure - Absolute or Gauge");
    EXPECT_EQ(UnitsTypeName(utTemperatureChange), "Temperature Change");
    EXPECT_EQ(UnitsTypeName(utVolumeFluid), "Fluid Volume");
    EXPECT_EQ(UnitsTypeName(utWaterPressDrop), "Water Pressure Drop");
}

TEST(UnitsKinds, EveryKindButNoneHasUnits)
{
    int total = 0;
    for (TUnitsType kind : AllKinds()) {
        if (kind != utNone) {
            EXPECT_GT(UnitCount(kind), 1) << UnitsTypeName(kind);
        }
        total += UnitCount(kind);
    }
    EXPECT_EQ(UnitCount(utNone), 0);
    EXPECT_EQ(total, 219); // the catalogue's units, counted over all kinds
}

TEST(UnitsKinds, ValuesOutsideTheEnumerationAreRefused)
{
    const auto bad = static_cast<TUnitsType>(UnitsTypeCount);
    EXPECT_THROW(UnitsTypeName(bad), EListError);
    EXPECT_THROW(UnitCount(bad), EListError);
    EXPECT_THROW(GetUnitsLabel(bad, 0), EListError);
    EXPECT_THROW(GetUnitsFormat(bad, 0), EListError);
    EXPECT_THROW(GetUnitsConversion(bad, 0, 0), EListError);
    EXPECT_THROW(ClampUnitsIndex(bad, 0), EListError);
}

// Kinds sharing one unit set show the same labels and formats and convert
// alike.
struct TSharedSet {
    const char* Name;
    std::vector<TUnitsType> Kinds;
};

class SharedUnitSets : public testing::TestWithParam<TSharedSet> {};

TEST_P(SharedUnitSets, AgreeUnitForUnit)
{
    const auto& kinds = GetParam().Kinds;
    const TUnitsType first = kinds.front();
    for (TUnitsType kind : kinds) {
        ASSERT_EQ(UnitCount(kind), UnitCount(first)) << UnitsTypeName(kind);
        for (int u = 0; u < UnitCount(first); ++u) {
            EXPECT_EQ(GetUnitsLabel(kind, u), GetUnitsLabel(first, u));
            EXPECT_EQ(GetUnitsFormat(kind, u), GetUnitsFormat(first, u));
            EXPECT_EQ(GetUnitsConversion(kind, u, 0).Factor,
                      GetUnitsConversion(first, u, 0).Factor);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, SharedUnitSets,
    testing::Values(TSharedSet{"AirFlow", {utAirFlowPrim, utAirFlowSec}},
                    TSharedSet{"Pressure",
                               {utPressure, utAirPressDrop, utPressureSteam, utWaterPressDrop}},
                    TSharedSet{"Duty", {utDutyPrim, utDutySec}},
                    TSharedSet{"Length", {utLengthPrim, utLengthMeasure, utLengthSec}},
                    TSharedSet{"MassFlow", {utMassFlow, utMassFlowGas}},
                    TSharedSet{"PressureRate", {utPressureRateGas, utPressureRateLiquid}},
                    TSharedSet{"Temperature", {utTemperature, utTemperatureChange}}),
    [](const auto& c) { return std::string(c.param.Name); });

// ---------------------------------------------------------------------------
// Labels and default formats

struct TLabelCase {
    const char* Name;
    TUnitsType Kind;
    int Unit;
    const char* Label;
    const char* Format;
};

class UnitLabels : public testing::TestWithParam<TLabelCase> {};

TEST_P(UnitLabels, LabelAndDefaultFormat)
{
    const auto& c = GetParam();
    EXPECT_EQ(GetUnitsLabel(c.Kind, c.Unit), c.Label);
    EXPECT_EQ(GetUnitsFormat(c.Kind, c.Unit), c.Format);
    const TUnitsConversion conv = GetUnitsConversion(c.Kind, c.Unit, 0);
    EXPECT_EQ(conv.Label, c.Label);
    EXPECT_EQ(conv.Format, c.Format);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, UnitLabels,
    testing::Values(TLabelCase{"Celsius", utTemperature, 0, "°C", "%0.1f"},
                    TLabelCase{"Kelvin", utTemperature, 2, "K", "%0.2f"},
                    TLabelCase{"MetresHead", utWaterPressDrop, 7, "mHead", "%0.4f"},
                    TLabelCase{"PoundPerHour", utMassFlow, 5, "lb/hr", "%0.0f"},
                    TLabelCase{"BtuPerHour", utDutyPrim, 2, "Btu/hr", "%0.0f"},
                    TLabelCase{"Thou", utLengthSmall, 2, "Thou\"", "%0.3f"},
                    TLabelCase{"EighthInch", utDiameter, 3, "1/8\"", "%0.0f"},
                    TLabelCase{"CubicMetrePerSecond", utAirFlowPrim, 0, "m³/s", "%0.3f"},
                    TLabelCase{"SquareInch", utArea, 3, "inch²", "%0.2f"},
                    TLabelCase{"MicroPascalSecond", utViscosity, 2, "µPa·s", "%0.6g"},
                    TLabelCase{"ThermalResistance", utThermalResist, 1, "ft²·hr·°F/Btu", "%0.3f"},
                    TLabelCase{"ConductivityImperial", utConductivity, 3, "Btu/hr·ft°F", "%0.6g"},
                    TLabelCase{"IwgPer100ft", utPressureRateGas, 2, "iwg/100'", "%0.4f"},
                    TLabelCase{"GallonUS", utVolumeFluid, 3, "US Gal", "%0.5g"}),
    [](const auto& c) { return std::string(c.param.Name); });

TEST(UnitLabels, NoneHasAnEmptyLabelAndTheDefaultFormat)
{
    for (int unit : {-1, 0, 7}) {
        EXPECT_EQ(GetUnitsLabel(utNone, unit), "");
        EXPECT_EQ(GetUnitsFormat(utNone, unit), "%0.1f");
    }
}

TEST(UnitLabels, IndexesOutsideTheSetAreRefused)
{
    EXPECT_THROW(GetUnitsLabel(utTemperature, 3), EListError);
    EXPECT_THROW(GetUnitsLabel(utTemperature, -1), EListError);
    EXPECT_THROW(GetUnitsFormat(utPressure, 8), EListError);
    EXPECT_THROW(GetUnitsConversion(utPressure, 8, 0), EListError);
    EXPECT_THROW(GetUnitsConversion(utPressure, 0, -1), EListError);
}

// ---------------------------------------------------------------------------
// Conversions a user relies on

struct TConversionCase {
    const char* Name;
    TUnitsType Kind;
    int Display;
    int Storage;
    double Stored;
    double Shown;
};

class UnitConversions : public testing::TestWithParam<TConversionCase> {};

TEST_P(UnitConversions, ShowsAndReadsBack)
{
    const auto& c = GetParam();
    const TUnitsConversion conv = GetUnitsConversion(c.Kind, c.Display, c.Storage);
    const double shown = ToDisplayValue(conv.Offset, conv.Factor, c.Stored);
    EXPECT_NEAR(shown, c.Shown, 1e-12 * std::max(1.0, std::abs(c.Shown)));
    const double back = FromDisplayValue(conv.Offset, conv.Factor, c.Shown);
    EXPECT_NEAR(back, c.Stored, 1e-12 * std::max(1.0, std::abs(c.Stored)));
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, UnitConversions,
    testing::Values(
        TConversionCase{"SeventyCelsiusInFahrenheit", utTemperature, 1, 0, 70, 158},
        TConversionCase{"TwentyCelsiusInFahrenheit", utTemperature, 1, 0, 20, 68},
        TConversionCase{"TwentyCelsiusInKelvin", utTemperature, 2, 0, 20, 293.15},
        TConversionCase{"MinusFortyMeetsItself", utTemperature, 1, 0, -40, -40},
        TConversionCase{"AbsoluteZero", utTemperature, 1, 0, -273.15, -459.67},
        TConversionCase{"ChangeInFahrenheitHasNoOffset", utTemperatureChange, 1, 0, 5, 9},
        TConversionCase{"ChangeInKelvinHasNoOffset", utTemperatureChange, 2, 0, 5, 5},
        TConversionCase{"FahrenheitStoredShownInCelsius", utTemperature, 0, 1, 68, 20},
        TConversionCase{"FahrenheitStoredShownInKelvin", utTemperature, 2, 1, 32, 273.15},
        TConversionCase{"KelvinStoredShownInFahrenheit", utTemperature, 1, 2, 373.15, 212},
        TConversionCase{"CondensingPressureInPsi", utPressure, 2, 0, 1500, 217.55652118420366},
        TConversionCase{"CondensingPressureInBar", utPressure, 3, 0, 1500, 15},
        TConversionCase{"PressureDropInPascal", utWaterPressDrop, 1, 0, 30, 30000},
        TConversionCase{"AtmosphereInPsi", utPressure, 2, 1, 101325, 14.695943005992957},
        TConversionCase{"MassFlowInPoundPerMinute", utMassFlow, 4, 0, 0.01, 1.3227735731092656},
        TConversionCase{"MassFlowInPoundPerHour", utMassFlow, 5, 0, 0.01, 79.366414386555925},
        TConversionCase{"DutyInBtuPerHour", utDutyPrim, 2, 0, 1.63, 5561.7900850760525},
        TConversionCase{"BoreInThou", utLengthSmall, 2, 0, 1.63, 64.1732283464567},
        TConversionCase{"InchBoreInEighths", utDiameter, 3, 0, 0.0254, 8},
        TConversionCase{"LengthStoredInMillimetresShownInInch", utLengthPrim, 3, 2, 25.4, 1},
        TConversionCase{"FootInMetres", utLengthPrim, 0, 4, 1, Foot},
        TConversionCase{"PoundInKilograms", utMass, 0, 2, 1, Pound},
        TConversionCase{"PercentOfFraction", utProportion, 1, 0, 0.25, 25},
        TConversionCase{"ThermalCapacityInBtu", utThermalCapacity, 1, 0, 1, 0.17611835153222966},
        TConversionCase{"ViscosityInPoundMass", utViscosity, 4, 0, 1, 0.6719689751},
        TConversionCase{"CentipoiseInPoundMass", utViscosity, 4, 3, 1000, 0.6719689751}),
    [](const auto& c) { return std::string(c.param.Name); });

// The text a field shows for a stored value in its default format.
struct TShownCase {
    const char* Name;
    TUnitsType Kind;
    int Display;
    double Stored;
    const char* Text;
};

class ShownText : public testing::TestWithParam<TShownCase> {};

TEST_P(ShownText, InTheDefaultFormat)
{
    const auto& c = GetParam();
    const TUnitsConversion conv = GetUnitsConversion(c.Kind, c.Display, 0);
    EXPECT_EQ(Format(conv.Format, {ToDisplayValue(conv.Offset, conv.Factor, c.Stored)}), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, ShownText,
    testing::Values(TShownCase{"MassFlowPoundPerHour", utMassFlow, 5, 0.01, "79"},
                    TShownCase{"MassFlowPoundPerMinute", utMassFlow, 4, 0.01, "1.32"},
                    TShownCase{"DutyBtuPerHour", utDutyPrim, 2, 1.63, "5562"},
                    TShownCase{"BoreThou", utLengthSmall, 2, 1.63, "64.173"},
                    TShownCase{"KelvinTwoDecimals", utTemperature, 2, 20, "293.15"},
                    TShownCase{"CondensingPressurePsi", utPressure, 2, 1500, "217.5565"},
                    TShownCase{"InchInEighths", utDiameter, 3, 0.0254, "8"}),
    [](const auto& c) { return std::string(c.param.Name); });

// The two like units of heat per area and degree agree, and the factors match
// their SI definitions.
TEST(CorrectedFactors, ThermalCapacityMatchesTheHeatTransferCoefficient)
{
    const double capacity = GetUnitsConversion(utThermalCapacity, 1, 0).Factor;
    EXPECT_EQ(capacity, GetUnitsConversion(utHeatTransCoeff, 1, 0).Factor);
    // 1 W·h/(m²·°C) = 3600 J per m² and °C, in Btu per ft² and °F.
    const double physical = 3600 / Btu * Foot * Foot * FahrenheitDegree;
    EXPECT_NEAR(capacity, physical, 1e-4 * physical);
}

TEST(CorrectedFactors, ViscosityInPoundMassPerFootSecond)
{
    const double factor = GetUnitsConversion(utViscosity, 4, 0).Factor;
    EXPECT_NEAR(factor, Foot / Pound, 1e-9);
    // 1 cP is 1 mPa·s; in lbm/(ft·s) that is 6.72e-4.
    EXPECT_NEAR(GetUnitsConversion(utViscosity, 4, 3).Factor, 6.719689751e-4, 1e-13);
}

// ---------------------------------------------------------------------------
// Conversion results

TEST(GetUnitsConversion, BaseToBaseIsTheIdentity)
{
    for (TUnitsType kind : AllKinds()) {
        if (kind == utNone)
            continue;
        const TUnitsConversion conv = GetUnitsConversion(kind, 0, 0);
        EXPECT_EQ(conv.Factor, 1) << UnitsTypeName(kind);
        EXPECT_EQ(conv.Offset, 0) << UnitsTypeName(kind);
    }
}

TEST(GetUnitsConversion, NoneGivesOnlyLabelAndFormat)
{
    const TUnitsConversion conv = GetUnitsConversion(utNone, 3, -2);
    EXPECT_EQ(conv.Label, "");
    EXPECT_EQ(conv.Format, "%0.1f");
    EXPECT_EQ(conv.Factor, 1);
    EXPECT_EQ(conv.Offset, 0);
}

TEST(GetUnitsConversion, OnlyTemperaturesCarryAnOffset)
{
    for (TUnitsType kind : AllKinds()) {
        if (kind == utTemperature)
            continue;
        for (int d = 0; d < UnitCount(kind); ++d)
            for (int s = 0; s < UnitCount(kind); ++s)
                EXPECT_EQ(GetUnitsConversion(kind, d, s).Offset, 0) << UnitsTypeName(kind);
    }
}

// Every kind, every pair of display and storage unit: a value shown and read
// back is the value stored. Offsets cancel leading digits, so the tolerance is
// taken relative to the larger of the value and the offset in storage units.
TEST(GetUnitsConversion, WholeCatalogueRoundTrips)
{
    const double values[] = {-1234.5, -40, -1, -0.0125, 0, 1e-6, 0.01, 0.75, 1, 20, 1500, 3.3e7};
    int checked = 0;
    for (TUnitsType kind : AllKinds()) {
        for (int d = 0; d < UnitCount(kind); ++d) {
            for (int s = 0; s < UnitCount(kind); ++s) {
                const TUnitsConversion conv = GetUnitsConversion(kind, d, s);
                for (double v : values) {
                    const double shown = ToDisplayValue(conv.Offset, conv.Factor, v);
                    const double back = FromDisplayValue(conv.Offset, conv.Factor, shown);
                    const double scale = std::max(std::abs(v), std::abs(conv.Offset / conv.Factor));
                    if (scale == 0) {
                        EXPECT_EQ(back, 0) << UnitsTypeName(kind) << " " << d << "/" << s;
                    } else {
                        EXPECT_NEAR(back, v, 1e-12 * scale)
                            << UnitsTypeName(kind) << " " << d << "/" << s << " value " << v;
                    }
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 0);
}

// Converting through any intermediate storage unit gives the same display as
// converting from the base unit: the factors of a set are consistent.
TEST(GetUnitsConversion, StorageUnitDoesNotChangeWhatIsShown)
{
    for (TUnitsType kind : AllKinds()) {
        for (int d = 0; d < UnitCount(kind); ++d) {
            const TUnitsConversion direct = GetUnitsConversion(kind, d, 0);
            const double expected = ToDisplayValue(direct.Offset, direct.Factor, 25);
            for (int s = 0; s < UnitCount(kind); ++s) {
                const TUnitsConversion toStorage = GetUnitsConversion(kind, s, 0);
                const double stored = ToDisplayValue(toStorage.Offset, toStorage.Factor, 25);
                const TUnitsConversion conv = GetUnitsConversion(kind, d, s);
                EXPECT_NEAR(ToDisplayValue(conv.Offset, conv.Factor, stored), expected,
                            1e-12 * std::max(1.0, std::abs(expected)))
                    << UnitsTypeName(kind) << " " << d << "/" << s;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Index clamping

struct TClampCase {
    const char* Name;
    TUnitsType Kind;
    int Index;
    int Expected;
};

class ClampIndex : public testing::TestWithParam<TClampCase> {};

TEST_P(ClampIndex, BringsTheIndexIntoTheSet)
{
    const auto& c = GetParam();
    EXPECT_EQ(ClampUnitsIndex(c.Kind, c.Index), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ClampIndex,
                         testing::Values(TClampCase{"NegativeGivesBase", utPressure, -1, 0},
                                         TClampCase{"FarNegativeGivesBase", utMassFlow, -1000, 0},
                                         TClampCase{"PastTheEndGivesLast", utTemperature, 5, 2},
                                         TClampCase{"OnePastTheEndGivesLast", utPressure, 8, 7},
                                         TClampCase{"LastStays", utPressure, 7, 7},
                                         TClampCase{"InsideStays", utViscosity, 4, 4},
                                         TClampCase{"BaseStays", utLengthSmall, 0, 0},
                                         TClampCase{"NoneKeepsIndex", utNone, 7, 7},
                                         TClampCase{"NoneKeepsNegative", utNone, -1, -1}),
                         [](const auto& c) { return std::string(c.param.Name); });

// ---------------------------------------------------------------------------
// Conversion arithmetic

TEST(DisplayValue, FaultsAreRaised)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(FromDisplayValue(0, 0, 5), EZeroDivide);
    EXPECT_THROW(FromDisplayValue(5, 0, 5), EInvalidOp);
    EXPECT_THROW(ToDisplayValue(0, 1000, 1e306), EOverflow);
    EXPECT_THROW(FromDisplayValue(0, 1e-3, 1e306), EOverflow);
    EXPECT_THROW(ToDisplayValue(0, 1, nan), EInvalidOp);
    EXPECT_THROW(FromDisplayValue(0, 1, inf), EOverflow);
}

} // namespace
