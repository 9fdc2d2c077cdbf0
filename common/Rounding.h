#pragma once

#include "common/Extended.h"

#include <cstdint>

// Nearest integer, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// EInvalidOp for a NaN, EOverflow when the result does not fit 64 bits.
std::int64_t Round(Extended x);

// Drops the fraction toward zero.
std::int64_t Trunc(Extended x);

// x rounded to the given number of decimals, halves to even, as a double
// (the spin button's four-decimal diameters).
double RoundToDecimals(Extended x, int decimals);
