#pragma once

#include <utility>

// Darcy friction factor of flow in a circular tube, evaluated in extended
// precision and stored as a double.
//
//   laminar, 0 < Re < 2300:
//     f = 64 / Re                          (0.02 where 64/Re > 1, Re < 64)
//   turbulent, Re >= 2300, smooth tube (e = 0), Prandtl-Kármán:
//     1/sqrt(f) = 2 * log10(Re * sqrt(f)) - 0.8
//   turbulent, Re >= 2300, rough tube, Colebrook:
//     1/sqrt(f) = -2 * log10(r / 3.71 + 2.51 / (Re * sqrt(f)))
//   turbulent, fully rough, where sqrt(f0) * Re * r > 200:
//     1/sqrt(f) = 1.14 - 2 * log10(r)
//   no flow, Re <= 0 (or not a number):
//     f = f0 when 0 <= f0 <= 1, otherwise 0.02
//
//   symbol  quantity                                       unit
//   f       Darcy friction factor                          -
//   Re      Reynolds number rho * V * D / mu               -
//   D       inner diameter                                 m
//   e       absolute roughness                             m
//   r       relative roughness e / D                       -
//   f0      start value of the iterations (initialGuess)   -
//
// The implicit forms are solved on w = 1/sqrt(f): the smooth-tube form by
// fixed-point iteration from w = 1/sqrt(f0), or 7 when f0 is 0; the Colebrook
// form by secant steps from w = 1/sqrt(f0), where an f0 of 0 is replaced by
// the fully rough value (also for the fully rough test). The smooth-tube
// iteration stops when w changes by at most 1e-6, the Colebrook one when the
// residual w + 2 * log10(r / 3.71 + 2.51 * w / Re) is at most 1e-6 in size;
// either after 21 iterations at the latest, with the last value.
//
// Range: the turbulent forms are applied from Re = 2300 up, with no
// transitional zone between them and the laminar one; no upper Reynolds number
// or roughness limit is checked. The fully rough test is made with f0, not
// with the converged f.
//
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
