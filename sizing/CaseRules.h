#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

#include <string>

// The rules that tie fields of the design case together, in the fields'
// storage units. The window applies them as the user leaves a field, the
// command line tool as it takes a case; both write the result into the
// partner field, which then holds it at the precision it shows (the window's
// edit rounds in the user's unit, a case held as data with ShownValue).
//
// Each rule evaluates in extended precision and stores a double at the end;
// a fault (EZeroDivide, EInvalidOp, EOverflow, or a property correlation's
// error) is raised and nothing is written.

// The pressure field's value in kPa for a saturation temperature in °C: the
// dew pressure. Both the condensing and the evaporating pair use the dew line.
double PressureOfTemperature(const TRefrigLib& lib, double temperature);

// The temperature field's value in °C for a saturation pressure in kPa: the
// dew temperature.
double TemperatureOfPressure(const TRefrigLib& lib, double pressure);

// The circuit duty in kW of a mass flow in kg/s with a refrigerating effect
// in kJ/kg. The mass flow is the value held: every change but one of the duty
// recomputes the duty this way.
double DutyOfMassFlow(double massFlow, double refrigEffect);

// The mass flow in kg/s that a circuit duty in kW needs with a refrigerating
// effect in kJ/kg; an effect of zero is a division fault.
double MassFlowOfDuty(double duty, double refrigEffect);

// Why no sizing method can take the case, as a message box text, or empty
// when it can: the evaporating temperature within the refrigerant's range
// (its lower limit reaches 30 K further down, unless that limit is already
// below −40 °C), the condensing temperature within it, the evaporating
// temperature not above the condensing one and the evaporating pressure
// below the condensing pressure. Above the range the correlations would work
// from extrapolated properties, and with the pressures the wrong way round
// there is no flow to size. The pressures are read only when the
// temperatures pass; a value that is not a number raises EConvertError.
std::string CaseRefusal(const TRefrigLib& lib, const TDesignCase& designCase);

// A message box text on one line: each CR LF becomes a blank.
std::string OneLineMessage(const std::string& text);
