#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

#include <array>
#include <string>

// The three ways the program finds a tube's length: the correlations of Wolf
// et al and of Cho et al, and Stoecker's stepwise simulation.
enum TSizingMethod : unsigned char {
    smWolf,
    smChoi,
    smStoecker,
};

inline constexpr std::array<TSizingMethod, 3> SizingMethods = {smWolf, smChoi, smStoecker};

// "wolf", "choi", "stoecker": the method's name in machine-read output.
const char* MethodKey(TSizingMethod method);
// "Wolf et al", "Cho et al", "Stoecker": the method's name for the user.
const char* MethodName(TSizingMethod method);

// One method's length for a design case, with what went wrong when there is
// none. Never throws, never holds a NaN or an infinity.
struct TMethodLength {
    bool Solved = false; // Length holds the method's answer
    // Tube length in m. The simulation's length is what SolveStoecker gives:
    // when the flow chokes it ends at the choking step, and it is zero or
    // negative when the very first step chokes.
    double Length = 0;
    bool Choked = false;  // the simulation choked before the evaporator pressure
    bool Refused = false; // the case is one no method can size (CaseRefusal)
    std::string Message;  // why there is no length, in words; empty when solved
};

// The method's length for the design case as it stands (its mr and id): the
// same call Solve makes, with the simulation's steps thrown away. A refusal of
// the simulation or an arithmetic fault becomes the Message.
// What each method says of a case that CaseRefusal refuses: "the case is
// refused: " and the refusal on one line.
std::string RefusedCaseMessage(const std::string& refusal);

TMethodLength MethodLength(const TRefrigLib& lib, const TDesignCase& designCase,
                           TSizingMethod method);
