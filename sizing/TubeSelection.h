#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"
#include "sizing/SizingMethod.h"
#include "sizing/StandardBores.h"

#include <array>
#include <vector>

// Choosing among standard bores: for the design case's mass flow, the length
// each method gives for every bore of StandardBores, side by side, so that the
// user sees which bores give a tube of a practical length and where the
// methods agree.

// A length a technician can fit, in m.
inline constexpr double PracticalLengthLo = 0.5;
inline constexpr double PracticalLengthHi = 6.0;

struct TSelectionRow {
    TStandardBore Bore;
    // Each method's length for this bore, in the order of SizingMethods (index
    // by TSizingMethod); an unsolved one says why in its Message.
    std::array<TMethodLength, SizingMethodCount> Lengths;
    // All three methods solved and every length lies within 0.5 to 6 m.
    bool Practical = false;
    // (max − min) / mean of the three lengths: 0 where the methods agree.
    // Given only when all three are solved and positive; 0 otherwise.
    bool HasSpread = false;
    double Spread = 0;

    const TMethodLength& Length(TSizingMethod method) const { return Lengths[method]; }
};

// One row: the design case with its bore replaced by `bore`, sized by each
// method exactly as Solve sizes it.
TSelectionRow SelectionRow(const TRefrigLib& lib, const TDesignCase& designCase,
                           const TStandardBore& bore);

// One row per standard bore, in the order of StandardBores.
std::vector<TSelectionRow> SelectionTable(const TRefrigLib& lib, const TDesignCase& designCase);
