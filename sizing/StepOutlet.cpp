#include "sizing/StepOutlet.h"

#include "common/CheckedMath.h"

using namespace Checked;

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
