#include "sizing/Choi.h"

#include "common/CheckedMath.h"
#include "common/UnitConversions.h"

using namespace Checked;

double SolveChoi(const TRefrigLib& lib, const TDesignCase& designCase)
{
    const double id = designCase.id.Number();
    const double mr = designCase.mr.Number();
    const double tc = designCase.tc.Number();
    const double sc = designCase.sc.Number();

    const double D = ToDouble(MillimetresToMetres<Extended>(id));
    const double Pc = lib.CriticalPressure();
    // The correlation divides the sub-cooling by the critical temperature as
    // the record stores it, in °C.
    const double Tc = lib.CriticalTemperature();
    const double Pin = lib.BubblePressure(tc);
    const double tin = ToDouble(static_cast<Extended>(tc) - sc);
    const double Psat = lib.BubblePressure(tin);
    const double vf = lib.LiquidVolume(tin);
    const double vg = lib.VapourVolume(tin);
    const double muf = lib.LiquidViscosity(tin);
    const double mug = lib.VapourViscosity(tin);
    const double sigma = lib.SurfaceTension(tin);
    const double hfg = lib.LatentHeat(tin);

    const double pi1 = ToDouble(Div(static_cast<Extended>(Pin) - Psat, Pc));
    const double pi2 = ToDouble(Div(sc, Tc));
    const double pi3 = ToDouble(Div(vg, vf));
    const double pi4 = ToDouble(Div(static_cast<Extended>(muf) - mug, mug));
    const double pi5 = ToDouble(Div(sigma, static_cast<Extended>(D) * Pin));
    const double pi6 = ToDouble(Div(hfg, static_cast<Extended>(vf) * Psat));
    const double pi7 =
        ToDouble(Div(mr, static_cast<Extended>(D) * D * Sqrt(Div(Pin, static_cast<Extended>(vf)))));

    const double X = ToDouble(Div(pi7, 0.001313L * Power(pi1, -0.087L) * Power(pi2, 0.188L) *
                                           Power(pi3, -0.834L) * Power(pi4, 0.199L) *
                                           Power(pi5, -0.368L) * Power(pi6, 0.992L)));
    const double lengthRatio = ToDouble(Power(X, -2.4271844660194173 /* -1/0.412 */));
    return ToDouble(static_cast<Extended>(D) * lengthRatio);
}
