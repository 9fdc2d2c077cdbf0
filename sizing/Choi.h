#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignCase.h"

// Tube length in m by the empirical correlation of Cho (Choi) et al for a
// sub-cooled inlet: seven dimensionless groups of the inlet state, the
// critical point and the bore. Reads tc, sc, mr and id; checks nothing; a
// sub-cooling of zero divides by zero, a negative one is a negative base.
double SolveChoi(const TRefrigLib& lib, const TDesignCase& designCase);
