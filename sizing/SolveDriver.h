#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveResults.h"
#include "sizing/Stoecker.h"

#include <string>

// Where the solve driver shows what it finds: the main window, or the command
// line tool's copy of it. Each method's display is written as soon as the
// method finishes.
class TSolveView : public TStepSink {
public:
    // The method finished with a length (and the simulation with its leaving
    // temperature and choked flag).
    virtual void ShowMethod(TSizingMethod method, const TMethodResult& result) = 0;
    // A method refused the inputs; the message is for a message box.
    virtual void ShowRefusal(const std::string& message) = 0;
    // The case is one no method can size: no method's length is shown (a
    // length left from an earlier case would read as this one's), then the
    // refusal as a message.
    virtual void ShowCaseRefusal(const std::string& message) { ShowRefusal(message); }
    // The status bar's length, of the method that gives it.
    virtual void ShowCapillaryLength(double length) = 0;
    virtual void ShowSolved(bool solved) = 0;
};

// Runs the sizing methods in their order (Wolf, Cho, Stoecker) under one
// guard. A fault ends the remaining methods at once and the case is not
// solved; the results of the methods that finished stay. A case that no
// method can size (CaseRefusal) is refused before any runs: the view shows the
// refusal, and the case is not solved. A method's refusal of the inputs alone
// is no fault: the case is still solved. The simulation's rows go to the view
// and into results.Steps as they come; RefrigEffect is the caller's and is
// left as it is.
TSolveOutcome RunSolve(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                       TSolveView& view);
