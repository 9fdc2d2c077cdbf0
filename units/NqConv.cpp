#include "units/NqConv.h"

#include "common/CheckedMath.h"
#include "common/Errors.h"
#include "common/UnitConversions.h"

#include <array>
#include <span>

namespace {

// One unit of a set: its label, how many of it make one base unit, the format
// a value in it is shown with, and (temperatures only) the reading of the
// base unit's zero in this unit.
struct TUnitDef {
    std::string_view Label;
    double Factor;
    std::string_view Format;
    double Offset = 0;
};

using TUnitSet = std::span<const TUnitDef>;

constexpr TUnitDef AirFlowUnits[] = {
    {"m³/s", 1, "%0.3f"},
    {"m³/min", 60, "%0.2f"},
    {"m³/hr", 3600, "%0.0f"},
    {"l/s", 1000, "%0.0f"},
    {"cfm", 2118.8800032893155, "%0.2f"},
};

constexpr TUnitDef AirFlowSmallUnits[] = {
    {"l/s", 1, "%0.1f"},
    {"m³/min", 0.06, "%0.2f"},
    {"cfm", 2.1188800032893154, "%0.3f"},
};

constexpr TUnitDef AirFlowRateUnits[] = {
    {"m³/s/m²", 1, "%0.3f"},
    {"m³/min/m²", 60, "%0.2f"},
    {"m³/hr/m²", 3600, "%0.0f"},
    {"l/s/m²", 1000, "%0.0f"},
    {"cfm/ft²", 196.8503937007874, "%0.2f"},
};

// Pressures and pressure drops. Gauge and absolute values convert alike: no
// unit adds or removes an atmosphere.
constexpr TUnitDef PressureUnits[] = {
    {"kPa", 1, "%0.3f"},
    {"Pa", 1000, "%0.0f"},
    {"Psi", 0.1450376807894691, "%0.4f"},
    {"Bar", 0.01, "%0.5f"},
    {"Atm", 0.00986923, "%0.5f"},
    {"InchWg", 4.014630759755623, "%0.4f"},
    {"InchHg", 0.295, "%0.4f"},
    {"mHead", 0.10197162129779283, "%0.4f"},
};

constexpr TUnitDef AltitudeUnits[] = {
    {"m", 1, "%0.1f"},
    {"ft", 3.2808398950131235, "%0.1f"},
};

constexpr TUnitDef AngularSpeedUnits[] = {
    {"rpm", 1, "%0.0f"},
    {"Rad/s", 0.10471975511965978, "%0.3f"},
    {"Rev/s", 0.016666666666666666, "%0.0f"},
};

constexpr TUnitDef AreaUnits[] = {
    {"m²", 1, "%0.1f"},
    {"cm²", 10000, "%0.1f"},
    {"mm²", 1000000, "%0.0f"},
    {"inch²", 1550.0031000062, "%0.2f"},
    {"ft²", 10.763910416709722, "%0.1f"},
};

constexpr TUnitDef CondensateRateUnits[] = {
    {"g/s", 1, "%0.1f"},
    {"kg/s", 0.001, "%0.4f"},
    {"kg/min", 0.06, "%0.3f"},
    {"lb/hr", 7.9366414386555935, "%0.3f"},
};

constexpr TUnitDef ConductanceUnits[] = {
    {"kW/°C", 1, "%0.3f"},
    {"W/°C", 1000, "%0.0f"},
    {"MBH/°F", 1.8956339758268757, "%0.3f"},
    {"Btu/h°F", 1895.6339758268755, "%0.0f"},
};

constexpr TUnitDef ConductivityUnits[] = {
    {"kW/mK", 1, "%0.6g"},
    {"W/mK", 1000, "%0.6g"},
    {"mW/mK", 1000000, "%0.6g"},
    {"Btu/hr·ft°F", 577.7, "%0.6g"},
};

constexpr TUnitDef DensityUnits[] = {
    {"kg/m³", 1, "%0.5g"},
    {"mg/L", 1000, "%0.1g"},
    {"lb/ft³", 0.06242796057614461, "%0.4g"},
};

// Tube bores; eighths of an inch are shown as a whole count.
constexpr TUnitDef DiameterUnits[] = {
    {"m", 1, "%0.3f"},
    {"mm", 1000, "%0.0f"},
    {"inch", 39.37007874015748, "%0.2f"},
    {"1/8\"", 314.96062992125985, "%0.0f"},
    {"ft", 3.2808398950131235, "%0.3f"},
};

constexpr TUnitDef DutyUnits[] = {
    {"kW", 1, "%0.3f"},
    {"W", 1000, "%0.0f"},
    {"Btu/hr", 3412.141156488376, "%0.0f"},
    {"MBh", 3.412141156488376, "%0.3f"},
    {"kcal/hr", 859.184, "%0.1f"},
};

constexpr TUnitDef DutyRateUnits[] = {
    {"W/m²", 1, "%0.1f"},
    {"kW/m²", 0.001, "%0.3f"},
    {"Btu/hr·ft²", 0.31699828634688587, "%0.1f"},
    {"MBh/ft²", 0.00031699828634688585, "%0.3f"},
    {"kcal/hr·ft²", 0.07982080551936, "%0.1f"},
};

constexpr TUnitDef EnergyUnits[] = {
    {"kJ", 1, "%0.3f"},
    {"J", 1000, "%0.0f"},
    {"kW-hr", 0.0002777777777777778, "%0.5g"},
    {"W-hr", 0.2777777777777778, "%0.5g"},
    {"Btu", 0.9478169879134378, "%0.5g"},
};

constexpr TUnitDef EnthalpyUnits[] = {
    {"kJ/kg", 1, "%0.1f"},
    {"Btu/lb", 0.4299226139294927, "%0.1f"},
};

constexpr TUnitDef FinDensityUnits[] = {
    {"fpi", 1, "%0.4f"},
    {"fin/mm", 0.03937007874015748, "%0.5f"},
    {"fins/m", 39.37007874015748, "%0.3f"},
    {"fins/ft", 12, "%0.3f"},
};

constexpr TUnitDef HeatOfRespirUnits[] = {
    {"kJ/kg/day", 1, "%0.2f"},
    {"Btu/lb/day", 0.4299226139294927, "%0.2f"},
};

// Heat per area, time and degree; the same ratio serves the thermal capacity
// set below.
constexpr double BtuPerHourFt2FPerWattM2C = 0.17611835153222966;

constexpr TUnitDef HeatTransCoeffUnits[] = {
    {"W/m²°C", 1, "%0.5g"},
    {"Btu/hr·ft²°F", BtuPerHourFt2FPerWattM2C, "%0.5g"},
};

constexpr TUnitDef HumidityUnits[] = {
    {"kg/kg", 1, "%0.4f"},
    {"g/kg", 1000, "%0.2f"},
    {"gr/lb", 7000, "%0.1f"},
};

constexpr TUnitDef LengthBigUnits[] = {
    {"m", 1, "%0.2f"},
    {"ft", 3.2808398950131235, "%0.1f"},
};

constexpr TUnitDef LengthUnits[] = {
    {"m", 1, "%0.3f"},
    {"cm", 100, "%0.2f"},
    {"mm", 1000, "%0.1f"},
    {"inch", 39.37007874015748, "%0.2f"},
    {"ft", 3.2808398950131235, "%0.3f"},
};

constexpr TUnitDef LengthSmallUnits[] = {
    {"mm", 1, "%0.4f"},
    {"um", 1000, "%0.1f"},
    {"Thou\"", 39.37007874015748, "%0.3f"},
};

constexpr TUnitDef MassUnits[] = {
    {"kg", 1, "%0.0f"},
    {"ton SI", 0.001, "%0.3f"},
    {"lb", 2.2046226218487757, "%0.1f"},
};

constexpr TUnitDef MassFlowUnits[] = {
    {"kg/s", 1, "%0.3f"},
    {"g/s", 1000, "%0.0f"},
    {"kg/hr", 3600, "%0.1f"},
    {"lb/s", 2.2046226218487757, "%0.4f"},
    {"lb/min", 132.27735731092656, "%0.2f"},
    {"lb/hr", 7936.6414386555925, "%0.0f"},
};

constexpr TUnitDef MassFluxUnits[] = {
    {"kg/m²s", 1, "%0.3f"},
    {"g/m²s", 1000, "%0.0f"},
    {"kg/m²hr", 3600, "%0.1f"},
    {"lb/ft²s", 0.20481614362252168, "%0.4f"},
    {"lb/ft²min", 12.288968617351301, "%0.2f"},
    {"lb/ft²hr", 737.3381170410781, "%0.0f"},
};

constexpr TUnitDef MetRateUnits[] = {
    {"W/P", 1, "%0.1f"},
    {"Btu/hr/P", 3.412141156488376, "%0.0f"},
};

constexpr TUnitDef PeopleDensityUnits[] = {
    {"m²/P", 1, "%0.1f"},
    {"ft²/P", 10.763910416709722, "%0.2f"},
};

constexpr TUnitDef PowerUnits[] = {
    {"kW", 1, "%0.3f"},
    {"W", 1000, "%0.0f"},
    {"HP", 1.341021858656296, "%0.2f"},
};

constexpr TUnitDef PressureBarUnits[] = {
    {"kPa", 1, "%0.3f"},        {"Psi", 0.1450376807894691, "%0.4f"},
    {"Bar", 0.01, "%0.5f"},     {"Atm", 0.00986923, "%0.5f"},
    {"InchHg", 0.295, "%0.4f"}, {"mHead", 0.10197162129779283, "%0.4f"},
};

constexpr TUnitDef PressureRateUnits[] = {
    {"Pa/m", 1, "%0.2f"},
    {"kPa/m", 0.001, "%0.5f"},
    {"iwg/100'", 0.12236594555735139, "%0.4f"},
    {"Psi/ft", 4.4207485104630184e-05, "%0.6f"},
};

constexpr TUnitDef ProportionUnits[] = {
    {"fraction", 1, "%0.3f"},
    {"%", 100, "%0.1f"},
    {"ratio", 1, "%0.3f"},
};

constexpr TUnitDef SpecificHeatUnits[] = {
    {"kJ/kg·K", 1, "%0.4g"},
    {"Btu/lb°F", 0.23883448770002388, "%0.4g"},
};

constexpr TUnitDef SpecificVolUnits[] = {
    {"m³/kg", 1, "%0.3f"},
    {"ft³/lb", 16.018463373960138, "%0.3f"},
};

// Temperatures: the offset is what 0 °C reads in the unit. Temperature
// changes use the same set without the offsets.
constexpr TUnitDef TemperatureUnits[] = {
    {"°C", 1, "%0.1f", 0},
    {"°F", 1.8, "%0.1f", 32},
    {"K", 1, "%0.2f", CelsiusToKelvin(0.0)},
};

// Stored heat per area and degree. One W·h/(m²·°C) is an hour of one
// W/(m²·°C), and one Btu/(ft²·°F) an hour of one Btu/(hr·ft²·°F), so the
// physically correct factor is the heat transfer coefficient's ratio;
// 0.5705969154243945 would overstate it more than threefold.
constexpr TUnitDef ThermalCapacityUnits[] = {
    {"W-hr/m²°C", 1, "%0.1f"},
    {"Btu/ft²°F", BtuPerHourFt2FPerWattM2C, "%0.1f"},
};

constexpr TUnitDef ThermalResistUnits[] = {
    {"m²°C/W", 1, "%0.4f"},
    {"ft²·hr·°F/Btu", 5.678264134306047, "%0.3f"},
};

constexpr TUnitDef TimeUnits[] = {
    {"sec", 1, "%0.0f"},
    {"min", 0.016666666666666666, "%0.2f"},
    {"hr", 0.0002777777777777778, "%0.4f"},
};

constexpr TUnitDef VelocityUnits[] = {
    {"m/s", 1, "%0.2f"},
    {"fpm", 196.8503937007874, "%0.1f"},
};

// Dynamic viscosity. lbm/(ft·s) uses the physically correct factor
// 0.3048 m/ft ÷ 0.45359237 kg/lb (0.0671955 would be a tenth of it).
constexpr TUnitDef ViscosityUnits[] = {
    {"kg/m·s", 1, "%0.6g"},
    {"N·s/m²", 1, "%0.6g"},
    {"µPa·s", 1000000, "%0.6g"},
    {"cP", 1000, "%0.6g"},
    {"lbm/ft·s", 0.6719689751, "%0.6g"},
    {"lbf·s/ft²", 0.020885, "%0.6g"},
    {"lbf·hr/ft²", 5.8014e-06, "%0.6g"},
};

constexpr TUnitDef VolumeUnits[] = {
    {"m³", 1, "%0.4f"},      {"litre", 1000, "%0.2f"},  {"cc", 1000000, "%0.0f"},
    {"ft³", 35.32, "%0.4f"}, {"inch³", 61023, "%0.1f"},
};

constexpr TUnitDef VolumeFluidUnits[] = {
    {"kl", 1, "%0.3f"},
    {"litre", 1000, "%0.5g"},
    {"IP Gal", 220, "%0.5g"},
    {"US Gal", 264.1720523581484, "%0.5g"},
};

constexpr TUnitDef WaterFlowUnits[] = {
    {"l/s", 1, "%0.3f"},     {"l/min", 60, "%0.2f"},   {"dm³/hr", 3600, "%0.2f"},
    {"m³/hr", 3.6, "%0.2f"}, {"m³/s", 0.001, "%0.4f"}, {"usgpm", 15.850323141488905, "%0.1f"},
};

struct TKindDef {
    TUnitsType Kind;
    std::string_view Name;
    TUnitSet Units;
};

constexpr std::array<TKindDef, UnitsTypeCount> Kinds = {{
    {utNone, "None", {}},
    {utAirFlowPrim, "Air Flow - Primary", AirFlowUnits},
    {utAirFlowSec, "Air Flow - Secondary", AirFlowUnits},
    {utAirFlowSmall, "Air Flow - Small", AirFlowSmallUnits},
    {utAirFlowRate, "Air Flow Rate", AirFlowRateUnits},
    {utAirPressDrop, "Air Pressure Drop", PressureUnits},
    {utAltitude, "Altitude", AltitudeUnits},
    {utAngularSpeed, "Angular Speed", AngularSpeedUnits},
    {utArea, "Area", AreaUnits},
    {utCondensateRate, "Condensate Rate", CondensateRateUnits},
    {utConductance, "Conductance", ConductanceUnits},
    {utConductivity, "Conductivity", ConductivityUnits},
    {utDensity, "Density", DensityUnits},
    {utDiameter, "Diameter", DiameterUnits},
    {utDutyPrim, "Duty - Primary", DutyUnits},
    {utDutySec, "Duty - Secondary", DutyUnits},
    {utDutyRate, "Duty Rate", DutyRateUnits},
    {utEnergy, "Energy", EnergyUnits},
    {utEnthalpy, "Enthalpy", EnthalpyUnits},
    {utFinDensity, "Fin Density", FinDensityUnits},
    {utHeatOfRespir, "Heat of Respiration", HeatOfRespirUnits},
    {utHeatTransCoeff, "Heat Transfer Coefficient", HeatTransCoeffUnits},
    {utHumidity, "Humidity", HumidityUnits},
    {utLengthBig, "Length - Big", LengthBigUnits},
    {utLengthMeasure, "Length - Measurement", LengthUnits},
    {utLengthPrim, "Length - Primary", LengthUnits},
    {utLengthSec, "Length - Secondary", LengthUnits},
    {utLengthSmall, "Length - Small", LengthSmallUnits},
    {utMass, "Mass", MassUnits},
    {utMassFlow, "MassFlow", MassFlowUnits},
    {utMassFlowGas, "MassFlow - Refrig./Steam", MassFlowUnits},
    {utMassFlux, "MassFlux", MassFluxUnits},
    {utMetRate, "Metabolic Rate", MetRateUnits},
    {utPeopleDensity, "People Density", PeopleDensityUnits},
    {utPower, "Power", PowerUnits},
    {utPressure, "Pressure - Absolute or Gauge", PressureUnits},
    {utPressureBar, "Pressure - Barometric", PressureBarUnits},
    {utPressureSteam, "Pressure - Steam", PressureUnits},
    {utPressureRateGas, "Pressure Rate - Gas", PressureRateUnits},
    {utPressureRateLiquid, "Pressure Rate - Liquid", PressureRateUnits},
    {utProportion, "Proportion", ProportionUnits},
    {utSpecificHeat, "Specific Heat", SpecificHeatUnits},
    {utSpecificVol, "Specific Volume", SpecificVolUnits},
    {utTemperature, "Temperature", TemperatureUnits},
    {utTemperatureChange, "Temperature Change", TemperatureUnits},
    {utThermalCapacity, "Thermal Capacity", ThermalCapacityUnits},
    {utThermalResist, "Thermal Resistance", ThermalResistUnits},
    {utTime, "Time", TimeUnits},
    {utVelocity, "Velocity", VelocityUnits},
    {utViscosity, "Viscosity", ViscosityUnits},
    {utVolume, "Volume", VolumeUnits},
    {utVolumeFluid, "Fluid Volume", VolumeFluidUnits},
    {utWaterFlow, "Water Flow", WaterFlowUnits},
    {utWaterPressDrop, "Water Pressure Drop", PressureUnits},
}};

// The table is indexed by kind: each row must sit at its own value, every set
// must start with its base unit, and no factor may be zero (conversions divide
// by it).
constexpr bool CatalogueIsConsistent()
{
    for (std::size_t i = 0; i < Kinds.size(); ++i) {
        if (Kinds[i].Kind != i)
            return false;
        const TUnitSet units = Kinds[i].Units;
        if (!units.empty() && (units[0].Factor != 1 || units[0].Offset != 0))
            return false;
        for (const TUnitDef& unit : units)
            if (!(unit.Factor > 0))
                return false;
    }
    return true;
}
static_assert(CatalogueIsConsistent());

const TKindDef& KindOf(TUnitsType kind)
{
    if (kind >= Kinds.size())
        throw EListError::IndexOutOfBounds(kind);
    return Kinds[kind];
}

const TUnitDef& UnitOf(const TKindDef& def, int unit)
{
    if (unit < 0 || static_cast<std::size_t>(unit) >= def.Units.size())
        throw EListError::IndexOutOfBounds(unit);
    return def.Units[static_cast<std::size_t>(unit)];
}

constexpr std::string_view NoUnitsFormat = "%0.1f";

// Arithmetic faults are raised where they happen instead of passing on an
// infinity or a NaN.
double Finite(double x)
{
    return static_cast<double>(Checked::Finite(x));
}

} // namespace

std::string_view UnitsTypeName(TUnitsType kind)
{
    return KindOf(kind).Name;
}

int UnitCount(TUnitsType kind)
{
    return static_cast<int>(KindOf(kind).Units.size());
}

std::string_view GetUnitsLabel(TUnitsType kind, int unit)
{
    const TKindDef& def = KindOf(kind);
    if (kind == utNone)
        return {};
    return UnitOf(def, unit).Label;
}

std::string_view GetUnitsFormat(TUnitsType kind, int unit)
{
    const TKindDef& def = KindOf(kind);
    if (kind == utNone)
        return NoUnitsFormat;
    return UnitOf(def, unit).Format;
}

TUnitsConversion GetUnitsConversion(TUnitsType kind, int displayUnit, int storageUnit)
{
    const TKindDef& def = KindOf(kind);
    TUnitsConversion result;
    if (kind == utNone)
        return result;
    const TUnitDef& display = UnitOf(def, displayUnit);
    const TUnitDef& storage = UnitOf(def, storageUnit);
    result.Label = display.Label;
    result.Format = display.Format;
    result.Factor = display.Factor / storage.Factor;
    // A stored temperature s reads (s - storage offset) / storage factor in °C;
    // shown in the display unit that is display offset + Factor × (s - storage
    // offset). With °C storage this is the display unit's own offset exactly.
    if (kind == utTemperature)
        result.Offset = display.Offset - result.Factor * storage.Offset;
    return result;
}

int ClampUnitsIndex(TUnitsType kind, int index)
{
    const int count = UnitCount(kind);
    if (kind == utNone)
        return index;
    if (index < 0)
        return 0;
    if (index > count - 1)
        return count - 1;
    return index;
}

double ToDisplayValue(double offset, double factor, double value)
{
    Finite(offset);
    Finite(factor);
    Finite(value);
    return Finite(offset + factor * value);
}

double FromDisplayValue(double offset, double factor, double displayValue)
{
    Finite(offset);
    Finite(factor);
    Finite(displayValue);
    const double shifted = Finite(displayValue - offset);
    if (factor == 0) {
        if (shifted == 0)
            throw EInvalidOp();
        throw EZeroDivide();
    }
    return Finite(shifted / factor);
}
