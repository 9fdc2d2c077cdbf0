#include "common/CheckedMath.h"

#include "common/Errors.h"

#include <cmath>

namespace Checked {

namespace Raise {

void NotFinite(Extended x)
{
    if (std::isnan(x))
        throw EInvalidOp();
    throw EOverflow();
}

void DivisionByZero(Extended numerator)
{
    if (numerator == 0.0L)
        throw EInvalidOp();
    throw EZeroDivide();
}

void DivisionFault(Extended numerator, Extended denominator)
{
    if (!Detail::IsFinite(numerator))
        NotFinite(numerator);
    if (!Detail::IsFinite(denominator))
        NotFinite(denominator);
    if (denominator == 0.0L)
        DivisionByZero(numerator);
    // Both finite, the denominator not zero: the quotient overflowed.
    NotFinite(numerator / denominator);
}

void OutOfDomain(Extended x)
{
    if (!Detail::IsFinite(x))
        NotFinite(x);
    throw EInvalidOp();
}

void NotStorable(Extended x)
{
    if (!Detail::IsFinite(x))
        NotFinite(x);
    throw EOverflow();
}

void InvalidOp()
{
    throw EInvalidOp();
}

void Overflow()
{
    throw EOverflow();
}

} // namespace Raise

namespace Detail {

// base^n for a whole n by repeated squaring. The exponent stays an Extended and
// is halved exactly, so every whole exponent an Extended can hold is a power by
// multiplication, however large.
Extended IntPower(Extended base, Extended exponent)
{
    const bool reciprocal = exponent < 0.0L;
    Extended n = std::fabs(exponent);
    Extended result = 1.0L;
    Extended factor = base;
    try {
        while (n != 0.0L) {
            const Extended half = std::floor(n / 2.0L);
            if (n != 2.0L * half)
                result = Finite(result * factor);
            n = half;
            if (n != 0.0L)
                factor = Finite(factor * factor);
        }
    } catch (const EOverflow&) {
        // The reciprocal of a power too large for an Extended underflows to zero.
        if (reciprocal)
            return 0.0L;
        throw;
    }
    if (!reciprocal)
        return result;
    // A non-zero base whose power underflowed to zero: its reciprocal overflows.
    if (result == 0.0L && base != 0.0L)
        throw EOverflow();
    return Div(1.0L, result);
}

} // namespace Detail

} // namespace Checked
