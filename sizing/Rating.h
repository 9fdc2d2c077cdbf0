#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/SizingMethod.h"

#include <array>
#include <string>

// Rating a given tube: the reverse of sizing. For a design case and a tube of
// length L (the case's bore, its states and pressure drops), the mass flow at
// which a method's length equals L.
//
// Each method's length falls as the flow rises, so the flow is a root of
// length(flow) − L, found by FindFallingRoot: bracketed by doubling from the
// start flow, then closed in on to a relative 1e-9, within 1e-6 to 1 kg/s.
//   Wolf et al, Cho et al  the correlation solved for the flow (on ln L, which
//                          is close to linear in ln flow, so it settles fast);
//   Stoecker               the stepwise simulation run at each trial flow.
// When the simulation chokes at the rated flow (a step's length turns
// negative before the evaporator pressure), the rated flow is the choked flow
// through that length and the rating says so.
//
// The simulation's length is not everywhere monotonic in the flow: when the
// choking step moves one step earlier, the negative step that ended the tube
// drops out and the length jumps up by a few millimetres. Over the shipped
// refrigerants this happens only where the whole tube is under about 5 mm, so
// a tube that short may have more than one choked flow; the search returns one
// of them (which one depends on the start flow).

// The tube lengths a user may ask to rate, in m (the window's Tube length
// field and vellox-solve --rate): 5 cm to 20 m, 3 m until another is stored.
inline constexpr double TubeLengthLo = 0.05;
inline constexpr double TubeLengthHi = 20.0;
inline constexpr double TubeLengthDefault = 3.0;

// Flows a rating searches, in kg/s.
inline constexpr double RatingFlowLo = 1e-6;
inline constexpr double RatingFlowHi = 1.0;
// Relative tolerance of the rated flow.
inline constexpr double RatingTolerance = 1e-9;
// At most this many length evaluations per method (bracketing and closing in).
inline constexpr int RatingMaxEvaluations = 200;

// One method's rating. MassFlow and Duty are finite whenever Rated is true and
// zero otherwise; nothing here is ever a NaN or an infinity.
struct TRating {
    TSizingMethod Method = smWolf;
    bool Rated = false;  // MassFlow and Duty hold the method's answer
    double MassFlow = 0; // kg/s
    double Duty = 0;     // kW: mass flow × refrigerating effect of the case
    bool Choked = false; // the simulation chokes in this tube at the rated flow
    // Why the method could not rate the case, in words; empty when rated.
    std::string Message;
    int Evaluations = 0; // lengths computed for this rating
};

// Rates a tube of `length` m by one method. The case's mr and Qe are not read
// (the flow is what is sought); every other field is read as sizing reads it.
// The search starts from the case's mr when it is a number within 1e-6 to
// 1 kg/s, else from 0.01 kg/s; for a length that falls steadily with the flow
// the start changes the answer only within the tolerance.
//
// Not rated, with the reason in Message, when: the length is not a positive
// number of metres; the case is one no method can size (CaseRefusal); the
// refrigerating effect cannot be found; a fault is raised at a trial flow; the
// tube would pass less than 1e-6 or more than 1 kg/s.
TRating RateTube(const TRefrigLib& lib, const TDesignCase& designCase, double length,
                 TSizingMethod method);

// The three ratings in the order of SizingMethods.
std::array<TRating, SizingMethodCount> RateTube(const TRefrigLib& lib,
                                                const TDesignCase& designCase, double length);
