#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

#include <string>

// One step of the two-phase simulation, at the step's outlet (SI units).
struct TStoeckerStep {
    double t = 0;  // saturation temperature, °C
    double p = 0;  // pressure, Pa
    double x = 0;  // vapour quality
    double v = 0;  // specific volume, m³/kg
    double h = 0;  // enthalpy, J/kg
    double V = 0;  // velocity, m/s
    double dL = 0; // step length, m
    double L = 0;  // tube length after this step, m
};

// Receives the steps table as the simulation goes, so that the rows written
// before a fault stay.
class TStepSink {
public:
    virtual ~TStepSink() = default;
    virtual void ClearSteps() = 0;
    virtual void AddStep(const TStoeckerStep& step) = 0;
};

// The simulation's result fields. SolveStoecker updates them in place as it
// goes: after a fault, Length holds the entry section and the finished steps
// and Choked is false; LeavingTemp is written only on completion.
struct TStoeckerResults {
    double Length = 0;      // m
    double LeavingTemp = 0; // °C, outlet saturation temperature of the last step
    bool Choked = false;    // the last step had a negative length
};

struct TStoeckerOutcome {
    bool Refused = false;
    std::string Message; // why the inputs were refused
};

// The tube length by a stepwise simulation of the flow after Stoecker: the
// refrigerant falls 1 K of saturation temperature per step; each step's
// quality follows from the energy balance and its length from the momentum
// balance; the tube ends when the saturation temperature falls below that of
// the evaporator inlet, or earlier at a negative step length (choked flow).
// Temperatures outside the refrigerant's limits are refused with a message;
// arithmetic faults are raised.
TStoeckerOutcome SolveStoecker(const TRefrigLib& lib, const TDesignCase& designCase,
                               TStoeckerResults& results, TStepSink& sink);
