#pragma once

// Formulas are evaluated in 80-bit extended precision (64-bit mantissa) and
// stored as doubles at the end of an operation.
using Extended = long double;
