#include "sizing/Stoecker.h"

#include "common/CheckedMath.h"
#include "common/UnitConversions.h"
#include "sizing/CaseRules.h"
#include "sizing/StepFriction.h"
#include "sizing/StepSequence.h"

#include <numbers>
#include <utility>

using namespace Checked;

namespace {

constexpr Extended MomentumFactor = 1.55L;

TStoeckerOutcome Refuse(std::string message)
{
    return {true, std::move(message)};
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
    const double D = ToDouble(MillimetresToMetres<Extended>(id));
    const double A = ToDouble(std::numbers::pi_v<Extended> * D * D / 4.0L);
    const double G = ToDouble(Div(mr, A));
    const double tEnd =
        lib.DewTemperature(ToDouble(KilopascalsToPascals(static_cast<Extended>(pe) + dPevap)));
    const double dTfit =
        ToDouble(tc - static_cast<Extended>(lib.DewTemperature(
                          ToDouble(KilopascalsToPascals(static_cast<Extended>(pc) - dPfit)))));
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
        const double dL =
            ToDouble(Div(2.0L * v * D, static_cast<Extended>(V) * V * f) *
                     ((static_cast<Extended>(p1) - p2) - KilopascalsToPascals<Extended>(dPfit)));
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
    const double h1 = lib.LiquidEnthalpy(t1);
    double V1 = ToDouble(static_cast<Extended>(G) * v1);
    double f1 =
        StepFriction(ToDouble(Div(static_cast<Extended>(G) * D, lib.LiquidViscosity(t1))), D);

    sink.ClearSteps();

    // Each step falls 1 K of saturation temperature, from the saturated
    // liquid above to below the evaporator's inlet temperature tEnd.
    TStepSequence steps(lib, G, D, tEnd, t1, h1, V1);
    double t2;
    bool last = false;
    do {
        // The state at the step's outlet: its saturation temperature and
        // pressure, the quality from the energy balance, the mixture's
        // specific volume and enthalpy, and its velocity G·v2.
        const TStepAhead step = steps.Next();
        t2 = step.Outlet.t2;
        const double p2 = step.Outlet.p2;
        const double x = step.Outlet.x;
        const double h2 = step.Outlet.h2;
        const double v2 = step.Outlet.v2;
        const double V2 = step.Outlet.V2;
        // The friction factor at the outlet's Reynolds number.
        const double f2 = step.Friction;

        // Length over which friction and acceleration use up the step's
        // pressure drop, with the means over the step:
        //   dL = 2·vm·D·1.55 / (Vm²·fm) · ((p1 − p2) − G·(V2 − V1))
        const double fm = ToDouble((static_cast<Extended>(f1) + f2) / 2.0L);
        const double Vm = ToDouble((static_cast<Extended>(V1) + V2) / 2.0L);
        const double vm = ToDouble((static_cast<Extended>(v1) + v2) / 2.0L);
        const Extended pressureDrop = static_cast<Extended>(p1) - p2;
        const Extended acceleration = static_cast<Extended>(G) * (static_cast<Extended>(V2) - V1);
        const double dL =
            ToDouble(Div(2.0L * vm * D * MomentumFactor, static_cast<Extended>(Vm) * Vm * fm) *
                     (pressureDrop - acceleration));
        results.Length = ToDouble(static_cast<Extended>(results.Length) + dL);

        if (t2 < tEnd)
            last = true;

        sink.AddStep({t2, p2, x, v2, h2, V2, dL, results.Length});

        p1 = p2;
        v1 = v2;
        V1 = V2;
        f1 = f2;

        // A negative length: the flow is choked at this step's outlet.
        if (dL < 0) {
            last = true;
            results.Choked = true;
        }
    } while (!last);

    results.LeavingTemp = t2;
    return {};
}
