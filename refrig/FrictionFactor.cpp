#include "refrig/FrictionFactor.h"

#include "common/CheckedMath.h"
#include "common/Extended.h"
#include "refrig/NumericHelpers.h"

#include <cmath>

using namespace Checked;

namespace {

constexpr int MaxIterations = 20;
constexpr Extended Log10OfE = 0.43429448190325182765L;

} // namespace

double LaminarFactor(double Re)
{
    const double f = ToDouble(Div(64.0L, Re));
    return f > 1.0 ? 0.02 : f;
}

double RoughPipeFactor(double r)
{
    const Extended d = 1.14L - 2.0L * Log10(r);
    return ToDouble(Div(1.0L, d * d));
}

// Fixed-point iteration of 1/√f = 2·log10(Re·√f) − 0.8 on w = 1/√f.
double SmoothPipeFactor(double Re, double initialGuess)
{
    Extended w = initialGuess == 0 ? 7.0L : Div(1.0L, Sqrt(initialGuess));
    Extended wNew = w;
    int iterations = 0;
    for (;;) {
        wNew = 2.0L * Log10(Div(Re, w)) - 0.8L;
        ++iterations;
        if (iterations > MaxIterations || std::fabs(wNew - w) <= 0.000001L)
            break;
        w = wNew;
    }
    return ToDouble(Div(1.0L, wNew * wNew));
}

// Secant iteration on w = 1/√f of the Colebrook equation
// g(w) = w + 2·log10(r/3.71 + 2.51·w/Re) = 0.
double ColebrookFactor(double Re, double r, double initialGuess)
{
    Extended w = Div(1.0L, Sqrt(initialGuess));
    const Extended A = r / 3.71L;
    const Extended B = Div(2.51L, Re);
    Extended s = Div(A + 2.0L * Log10OfE * B * w, A + B * w);
    Extended g = w + 2.0L * Log10(A + B * w);
    int iterations = 0;
    for (;;) {
        const Extended u = -s * g;
        w = Finite(w + u);
        const Extended g2 = w + 2.0L * Log10(A + B * w);
        Extended t = Finite(u * s * (g2 - g));
        if (std::fabs(t) < 1e-12L)
            t = SignOf(static_cast<double>(t)) * 1e-12L;
        s = Finite(s - Div(s * (t - u * u), t));
        g = g2;
        ++iterations;
        if (iterations > MaxIterations || std::fabs(g2) <= 0.000001L)
            break;
    }
    return ToDouble(Div(1.0L, w * w));
}

double FrictionFactor(double Re, double diameter, double roughness, double initialGuess)
{
    if (Re >= 2300) {
        if (roughness == 0)
            return SmoothPipeFactor(Re, initialGuess);
        const double r = ToDouble(Div(roughness, diameter));
        double f0 = initialGuess;
        if (f0 == 0)
            f0 = RoughPipeFactor(r);
        if (Sqrt(f0) * Re * r > 200.0L)
            return RoughPipeFactor(r);
        return ColebrookFactor(Re, r, f0);
    }
    if (Re > 0)
        return LaminarFactor(Re);
    return initialGuess >= 0 && initialGuess <= 1 ? initialGuess : 0.02;
}
