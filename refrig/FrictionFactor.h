#pragma once

#include <utility>

// Darcy friction factor of flow in a circular tube (64/Re in laminar flow).
// Re: Reynolds number; diameter and roughness in m; initialGuess: a friction
// factor to start the turbulent iterations from, 0 for none.
double FrictionFactor(double Re, double diameter, double roughness, double initialGuess);

// The regime formulas. r is the relative roughness roughness/diameter.
double ColebrookFactor(double Re, double r, double initialGuess); // transitional rough
double SmoothPipeFactor(double Re, double initialGuess);          // hydraulically smooth
double RoughPipeFactor(double r);                                 // fully rough
double LaminarFactor(double Re);

// A flow whose friction factor is wanted, with the start value of its
// turbulent iterations (0 for none).
struct TFrictionFlow {
    double Re;
    double InitialGuess;
};

// The friction factors of two flows in the same tube, each exactly what
// FrictionFactor gives it, worked out side by side (faster than one after the
// other). Raises when either would raise, without telling which: a caller
// that must raise the first flow's fault alone works that one out again.
std::pair<double, double> FrictionFactorPair(const TFrictionFlow& a, const TFrictionFlow& b,
                                             double diameter, double roughness);
