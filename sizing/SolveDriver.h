#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/SolveResults.h"
#include "sizing/Stoecker.h"

#include <string>

// Where the solve driver shows what it finds: the main window, or the command
// line tool's copy of it. Each method's display is written as soon as the
// method finishes.
class TSolveView : public TStepSink {
public:
    virtual void ShowWolf(double length) = 0;
    virtual void ShowChoi(double length) = 0;
    // The simulation finished: its label and the leaving temperature.
    virtual void ShowStoecker(const TStoeckerResults& results) = 0;
    // The simulation refused the inputs; the message is for a message box.
    virtual void ShowRefusal(const std::string& message) = 0;
    virtual void ShowCapillaryLength(double choiLength) = 0;
    virtual void ShowSolved(bool solved) = 0;
};

enum class TStoeckerStatus { NotRun, Refused, Ok };

struct TSolveOutcome {
    bool Solved = false;
    TStoeckerStatus Stoecker = TStoeckerStatus::NotRun;
    std::string Refusal; // the simulation's message when it refused
    std::string Error;   // the fault that ended the Solve, empty when none
};

// Runs Wolf, Cho and Stoecker in this order under one guard. A fault ends the
// remaining methods at once and the case is not solved; the results of the
// methods that finished stay. A refusal of the simulation is no fault: the
// case is still solved. The simulation's rows go to the view and into
// results.Steps as they come; RefrigEffect is the caller's and is left as it is.
TSolveOutcome RunSolve(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                       TSolveView& view);
