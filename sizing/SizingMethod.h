#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/SolveResults.h"

#include <array>
#include <span>
#include <string>

// Runs a method for a case: fills `result` (the simulation as it goes, so
// that a fault leaves its partial length) and hands the simulation's steps to
// `steps`. Gives the message of a refusal of the case's inputs, empty when
// the method found a length. Raises EVelloxError on an arithmetic fault.
using TMethodRunner = std::string (*)(const TRefrigLib& lib, const TDesignCase& designCase,
                                      TMethodResult& result, TStepSink& steps);

// A sizing method, described once: what each output calls it and its
// results, and the function that finds its length. The Solve, the window's
// labels and status bar, the text, JSON and CSV outputs, the report, rating
// and the standard bores table all go through these entries; a new method is
// its own source file and one entry here.
struct TSizingMethodEntry {
    TSizingMethod Method;
    const char* Key;          // "wolf": in rating and bores-table output, and of its label
    const char* Name;         // "Wolf et al": its name for the user
    const char* InitialLabel; // the window's label before a Solve
    std::string (*Label)(double length); // the window's label of a length
    const char* LabelName;               // that label's object name
    int ShownOrder; // place of the label on the window and of the lines in the report
    // Simulates the flow along the tube: gives steps, a leaving temperature
    // and the choked flag; its JSON results are an object of their own.
    bool Simulates;
    // Its length is the status bar's capillary length.
    bool StatusLength;
    // What each output's case results give of it, in their order; the
    // status results follow the case's solved and error columns in a batch.
    std::span<const TSolveFieldLayout> Results;
    std::span<const TSolveFieldLayout> StatusResults;
    // What a rating or the bores table says before its refusal's message.
    const char* RefusalWords;
    TMethodRunner Run;
};

extern const std::array<TSizingMethodEntry, SizingMethodCount> SizingMethodEntries;

inline const TSizingMethodEntry& MethodEntry(TSizingMethod method)
{
    return SizingMethodEntries[method];
}

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

// What each method says of a case that CaseRefusal refuses: "the case is
// refused: " and the refusal on one line.
std::string RefusedCaseMessage(const std::string& refusal);

// The method's length for the design case as it stands (its mr and id): the
// same call Solve makes, with the simulation's steps thrown away. A refusal of
// the simulation or an arithmetic fault becomes the Message.
TMethodLength MethodLength(const TRefrigLib& lib, const TDesignCase& designCase,
                           TSizingMethod method);
