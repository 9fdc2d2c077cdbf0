#pragma once

#include <string_view>

// The engineering unit catalogue. Every numeric field names a quantity kind;
// it holds its value in a storage unit and shows it in a display unit, both
// picked by index from the kind's ordered unit set. Index 0 of every set is
// the kind's base unit (SI based: °C, kPa, kg/s, kW, mm ...) and every factor
// is the number of that unit which make one base unit.
//
// The catalogue is constant data; every function here is a pure lookup or a
// linear conversion. Texts are views of that constant data and stay valid for
// the whole run.

// Quantity kinds, in catalogue order (0 to 53).
enum TUnitsType : unsigned char {
    utNone = 0,
    utAirFlowPrim,
    utAirFlowSec,
    utAirFlowSmall,
    utAirFlowRate,
    utAirPressDrop,
    utAltitude,
    utAngularSpeed,
    utArea,
    utCondensateRate,
    utConductance,
    utConductivity,
    utDensity,
    utDiameter,
    utDutyPrim,
    utDutySec,
    utDutyRate,
    utEnergy,
    utEnthalpy,
    utFinDensity,
    utHeatOfRespir,
    utHeatTransCoeff,
    utHumidity,
    utLengthBig,
    utLengthMeasure,
    utLengthPrim,
    utLengthSec,
    utLengthSmall,
    utMass,
    utMassFlow,
    utMassFlowGas,
    utMassFlux,
    utMetRate,
    utPeopleDensity,
    utPower,
    utPressure,
    utPressureBar,
    utPressureSteam,
    utPressureRateGas,
    utPressureRateLiquid,
    utProportion,
    utSpecificHeat,
    utSpecificVol,
    utTemperature,
    utTemperatureChange,
    utThermalCapacity,
    utThermalResist,
    utTime,
    utVelocity,
    utViscosity,
    utVolume,
    utVolumeFluid,
    utWaterFlow,
    utWaterPressDrop,
};

inline constexpr int UnitsTypeCount = utWaterPressDrop + 1;

// The readable name of a kind ("Temperature", "MassFlow - Refrig./Steam").
// A value outside the enumeration raises EListError.
std::string_view UnitsTypeName(TUnitsType kind);

// The number of units in a kind's set; 0 for utNone. A value outside the
// enumeration raises EListError (as do the lookups below).
int UnitCount(TUnitsType kind);

// The label shown beside a field ("°C", "kg/s", "1/8\""). Empty for utNone,
// whatever the index. Any other kind expects an index already brought into
// range by ClampUnitsIndex and raises EListError for one outside its set.
std::string_view GetUnitsLabel(TUnitsType kind, int unit);

// The format text a value in that unit is shown with by default ("%0.3f").
// "%0.1f" for utNone, whatever the index; other kinds check the index as
// GetUnitsLabel does.
std::string_view GetUnitsFormat(TUnitsType kind, int unit);

// What a field needs to show a stored value in its display unit:
// display = Offset + Factor × stored.
struct TUnitsConversion {
    std::string_view Label;            // of the display unit
    std::string_view Format = "%0.1f"; // default format of the display unit
    double Factor = 1;                 // display units per storage unit
    double Offset = 0;                 // non-zero only for temperatures
};

// The conversion from the storage unit to the display unit of a kind.
// Factor is the ratio of the two units' factors. Only utTemperature carries an
// offset (a temperature change converts by factor alone); it is worked out so
// that any storage unit converts correctly, and equals the display unit's own
// offset (°F 32, K 273.15) when the storage unit is °C. For utNone only the
// label (empty) and the format ("%0.1f") are given; Factor and Offset keep
// their neutral values 1 and 0. Indexes are checked as by GetUnitsLabel.
TUnitsConversion GetUnitsConversion(TUnitsType kind, int displayUnit, int storageUnit);

// Brings a unit index into the kind's set: below 0 gives 0, past the end the
// last unit. utNone has no units and returns the index unchanged.
int ClampUnitsIndex(TUnitsType kind, int index);

// Storage unit to display unit: offset + factor × value.
// Raises EOverflow when the result is too large and EInvalidOp for a NaN.
double ToDisplayValue(double offset, double factor, double value);

// Display unit back to storage unit: (display − offset) ÷ factor.
// Raises EZeroDivide for a zero factor, EOverflow and EInvalidOp as above.
double FromDisplayValue(double offset, double factor, double displayValue);
