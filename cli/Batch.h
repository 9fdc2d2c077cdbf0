#pragma once

#include "cli/CaseRun.h"
#include "refrig/RefrigLib.h"

#include <functional>
#include <istream>
#include <ostream>

struct TBatchSummary {
    long Cases = 0;
    long Solved = 0;
    long Rated = 0; // rows with a length, rated rather than sized
};

// Solves one case per row of a CSV whose header names any of refrigerant, tc,
// te, pc, pe, sc, sh, mr, duty, dpl, dpe, id (missing columns take the usual
// defaults). Writes one CSV row per case: the values used, then refrigEffect,
// wolfLength, choiLength, stoeckerLength, leavingTemp, choked, solved, error,
// stoeckerStatus, stoeckerMessage. A bad row gets its reason in the error
// column and the batch goes on. Raises EBadInput for a bad header.
// A header may also name a length column (m): a row with a length rates that
// tube instead of sizing it (see RunRating). The output then has five more
// columns, length, wolfFlow, choiFlow, stoeckerFlow, stoeckerChoked, empty in
// the sizing rows; a rating row leaves the mass flow, duty and sizing results
// empty, is solved when any method rated the tube, and says in the error
// column why a method could not. Only sizing rows are handed to `solved`.
// Each solved case is also handed, with its case number (1 for the first
// case), to `solved` when one is given, while its refrigerant is selected.
// The library keeps each refrigerant's parsed record from then on (see
// TRefrigLib::KeepParsedRecords).
using TSolvedCase = std::function<void(long caseNumber, const TCaseRun& run)>;
TBatchSummary RunBatch(TRefrigLib& lib, std::istream& in, std::ostream& out,
                       const TSolvedCase& solved = {});
