#include "refrig/FrictionFactor.h"

#include "common/CheckedMath.h"
#include "common/Extended.h"
#include "refrig/NumericHelpers.h"

#include <cmath>
#include <optional>

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

namespace {

// Secant iteration on w = 1/√f of the Colebrook equation
// g(w) = w + 2·log10(r/3.71 + 2.51·w/Re) = 0, split around its logarithms so
// that two iterations can run side by side.
class TColebrookIteration {
public:
    TColebrookIteration(double Re, double r, double initialGuess)
        : w(Div(1.0L, Sqrt(initialGuess))), A(r / 3.71L), B(Div(2.51L, Re)),
          s(Div(A + 2.0L * Log10OfE * B * w, A + B * w))
    {
    }

    // The argument of the logarithm of g at the start value.
    Extended StartArgument() const { return A + B * w; }
    void Start(Extended log) { g = w + 2.0L * log; }

    // One secant step on w; the argument of the logarithm of g at the new w.
    Extended Step()
    {
        u = -s * g;
        w = Finite(w + u);
        return A + B * w;
    }
    // The secant slope and g at the new w from its logarithm; whether the
    // iteration has ended.
    bool Finish(Extended log)
    {
        const Extended g2 = w + 2.0L * log;
        Extended t = Finite(u * s * (g2 - g));
        if (std::fabs(t) < 1e-12L)
            t = SignOf(static_cast<double>(t)) * 1e-12L;
        s = Finite(s - Div(s * (t - u * u), t));
        g = g2;
        ++iterations;
        Done = iterations > MaxIterations || std::fabs(g2) <= 0.000001L;
        return Done;
    }

    double Factor() const { return ToDouble(Div(1.0L, w * w)); }

    bool Done = false;

private:
    Extended w;
    const Extended A;
    const Extended B;
    Extended s;
    Extended g = 0;
    Extended u = 0;
    int iterations = 0;
};

// The factor where it needs no Colebrook iteration; otherwise empty, with the
// relative roughness and the start value of the iteration.
std::optional<double> DirectFactor(double Re, double diameter, double roughness,
                                   double initialGuess, double& r, double& f0)
{
    if (Re >= 2300) {
        if (roughness == 0)
            return SmoothPipeFactor(Re, initialGuess);
        r = ToDouble(Div(roughness, diameter));
        f0 = initialGuess;
        if (f0 == 0)
            f0 = RoughPipeFactor(r);
        if (Sqrt(f0) * Re * r > 200.0L)
            return RoughPipeFactor(r);
        return std::nullopt;
    }
    if (Re > 0)
        return LaminarFactor(Re);
    return initialGuess >= 0 && initialGuess <= 1 ? initialGuess : 0.02;
}

} // namespace

double ColebrookFactor(double Re, double r, double initialGuess)
{
    TColebrookIteration iteration(Re, r, initialGuess);
    iteration.Start(Log10(iteration.StartArgument()));
    while (!iteration.Finish(Log10(iteration.Step()))) {
    }
    return iteration.Factor();
}

double FrictionFactor(double Re, double diameter, double roughness, double initialGuess)
{
    double r = 0;
    double f0 = 0;
    if (const auto direct = DirectFactor(Re, diameter, roughness, initialGuess, r, f0))
        return *direct;
    return ColebrookFactor(Re, r, f0);
}

// Each logarithm of one iteration is taken while the other's is still being
// worked out: they do not depend on each other, so the processor overlaps
// them, where one iteration alone waits for each of its logarithms.
std::pair<double, double> FrictionFactorPair(const TFrictionFlow& a, const TFrictionFlow& b,
                                             double diameter, double roughness)
{
    double ra = 0;
    double f0a = 0;
    double rb = 0;
    double f0b = 0;
    const auto directA = DirectFactor(a.Re, diameter, roughness, a.InitialGuess, ra, f0a);
    const auto directB = DirectFactor(b.Re, diameter, roughness, b.InitialGuess, rb, f0b);
    if (directA || directB)
        return {directA ? *directA : ColebrookFactor(a.Re, ra, f0a),
                directB ? *directB : ColebrookFactor(b.Re, rb, f0b)};

    TColebrookIteration first(a.Re, ra, f0a);
    TColebrookIteration second(b.Re, rb, f0b);
    {
        const Extended argumentA = first.StartArgument();
        const Extended argumentB = second.StartArgument();
        const Extended logA = Log10(argumentA);
        const Extended logB = Log10(argumentB);
        first.Start(logA);
        second.Start(logB);
    }
    while (!first.Done && !second.Done) {
        const Extended argumentA = first.Step();
        const Extended argumentB = second.Step();
        const Extended logA = Log10(argumentA);
        const Extended logB = Log10(argumentB);
        first.Finish(logA);
        second.Finish(logB);
    }
    while (!first.Done)
        first.Finish(Log10(first.Step()));
    while (!second.Done)
        second.Finish(Log10(second.Step()));
    return {first.Factor(), second.Factor()};
}
