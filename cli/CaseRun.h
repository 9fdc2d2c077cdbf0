#pragma once

#include "cli/CaseInput.h"
#include "cli/WindowTexts.h"
#include "refrig/RefrigLib.h"
#include "sizing/SolveDriver.h"

#include <optional>
#include <string>

// One design case taken through the program's own steps: the refrigerant is
// selected as the window's selector selects it, every value is held at the
// precision its field shows, the pressures follow the temperatures and the
// duty the mass flow (or the mass flow the duty) as the field coupling sets
// them, and then Solve runs.
struct TCaseRun {
    std::string Refrigerant; // the name selected, spelled as in the library
    std::string DisplayName;
    TDesignCase Case;      // the values used, in storage units
    bool Prepared = false; // every value of Case is a number
    TSolveResults Results;
    TSolveOutcome Outcome;
    TWindowTexts Window;
};

// Raises EBadInput for refused input; arithmetic faults while preparing or
// solving end up in Outcome.Error with the case not solved.
TCaseRun RunCase(TRefrigLib& lib, const TCaseInput& input);
// The same; with windowTexts false the texts a batch row does not show are
// left out: the window's texts and steps (see TWindowTexts) and the display
// name. The values and the outcome are the same.
TCaseRun RunCase(TRefrigLib& lib, const TCaseInput& input, bool windowTexts);
// The steps before Solve only: the refrigerant selected and the case's values
// taken and coupled, with Prepared telling whether they all are numbers (an
// arithmetic fault on the way is in Outcome.Error). Rating and the selection
// table start from this case.
TCaseRun PrepareCase(TRefrigLib& lib, const TCaseInput& input, bool windowTexts);

// Selects a refrigerant by name: a name of the library file (letter case
// aside), or "R22" for the built-in record, and gives the name as the library
// spells it. EBadInput for any other name.
std::string SelectByName(TRefrigLib& lib, const std::string& name);
