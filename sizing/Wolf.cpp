#include "sizing/Wolf.h"

#include "common/CheckedMath.h"
#include "common/UnitConversions.h"

using namespace Checked;

double SolveWolf(const TRefrigLib& lib, const TDesignCase& designCase)
{
    const double id = designCase.id.Number();
    const double mr = designCase.mr.Number();
    const double sc = designCase.sc.Number();
    const double tc = designCase.tc.Number();

    const double D = ToDouble(MillimetresToMetres<Extended>(id));
    const double Pin = lib.DewPressure(tc);
    const double tin = ToDouble(static_cast<Extended>(tc) - sc);
    const double muf = lib.LiquidViscosity(tin);
    const double mug = lib.VapourViscosity(tin);
    const double vf = lib.LiquidVolume(tin);
    const double vg = lib.VapourVolume(tin);
    const double hfg =
        ToDouble(static_cast<Extended>(lib.VapourEnthalpy(tin)) - lib.LiquidEnthalpy(tin));
    const double xin = 0.03;

    const Extended D2 = static_cast<Extended>(D) * D;
    const Extended vfmuf = static_cast<Extended>(vf) * muf;
    const double piH = ToDouble(Div(D2 * hfg, vfmuf * vfmuf));
    const double piP = ToDouble(Div(D2 * Pin, static_cast<Extended>(muf) * muf * vf));
    const double piV = ToDouble(Div(vg, vf));
    const double piMu = ToDouble(Div(static_cast<Extended>(muf) - mug, mug));
    const double piM = ToDouble(Div(mr, static_cast<Extended>(D) * muf));

    double lengthRatio;
    if (sc > 0) {
        const double cpf = lib.LiquidSpecificHeat(tin);
        const double piS = ToDouble(Div(D2 * cpf * sc, vfmuf * vfmuf));
        const double P = ToDouble(Power(piH, -0.824L) * Power(piP, 1.369L) * Power(piS, 0.0187L) *
                                  Power(piV, 0.773L) * Power(piMu, 0.265L));
        lengthRatio = ToDouble(Power(Div(piM, 1.8925L * P), -2.0661157024793386 /* -1/0.484 */));
    } else {
        const double P = ToDouble(Power(piH, -0.189L) * Power(piP, 0.645L) * Power(xin, -0.163L) *
                                  Power(piV, -0.213L) * Power(piMu, -0.483L));
        lengthRatio = ToDouble(Power(Div(piM, 187.27L * P), -1.5748031496062993 /* -1/0.635 */));
    }
    return ToDouble(static_cast<Extended>(D) * lengthRatio);
}
