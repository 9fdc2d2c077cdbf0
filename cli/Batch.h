#pragma once

#include "refrig/RefrigLib.h"

#include <istream>
#include <ostream>

struct TBatchSummary {
    long Cases = 0;
    long Solved = 0;
};

// Solves one case per row of a CSV whose header names any of refrigerant, tc,
// te, pc, pe, sc, sh, mr, duty, dpl, dpe, id (missing columns take the usual
// defaults). Writes one CSV row per case: the values used, then refrigEffect,
// wolfLength, choiLength, stoeckerLength, leavingTemp, choked, solved, error,
// stoeckerStatus, stoeckerMessage. A bad row gets its reason in the error
// column and the batch goes on. Raises EBadInput for a bad header.
TBatchSummary RunBatch(TRefrigLib& lib, std::istream& in, std::ostream& out);
