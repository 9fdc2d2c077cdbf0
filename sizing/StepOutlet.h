#pragma once

#include "refrig/RefrigLib.h"

// The state at the outlet of one step of the two-phase simulation, whose
// saturation temperature is 1 K below that of its inlet.
struct TStepOutlet {
    double t2;  // saturation temperature, °C
    double p2;  // bubble pressure at t2, Pa
    double x;   // vapour quality
    double v2;  // specific volume, m³/kg
    double h2;  // enthalpy, J/kg
    double V2;  // velocity, m/s
    double Re2; // Reynolds number
};

// The outlet of the step from the inlet (t1 °C, h1 J/kg, V1 m/s) at mass
// flux G in kg/(m²·s) through the bore D in m:
//
//   t2 = t1 − 1,  p2 = Pbubble(t2)
//   h2 = (1 − x)·hf + x·hg,  v2 = (1 − x)·vf + x·vg,  V2 = G·v2
//   x  from the energy balance h1 + V1²/2 = h2 + V2²/2, a quadratic in x:
//        a·x² + b·x + c = 0,  x = (√(b² − 4ac) − b) / 2a,
//        a = (G·(vg − vf))²/2,  b = G²·vf·(vg − vf) + (hg − hf),
//        c = (G·vf)²/2 + hf − h1 − V1²/2
//   µ2 = (1 − x)·µf + x·µg,  Re2 = G·D/µ2
//
// with the saturated liquid (f) and vapour (g) properties at t2. Arithmetic
// faults are raised (vg = vf makes x 0/0).
TStepOutlet StepOutlet(const TRefrigLib& lib, double G, double D, double t1, double h1, double V1);
