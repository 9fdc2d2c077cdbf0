#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

// Tube length in m by the empirical correlation of Cho (Choi) et al for a
// sub-cooled inlet: seven dimensionless groups of the inlet state, the
// critical point and the bore. Reads tc, sc, mr and id; checks nothing; a
// sub-cooling of zero divides by zero, a negative one is a negative base.
//
// Equations, as evaluated (extended precision, each group stored as a double):
//
//   D   = id / 1000,  tin = tc - sc
//   Pin = Pbubble(tc),  Psat = Pbubble(tin)
//   pi1 = (Pin - Psat) / Pc
//   pi2 = sc / Tc
//   pi3 = vg / vf
//   pi4 = (muf - mug) / mug
//   pi5 = sigma / (D * Pin)
//   pi6 = hfg / (vf * Psat)
//   pi7 = mr / (D^2 * sqrt(Pin / vf))
//
//   pi7 = 0.001313 * (L/D)^-0.412 * pi1^-0.087 * pi2^0.188 * pi3^-0.834
//                  * pi4^0.199 * pi5^-0.368 * pi6^0.992
//
//   solved for L/D: X = pi7 / (0.001313 * pi1^-0.087 * ... * pi6^0.992),
//   L/D = X^(-1/0.412), L = D * (L/D).
//
// Properties at the inlet temperature tin (saturated liquid f, vapour g):
//
//   symbol  quantity                                       unit
//   id      tube bore as entered                           mm
//   D       tube bore                                      m
//   L       tube length (the result)                       m
//   mr      mass flow                                      kg/s
//   tc      condensing temperature                         °C
//   sc      sub-cooling at the tube inlet                  K
//   tin     inlet temperature tc - sc                      °C
//   Pin     bubble pressure at tc                          Pa
//   Psat    bubble pressure at tin                         Pa
//   Pc      critical pressure                              Pa
//   Tc      critical temperature as the record holds it    °C
//   vf, vg  specific volume of liquid, vapour at tin       m³/kg
//   muf, mug  viscosity of liquid, vapour at tin           Pa·s
//   sigma   surface tension at tin                         N/m
//   hfg     latent heat at tin                             J/kg
//   pi1..pi7  dimensionless groups                         -
//
// pi2 divides the sub-cooling by the critical temperature in °C as the record
// holds it, not in K.
//
// Range of validity: the source found is the abstract of the authors' paper
// on a generalized correlation for the refrigerant flow rate through
// adiabatic capillary tubes (koreascience.kr, article JAKO200311921890351,
// 2003; authors' names and journal were not in the text found). Its data:
// measurements with R22, R290 and R407C at test conditions and tube
// geometries "typically observed in air-conditioning and heat pump
// applications"; about 97 % of literature data for R12, R134a, R152a, R410A
// and R600a fall within ±15 %. No published numeric range of bore, length,
// pressures or sub-cooling was found.
//
// What the program accepts is a different matter: the input fields take a
// bore of 0.5 to 50 mm and a sub-cooling of 0 to 20 K (sizing/DesignFields.cpp),
// limits on what may be typed, not the correlation's fitted range.
double SolveChoi(const TRefrigLib& lib, const TDesignCase& designCase);
