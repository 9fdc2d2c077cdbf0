#include "common/Rounding.h"

#include "common/CheckedMath.h"
#include "common/Errors.h"

#include <cmath>

namespace {

std::int64_t ToInt64(Extended whole)
{
    Checked::Finite(whole);
    if (whole >= 9223372036854775808.0L || whole < -9223372036854775808.0L)
        throw EOverflow();
    return static_cast<std::int64_t>(whole);
}

Extended RoundHalfEven(Extended x)
{
    const Extended floor = std::floor(x);
    const Extended diff = x - floor;
    if (diff > 0.5L)
        return floor + 1.0L;
    if (diff < 0.5L)
        return floor;
    return std::fmod(floor, 2.0L) == 0.0L ? floor : floor + 1.0L;
}

} // namespace

std::int64_t Round(Extended x)
{
    Checked::Finite(x);
    return ToInt64(RoundHalfEven(x));
}

std::int64_t Trunc(Extended x)
{
    Checked::Finite(x);
    return ToInt64(std::trunc(x));
}

double RoundToDecimals(Extended x, int decimals)
{
    const Extended scale = Checked::Power(10.0L, decimals);
    return Checked::ToDouble(Checked::Div(RoundHalfEven(Checked::Finite(x * scale)), scale));
}
