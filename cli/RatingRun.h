#pragma once

#include "cli/CaseRun.h"
#include "sizing/Rating.h"

#include <array>
#include <string>

// A tube of a given length rated for one design case: the case taken as for
// sizing (see PrepareCase; its mass flow is only where the search starts),
// then the flow each method gives the tube.
struct TRatingRun {
    TCaseRun Run;      // the case prepared, not solved
    double Length = 0; // m
    // By TSizingMethod. When the case could not be prepared, none is rated and
    // each says why.
    std::array<TRating, SizingMethodCount> Ratings;

    bool AnyRated() const;
    // Why no method rated the tube, empty when one did: the case's fault, else
    // the one reason all methods give, else each method's own ("Wolf et al:
    // …; Cho et al: …").
    std::string NotRatedReason() const;
};

// Raises EBadInput for refused input, as RunCase does.
TRatingRun RunRating(TRefrigLib& lib, const TCaseInput& input, double length, bool windowTexts);
