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
    // The case is one no method can size: no method's length is shown (a
    // length left from an earlier case would read as this one's), then the
    // refusal as a message.
    virtual void ShowCaseRefusal(const std::string& message) { ShowRefusal(message); }
    virtual void ShowCapillaryLength(double choiLength) = 0;
    virtual void ShowSolved(bool solved) = 0;
};

enum class TStoeckerStatus { NotRun, Refused, Ok };

struct TSolveOutcome {
    bool Solved = false;
    // The case is one no method can size (CaseRefusal): no method ran.
    bool CaseRefused = false;
    TStoeckerStatus Stoecker = TStoeckerStatus::NotRun;
    std::string Refusal; // the refusal's message box text, of the case or the simulation
    // Why the case is not solved, on one line: the fault that ended the Solve
    // or the case's refusal; empty when solved.
    std::string Error;
};

// Runs Wolf, Cho and Stoecker in this order under one guard. A fault ends the
// remaining methods at once and the case is not solved; the results of the
// methods that finished stay. A case that no method can size (CaseRefusal) is
// refused before any runs: the view shows the refusal, and the case is not
// solved. A refusal of the simulation alone is no fault: the case is still
// solved. The simulation's rows go to the view and into
// results.Steps as they come; RefrigEffect is the caller's and is left as it is.
TSolveOutcome RunSolve(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                       TSolveView& view);
