#pragma once

#include "common/Extended.h"

// Checked arithmetic: every fault is raised where it happens instead of
// yielding an infinity or a NaN.
//   EZeroDivide  a non-zero number divided by zero
//   EInvalidOp   0/0, square root of a negative, logarithm of a non-positive,
//                a negative base with a non-integral exponent, any NaN
//   EOverflow    a result too large for its type
// Underflow gives zero (or a denormal) silently.
namespace Checked {

Extended Div(Extended numerator, Extended denominator);
Extended Ln(Extended x);
Extended Log10(Extended x);
Extended Exp(Extended x);
Extended Sqrt(Extended x);

// x^y: integral y by repeated multiplication (the reciprocal for a negative
// y), otherwise exp(y·ln x); a zero base gives zero for every non-integral y.
Extended Power(Extended base, Extended exponent);

// Stores an extended result as a double: EOverflow when it does not fit,
// EInvalidOp for a NaN.
double ToDouble(Extended x);

// Raises EOverflow or EInvalidOp when an extended intermediate is not finite.
Extended Finite(Extended x);

} // namespace Checked
