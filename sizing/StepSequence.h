#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/StepOutlet.h"

#include <optional>

// One step of the two-phase simulation as the sequence hands it out: its
// outlet and the Darcy friction factor there.
struct TStepAhead {
    TStepOutlet Outlet;
    double Friction;
};

// The simulation's steps one after the other, each StepOutlet of the one
// before, the first of the given inlet, each with its StepFriction.
//
// It is faster to work a step's friction factor out together with the next
// step's (StepFrictionPair: the two Colebrook iterations overlap), which needs
// the next step's outlet ahead of its turn. So every other step the sequence
// works out the next outlet and both friction factors, and hands out the
// outlet and the second factor when their step comes. The step whose outlet
// lies below tEnd, the simulation's last, has no next and takes its friction
// factor alone. Whatever raises ahead of its turn is worked out again, and
// raises, in its turn: the steps and faults are exactly those of working each
// step out alone.
class TStepSequence {
public:
    // massFlux G, kg/(m²·s); bore D, m; tEnd: the saturation temperature the
    // simulation ends below, °C; t1, h1, v1: the first step's inlet
    // saturation temperature °C, enthalpy J/kg and velocity m/s. The library
    // is held by reference.
    TStepSequence(const TRefrigLib& lib, double massFlux, double bore, double tEnd, double t1,
                  double h1, double v1);

    // The next step; raises the step's arithmetic faults.
    TStepAhead Next();

private:
    const TRefrigLib& Lib;
    const double G;
    const double D;
    const double TEnd;
    // The next step's inlet.
    double T1;
    double H1;
    double V1;
    // The next step's outlet when it is worked out already.
    std::optional<TStepOutlet> Ahead;
    // The next step's friction factor when it is known already: a flag and a
    // number, both always set (GCC 12 warns falsely at -Os on an optional
    // double copied from step to step).
    bool AheadFrictionKnown = false;
    double AheadFriction = 0;
};
