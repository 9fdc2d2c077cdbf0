#pragma once

#include <optional>
#include <utility>

// The Darcy friction factor in the capillary tube as the simulation takes it:
// FrictionFactor for drawn copper (absolute roughness 1.5 µm), its turbulent
// iterations started from f0 = 0.33·Re^−0.25.
//   Re  Reynolds number G·D/µ, dimensionless
//   D   bore, m
// Arithmetic faults are raised (a negative Re is a negative base of f0).
double StepFriction(double Re, double D);

// The friction factors at the Reynolds numbers of this step and the next,
// worked out side by side (FrictionFactorPair), each exactly what
// StepFriction gives it. Raises what this step's alone raises; the next
// step's is empty when working it out raises, so that the next step works it
// out again and raises it in its turn.
std::pair<double, std::optional<double>> StepFrictionPair(double Re, double nextRe, double D);
