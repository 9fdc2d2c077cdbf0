#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

// Tube length in m by the empirical correlation of Wolf et al: a power law of
// dimensionless groups of the inlet state, one form for a sub-cooled inlet
// (sc > 0) and one for a two-phase inlet (taken at a quality of 0.03).
// Reads tc, sc, mr and id; checks nothing; arithmetic faults are raised.
double SolveWolf(const TRefrigLib& lib, const TDesignCase& designCase);
