#include "sizing/RootFinder.h"

#include "common/Errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The function's values counted and checked; the search runs on u = ln x.
class TCountedFunction {
public:
    TCountedFunction(const std::function<double(double)>& f, int maxEvaluations)
        : F(f), MaxEvaluations(maxEvaluations)
    {
    }

    double AtX(double x)
    {
        ++Evaluations;
        const double value = F(x);
        if (!std::isfinite(value))
            throw EInvalidOp();
        return value;
    }
    double AtU(double u) { return AtX(std::exp(u)); }
    bool Exhausted() const { return Evaluations >= MaxEvaluations; }

    int Evaluations = 0;

private:
    const std::function<double(double)>& F;
    int MaxEvaluations;
};

// Brent's method on [a, b] in u = ln x, with f(a) and f(b) of opposite signs.
TRootResult Brent(TCountedFunction& f, double a, double b, double fa, double fb, double tolerance)
{
    constexpr double eps = std::numeric_limits<double>::epsilon();
    double c = b;
    double fc = fb;
    double d = b - a;
    double e = d;
    for (;;) {
        if ((fb > 0) == (fc > 0)) {
            // Keep the crossing between b and c.
            c = a;
            fc = fa;
            d = b - a;
            e = d;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            // b is the best estimate so far.
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = 2 * eps * std::fabs(b) + 0.5 * tolerance;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0)
            return {rsFound, std::exp(b), fb, f.Evaluations};
        if (f.Exhausted())
            return {rsNotSettled, std::exp(b), fb, f.Evaluations};
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            // Secant step with two points, inverse quadratic with three.
            const double s = fb / fa;
            double p;
            double q;
            if (a == c) {
                p = 2 * xm * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc;
                const double r = fb / fc;
                p = s * (2 * xm * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2 * p < std::min(3 * xm * q - std::fabs(tol1 * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                // Interpolation would not halve the bracket fast enough.
                d = xm;
                e = d;
            }
        } else {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol1 ? d : std::copysign(tol1, xm);
        fb = f.AtU(b);
    }
}

} // namespace

TRootResult FindFallingRoot(const std::function<double(double)>& f, double start,
                            const TRootSearch& search)
{
    TCountedFunction counted(f, search.MaxEvaluations);
    const double lo = search.Lo;
    const double hi = search.Hi;
    double x = std::isfinite(start) ? std::clamp(start, lo, hi) : std::sqrt(lo * hi);
    double fx = counted.AtX(x);
    if (fx == 0)
        return {rsFound, x, fx, counted.Evaluations};

    // Bracket: double while the function is positive, halve while negative.
    // Every step moves towards an end of the range, so this takes at most
    // log2(hi / lo) + 1 evaluations (fewer if the allowance runs out first).
    const bool rising = fx > 0;
    for (;;) {
        const double next = rising ? std::min(2 * x, hi) : std::max(0.5 * x, lo);
        if (next == x)
            return {rising ? rsAboveRange : rsBelowRange, x, fx, counted.Evaluations};
        if (counted.Exhausted())
            return {rsNotSettled, x, fx, counted.Evaluations};
        const double fnext = counted.AtX(next);
        if (fnext == 0)
            return {rsFound, next, fnext, counted.Evaluations};
        if ((fnext > 0) != rising) {
            const double xa = rising ? x : next;
            const double xb = rising ? next : x;
            const double fa = rising ? fx : fnext;
            const double fb = rising ? fnext : fx;
            return Brent(counted, std::log(xa), std::log(xb), fa, fb, search.RelativeTolerance);
        }
        x = next;
        fx = fnext;
    }
}
