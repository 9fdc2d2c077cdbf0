#pragma once

// Darcy friction factor of flow in a circular tube (64/Re in laminar flow).
// Re: Reynolds number; diameter and roughness in m; initialGuess: a friction
// factor to start the turbulent iterations from, 0 for none.
double FrictionFactor(double Re, double diameter, double roughness, double initialGuess);

// The regime formulas. r is the relative roughness roughness/diameter.
double ColebrookFactor(double Re, double r, double initialGuess); // transitional rough
double SmoothPipeFactor(double Re, double initialGuess);          // hydraulically smooth
double RoughPipeFactor(double r);                                 // fully rough
double LaminarFactor(double Re);
