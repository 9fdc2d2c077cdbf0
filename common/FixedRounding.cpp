#include "common/FixedRounding.h"

#include <cmath>
#include <cstring>

namespace {

__extension__ typedef unsigned __int128 TUInt128;

constexpr std::uint64_t Pow10[] = {1ULL,
                                   10ULL,
                                   100ULL,
                                   1000ULL,
                                   10000ULL,
                                   100000ULL,
                                   1000000ULL,
                                   10000000ULL,
                                   100000000ULL,
                                   1000000000ULL,
                                   10000000000ULL,
                                   100000000000ULL,
                                   1000000000000ULL,
                                   10000000000000ULL,
                                   100000000000000ULL,
                                   1000000000000000ULL,
                                   10000000000000000ULL};
constexpr int MaxDecimals = 15;

// Above this a whole number is not always a double, and the division by the
// power of ten would round twice.
constexpr std::uint64_t MaxExact = 1ULL << 53;

int DigitCount(std::uint64_t n)
{
    int count = 0;
    while (n != 0) {
        n /= 10;
        ++count;
    }
    return count;
}

} // namespace

std::optional<std::uint64_t> FixedDigits(double magnitude, int decimals)
{
    if (!(magnitude >= 0) || decimals < 0 || decimals > MaxDecimals || !std::isfinite(magnitude))
        return std::nullopt;
    if (magnitude == 0)
        return 0;
    // magnitude = m · 2^q with a whole m below 2^53, read from the bits.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & ((1ULL << 52) - 1);
    int q = -1074; // subnormal
    if (biased != 0) {
        m |= 1ULL << 52;
        q = biased - 1075;
    }
    // The scaled value magnitude · 10^decimals = m · 10^decimals · 2^q, exactly.
    const TUInt128 scaled = static_cast<TUInt128>(m) * Pow10[decimals];
    if (q >= 0) {
        if (q >= 64 || (scaled << q) >= MaxExact || ((scaled << q) >> q) != scaled)
            return std::nullopt;
        return static_cast<std::uint64_t>(scaled << q);
    }
    const int k = -q;
    if (k >= 120)
        return std::nullopt; // far below any shown digit; left to the text
    const TUInt128 one = static_cast<TUInt128>(1) << k;
    const TUInt128 whole = scaled >> k;
    const TUInt128 rest = scaled & (one - 1); // the fraction is rest / 2^k
    if (whole >= MaxExact)
        return std::nullopt;
    const TUInt128 twiceRest = rest << 1;
    if (twiceRest == one) // an exact half: few digits, rounded away from zero
        return static_cast<std::uint64_t>(whole) + 1;
    // The 30-digit form differs from the value by at most half a unit of its
    // 30th digit, which is 10^(wholeDigits - 30) of the scaled value or less
    // (one digit more for a value below 1). The fraction's distance from one
    // half must exceed that.
    const TUInt128 distance = twiceRest > one ? twiceRest - one : one - twiceRest;
    const int wholeDigits = DigitCount(static_cast<std::uint64_t>(whole));
    const long double limit = std::ldexp(1e-29L, k + 2) *
                              static_cast<long double>(Pow10[wholeDigits]); // twice, for safety
    if (static_cast<long double>(distance) <= limit)
        return std::nullopt;
    return static_cast<std::uint64_t>(whole) + (twiceRest > one ? 1 : 0);
}

std::optional<double> FixedRoundTrip(double value, int decimals)
{
    const auto digits = FixedDigits(std::fabs(value), decimals);
    if (!digits || *digits >= MaxExact)
        return std::nullopt;
    if (*digits == 0)
        return 0.0; // no minus sign is shown on a zero
    // Both whole and exact as doubles: one division rounds as reading the text does.
    const double magnitude = static_cast<double>(*digits) / static_cast<double>(Pow10[decimals]);
    return value < 0 ? -magnitude : magnitude;
}
