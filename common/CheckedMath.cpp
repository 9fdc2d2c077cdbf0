#include "common/CheckedMath.h"

#include "common/Errors.h"

#include <cfloat>
#include <climits>
#include <cmath>

namespace Checked {

Extended Finite(Extended x)
{
    if (std::isnan(x))
        throw EInvalidOp();
    if (std::isinf(x))
        throw EOverflow();
    return x;
}

Extended Div(Extended numerator, Extended denominator)
{
    Finite(numerator);
    Finite(denominator);
    if (denominator == 0.0L) {
        if (numerator == 0.0L)
            throw EInvalidOp();
        throw EZeroDivide();
    }
    return Finite(numerator / denominator);
}

Extended Ln(Extended x)
{
    Finite(x);
    if (x <= 0.0L)
        throw EInvalidOp();
    return std::log(x);
}

Extended Log10(Extended x)
{
    Finite(x);
    if (x <= 0.0L)
        throw EInvalidOp();
    return std::log10(x);
}

Extended Exp(Extended x)
{
    Finite(x);
    return Finite(std::exp(x));
}

Extended Sqrt(Extended x)
{
    Finite(x);
    if (x < 0.0L)
        throw EInvalidOp();
    return std::sqrt(x);
}

namespace {

Extended IntPower(Extended base, long long exponent)
{
    if (exponent == 0)
        return 1.0L;
    unsigned long long n = exponent < 0 ? static_cast<unsigned long long>(-exponent)
                                        : static_cast<unsigned long long>(exponent);
    Extended result = 1.0L;
    Extended factor = base;
    while (n != 0) {
        if (n & 1U)
            result = Finite(result * factor);
        n >>= 1U;
        if (n != 0)
            factor = Finite(factor * factor);
    }
    return exponent < 0 ? Div(1.0L, result) : result;
}

} // namespace

Extended Power(Extended base, Extended exponent)
{
    Finite(base);
    Finite(exponent);
    if (std::trunc(exponent) == exponent && std::fabs(exponent) <= static_cast<Extended>(INT_MAX))
        return IntPower(base, static_cast<long long>(exponent));
    if (base == 0.0L)
        return 0.0L;
    if (base < 0.0L)
        throw EInvalidOp();
    return Exp(exponent * Ln(base));
}

double ToDouble(Extended x)
{
    Finite(x);
    if (std::fabs(x) > static_cast<Extended>(DBL_MAX)) {
        // Values that round down to DBL_MAX still fit.
        const double stored = static_cast<double>(x);
        if (std::isinf(stored))
            throw EOverflow();
        return stored;
    }
    return static_cast<double>(x);
}

} // namespace Checked
