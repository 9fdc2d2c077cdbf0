#include "sizing/Stoecker.h"

#include "common/CheckedMath.h"
#include "refrig/FrictionFactor.h"
#include "sizing/CaseRules.h"

#include <numbers>
#include <optional>
#include <utility>

using namespace Checked;

namespace {

constexpr double Roughness = 0.0000015; // m, drawn copper tube
constexpr Extended MomentumFactor = 1.55L;

// The start value 0.33·Re^−0.25 of the friction factor's iterations.
double StartFactor(double Re)
{
    return ToDouble(0.33L * Power(Re, -0.25L));
}

double StepFriction(double Re, double D)
{
    return FrictionFactor(Re, D, Roughness, StartFactor(Re));
}

// The friction factors of this step and the next, side by side. Raises what
// this step's alone raises; the next step's is empty when working it out
// raises (the next step works it out again and raises it there).
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

TStoeckerOutcome Refuse(std::string message)
{
    return {true, std::move(message)};
}

// The outlet of a step, whose saturation temperature is 1 K below that of its
// inlet.
struct TStepOutlet {
    double t2;
    double p2;
    double x;
    double v2;
    double h2;
    double V2;
    double Re2;
};

TStepOutlet StepOutlet(const TRefrigLib& lib, double G, double D, double t1, double h1, double V1)
{
    const double t2 = t1 - 1.0;
    const double p2 = lib.BubblePressure(t2);
    const double vf = lib.LiquidVolume(t2);
    const double vg = lib.VapourVolume(t2);
    const double muf = lib.LiquidViscosity(t2);
    const double mug = lib.VapourViscosity(t2);
    const double hf = lib.LiquidEnthalpy(t2);
    const double hg = lib.VapourEnthalpy(t2);

    // Quality from h1 + V1²/2 = h2 + V2²/2 with h2 and V2 linear in x.
    const Extended dv = static_cast<Extended>(vg) - vf;
    const Extended Gdv = G * dv;
    const double a = ToDouble(Gdv * Gdv / 2.0L);
    const double b =
        ToDouble(static_cast<Extended>(G) * G * vf * dv + (static_cast<Extended>(hg) - hf));
    const Extended Gvf = static_cast<Extended>(G) * vf;
    const double c = ToDouble(Gvf * Gvf / 2.0L + hf - h1 - static_cast<Extended>(V1) * V1 / 2.0L);
    const double x = ToDouble(Div(Sqrt(static_cast<Extended>(b) * b - 4.0L * a * c) - b, 2.0L * a));

    const double h2 = ToDouble((1.0L - x) * hf + static_cast<Extended>(x) * hg);
    const double v2 = ToDouble((1.0L - x) * vf + static_cast<Extended>(x) * vg);
    const double mu2 = ToDouble((1.0L - x) * muf + static_cast<Extended>(x) * mug);
    const double V2 = ToDouble(static_cast<Extended>(G) * v2);
    const double Re2 = ToDouble(Div(static_cast<Extended>(G) * D, mu2));
    return {t2, p2, x, v2, h2, V2, Re2};
}

// The next step's outlet worked out ahead of its turn; empty when that
// raises, so that the next step raises it in its turn.
std::optional<TStepOutlet> OutletAhead(const TRefrigLib& lib, double G, double D,
                                       const TStepOutlet& inlet)
{
    try {
        return StepOutlet(lib, G, D, inlet.t2, inlet.h2, inlet.V2);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

TStoeckerOutcome SolveStoecker(const TRefrigLib& lib, const TDesignCase& designCase,
                               TStoeckerResults& results, TStepSink& sink)
{
    // The simulation refuses what every method refuses.
    if (std::string refusal = CaseRefusal(lib, designCase); !refusal.empty())
        return Refuse(std::move(refusal));

    const double tc = designCase.tc.Number();

    const double pc = designCase.pc.Number();
    const double pe = designCase.pe.Number();
    const double sc = designCase.sc.Number();
    const double mr = designCase.mr.Number();
    const double dPfit = designCase.dp.Number();
    const double dPevap = designCase.dpEvap.Number();
    const double id = designCase.id.Number();

    // Entry section
    results.Length = 0;
    const double D = ToDouble(0.001L * id);
    const double A = ToDouble(std::numbers::pi_v<Extended> * D * D / 4.0L);
    const double G = ToDouble(Div(mr, A));
    const double tEnd =
        lib.DewTemperature(ToDouble(1000.0L * (static_cast<Extended>(pe) + dPevap)));
    const double dTfit = ToDouble(tc - static_cast<Extended>(lib.DewTemperature(ToDouble(
                                           1000.0L * (static_cast<Extended>(pc) - dPfit)))));
    double t1 = tc;

    // A sub-cooled inlet first loses the fitting's pressure drop as liquid;
    // the amount of sub-cooling plays no further part.
    if (sc > 0) {
        const double p1 = lib.DewPressure(t1);
        const double p2 = lib.DewPressure(ToDouble(static_cast<Extended>(t1) - dTfit));
        const double mu = lib.LiquidViscosity(t1);
        const double Re = ToDouble(Div(static_cast<Extended>(G) * D, mu));
        const double v = lib.LiquidVolume(t1);
        const double V = ToDouble(static_cast<Extended>(G) * v);
        const double f = StepFriction(Re, D);
        const double dL = ToDouble(Div(2.0L * v * D, static_cast<Extended>(V) * V * f) *
                                   ((static_cast<Extended>(p1) - p2) - 1000.0L * dPfit));
        results.Length = ToDouble(static_cast<Extended>(results.Length) + dL);
        t1 = ToDouble(static_cast<Extended>(t1) - dTfit);
    }

    results.Choked = false;

    // Saturated liquid at the start of the two-phase flow, at its bubble
    // pressure like every later step's inlet: a blend's dew pressure lies
    // below it by the glide, which would make the first step's pressure
    // difference negative.
    double p1 = lib.BubblePressure(t1);
    double v1 = lib.LiquidVolume(t1);
    double h1 = lib.LiquidEnthalpy(t1);
    double V1 = ToDouble(static_cast<Extended>(G) * v1);
    double f1 =
        StepFriction(ToDouble(Div(static_cast<Extended>(G) * D, lib.LiquidViscosity(t1))), D);

    sink.ClearSteps();

    // Each step's friction factor is worked out together with the next
    // step's, which needs the next step's outlet ahead of its turn; the
    // friction factors do not depend on each other. Whatever raises ahead of
    // its turn is worked out again, and raises, in its turn.
    std::optional<TStepOutlet> next;
    // The next step's friction factor when it is known already: a flag and a
    // number, both always set (GCC 12 warns falsely at -Os on an optional
    // double copied from step to step).
    bool nextFrictionKnown = false;
    double nextFriction = 0;
    double t2;
    bool last = false;
    do {
        const TStepOutlet outlet = next ? *next : StepOutlet(lib, G, D, t1, h1, V1);
        const bool frictionKnown = nextFrictionKnown;
        const double knownFriction = nextFriction;
        next.reset();
        nextFrictionKnown = false;
        t2 = outlet.t2;
        const double p2 = outlet.p2;
        const double x = outlet.x;
        const double h2 = outlet.h2;
        const double v2 = outlet.v2;
        const double V2 = outlet.V2;

        double f2;
        if (frictionKnown) {
            f2 = knownFriction;
        } else {
            // The step that reaches the evaporator's temperature has no next.
            if (!(t2 < tEnd))
                next = OutletAhead(lib, G, D, outlet);
            if (next) {
                const auto pair = StepFrictionPair(outlet.Re2, next->Re2, D);
                f2 = pair.first;
                nextFrictionKnown = pair.second.has_value();
                nextFriction = pair.second.value_or(0.0);
            } else {
                f2 = StepFriction(outlet.Re2, D);
            }
        }

        const double fm = ToDouble((static_cast<Extended>(f1) + f2) / 2.0L);
        const double Vm = ToDouble((static_cast<Extended>(V1) + V2) / 2.0L);
        const double vm = ToDouble((static_cast<Extended>(v1) + v2) / 2.0L);

        // Length over which friction and acceleration use up the step's
        // pressure drop.
        const double dL =
            ToDouble(Div(2.0L * vm * D * MomentumFactor, static_cast<Extended>(Vm) * Vm * fm) *
                     ((static_cast<Extended>(p1) - p2) -
                      static_cast<Extended>(G) * (static_cast<Extended>(V2) - V1)));
        results.Length = ToDouble(static_cast<Extended>(results.Length) + dL);

        if (t2 < tEnd)
            last = true;

        sink.AddStep({t2, p2, x, v2, h2, V2, dL, results.Length});

        t1 = t2;
        p1 = p2;
        v1 = v2;
        h1 = h2;
        V1 = V2;
        f1 = f2;

        if (dL < 0) {
            last = true;
            results.Choked = true;
        }
    } while (!last);

    results.LeavingTemp = t2;
    return {};
}
