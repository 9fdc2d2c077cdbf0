#pragma once

#include "cli/CaseRun.h"
#include "sizing/TubeSelection.h"

#include <vector>

// The standard bores side by side for one design case: the case taken as for
// sizing (see PrepareCase), then each method's length for every standard bore
// at the case's mass flow.
struct TSelectionRun {
    TCaseRun Run; // the case prepared, not solved
    // In the order of StandardBores; none when the case could not be prepared
    // or is one no method can size (Run.Outcome.Error says why then).
    std::vector<TSelectionRow> Rows;

    // Whether any method gave a length for any bore.
    bool AnyLength() const;
};

// Raises EBadInput for refused input, as RunCase does.
TSelectionRun RunSelection(TRefrigLib& lib, const TCaseInput& input);
