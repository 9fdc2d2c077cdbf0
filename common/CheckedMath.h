#pragma once

#include "common/Extended.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

// Checked arithmetic: every fault is raised where it happens instead of
// yielding an infinity or a NaN.
//   EZeroDivide  a non-zero number divided by zero
//   EInvalidOp   0/0, square root of a negative, logarithm of a non-positive,
//                a negative base with a non-integral exponent, any NaN
//   EOverflow    a result too large for its type
// Underflow gives zero (or a denormal) silently.
//
// The checks are inline so that a formula's extended values stay in
// registers; raising an error is out of line and kept off the common path.
namespace Checked {

namespace Raise {
// EInvalidOp for a NaN, EOverflow for an infinity.
[[noreturn, gnu::cold]] void NotFinite(Extended x);
// 0/0 is EInvalidOp, anything else over zero EZeroDivide.
[[noreturn, gnu::cold]] void DivisionByZero(Extended numerator);
// The fault of numerator/denominator, checked in the order Div checks.
[[noreturn, gnu::cold]] void DivisionFault(Extended numerator, Extended denominator);
// The fault of an argument outside a function's domain: that of a value
// that is not finite, otherwise EInvalidOp (a logarithm of x <= 0, a square
// root of x < 0).
[[noreturn, gnu::cold]] void OutOfDomain(Extended x);
// The fault of a double that is not finite, converted from x.
[[noreturn, gnu::cold]] void NotStorable(Extended x);
[[noreturn, gnu::cold]] void InvalidOp();
[[noreturn, gnu::cold]] void Overflow();
} // namespace Raise

namespace Detail {
// Whether x is finite: x − x is zero for a finite x and NaN for an infinity
// or a NaN, and only a NaN is unequal to itself. On x87 this is a subtraction
// and one comparison, with no 80-bit constant loaded from memory.
inline bool IsFinite(Extended x)
{
    const Extended zero = x - x;
    return zero == zero;
}
// Whether both are finite, in one comparison.
inline bool AreFinite(Extended x, Extended y)
{
    const Extended zero = (x - x) + (y - y);
    return zero == zero;
}
} // namespace Detail

// Raises EOverflow or EInvalidOp when an extended intermediate is not finite.
inline Extended Finite(Extended x)
{
    if (!Detail::IsFinite(x)) [[unlikely]]
        Raise::NotFinite(x);
    return x;
}

// A finite quotient of a finite denominator means that the numerator was
// finite and the denominator not zero, so one check covers the common path;
// the faults are told apart off it.
inline Extended Div(Extended numerator, Extended denominator)
{
    const Extended quotient = numerator / denominator;
    if (!Detail::AreFinite(quotient, denominator)) [[unlikely]]
        Raise::DivisionFault(numerator, denominator);
    return quotient;
}

inline Extended Ln(Extended x)
{
    if (!(x > 0.0L && Detail::IsFinite(x))) [[unlikely]]
        Raise::OutOfDomain(x);
    return std::log(x);
}

inline Extended Log10(Extended x)
{
    if (!(x > 0.0L && Detail::IsFinite(x))) [[unlikely]]
        Raise::OutOfDomain(x);
    return std::log10(x);
}

inline Extended Exp(Extended x)
{
    Finite(x);
    return Finite(std::exp(x));
}

inline Extended Sqrt(Extended x)
{
    if (!(x >= 0.0L && Detail::IsFinite(x))) [[unlikely]]
        Raise::OutOfDomain(x);
    return std::sqrt(x);
}

namespace Detail {
// base^n for a whole n by repeated squaring (base and n finite).
Extended IntPower(Extended base, Extended exponent);

// Whether a finite x has no fraction: the same answer as trunc(x) == x, read
// from the bits, without changing the rounding mode as trunc does on x87.
inline bool IsWhole(Extended x)
{
    if (__builtin_constant_p(x))
        return std::trunc(x) == x;
    static_assert(sizeof(Extended) >= 10 && LDBL_MANT_DIG == 64);
    std::uint64_t mantissa;
    std::uint16_t signExponent;
    std::memcpy(&mantissa, &x, sizeof mantissa);
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&x) + 8, sizeof signExponent);
    const int exponent = (signExponent & 0x7fff) - 16383; // x = 1.m × 2^exponent
    if (exponent >= 63)
        return true;
    if (exponent < 0)
        return mantissa == 0;
    return (mantissa << (exponent + 1)) == 0;
}
} // namespace Detail

// x^y: integral y by repeated multiplication (the reciprocal for a negative
// y), otherwise exp(y·ln x); a zero base gives zero for every non-integral y.
inline Extended Power(Extended base, Extended exponent)
{
    if (!Detail::AreFinite(base, exponent)) [[unlikely]] {
        Finite(base);
        Finite(exponent);
    }
    if (Detail::IsWhole(exponent))
        return Detail::IntPower(base, exponent);
    if (base == 0.0L)
        return 0.0L;
    if (base < 0.0L) [[unlikely]]
        Raise::InvalidOp();
    return Exp(exponent * Ln(base));
}

// Stores an extended result as a double: EOverflow when it does not fit,
// EInvalidOp for a NaN.
inline double ToDouble(Extended x)
{
    // Values beyond DBL_MAX that round down to it still fit. A NaN or an
    // infinity stays one as a double, so the double alone is checked.
    const double stored = static_cast<double>(x);
    if (!std::isfinite(stored)) [[unlikely]]
        Raise::NotStorable(x);
    return stored;
}

} // namespace Checked
