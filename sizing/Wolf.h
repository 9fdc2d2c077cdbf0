#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

// Tube length in m by the empirical correlation of Wolf et al: a power law of
// dimensionless groups of the inlet state, one form for a sub-cooled inlet
// (sc > 0) and one for a two-phase inlet (taken at a quality of 0.03).
// Reads tc, sc, mr and id; checks nothing; arithmetic faults are raised.
//
// Equations, as evaluated (extended precision, each group stored as a double):
//
//   D   = id / 1000,  tin = tc - sc,  Pin = Pdew(tc)
//   piH = D^2 * hfg / (vf * muf)^2
//   piP = D^2 * Pin / (muf^2 * vf)
//   piV = vg / vf
//   piMu = (muf - mug) / mug
//   piM = mr / (D * muf)
//
//   sub-cooled inlet, sc > 0:
//     piS = D^2 * cpf * sc / (vf * muf)^2
//     piM = 1.8925 * (L/D)^-0.484
//                  * piH^-0.824 * piP^1.369 * piS^0.0187 * piV^0.773 * piMu^0.265
//   two-phase inlet, sc <= 0:
//     piM = 187.27 * (L/D)^-0.635
//                  * piH^-0.189 * piP^0.645 * xin^-0.163 * piV^-0.213 * piMu^-0.483
//
//   solved for L/D: L/D = (piM / (C * P))^(-1/n), L = D * (L/D), with C the
//   leading constant, n the exponent of L/D and P the product of the groups.
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
//   Pin     dew pressure at tc                             Pa
//   vf, vg  specific volume of liquid, vapour at tin       m³/kg
//   muf, mug  viscosity of liquid, vapour at tin           Pa·s
//   hfg     hg - hf at tin                                 J/kg
//   cpf     liquid specific heat at tin                    J/(kg·K)
//   xin     inlet quality of the two-phase form, 0.03      -
//   pi...   dimensionless groups                           -
//
// The sub-cooled form takes sc in kelvin as a temperature difference. A
// negative sc takes the two-phase form with tin above tc.
//
// Range of validity: no published range was found for this correlation (bore,
// length, pressures, sub-cooling or refrigerants of the data it was fitted
// to); a search of the literature found it named but not its data.
//
// What the program accepts is a different matter: the input fields take a
// bore of 0.5 to 50 mm and a sub-cooling of 0 to 20 K (sizing/DesignFields.cpp),
// limits on what may be typed, not the correlation's fitted range.
double SolveWolf(const TRefrigLib& lib, const TDesignCase& designCase);
