#include "sizing/StepFriction.h"

#include "common/CheckedMath.h"
#include "refrig/FrictionFactor.h"

using namespace Checked;

namespace {

constexpr double Roughness = 0.0000015; // m, drawn copper tube

// The start value 0.33·Re^−0.25 of the friction factor's iterations.
double StartFactor(double Re)
{
    return ToDouble(0.33L * Power(Re, -0.25L));
}

} // namespace

double StepFriction(double Re, double D)
{
    return FrictionFactor(Re, D, Roughness, StartFactor(Re));
}

std::pair<double, std::optional<double>> StepFrictionPair(double Re, double nextRe, double D)
{
    try {
        const double guess = StartFactor(Re);
        const double nextGuess = StartFactor(nextRe);
        return FrictionFactorPair({Re, guess}, {nextRe, nextGuess}, D, Roughness);
    } catch (...) {
        return {StepFriction(Re, D), std::nullopt};
    }
}
