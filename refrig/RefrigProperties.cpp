// The property correlations of the current refrigerant: short closed forms
// over the coefficient arrays of the record, evaluated in extended precision
// and stored as doubles once at the end.
#include "common/CheckedMath.h"
#include "common/Extended.h"
#include "common/UnitConversions.h"
#include "refrig/RefrigLib.h"

using namespace Checked;

namespace {

// c0 + c1·T + c2·T² + c3·T³, term by term.
template <std::size_t N>
Extended Cubic(const std::array<double, N>& c, Extended T)
{
    static_assert(N >= 4);
    return c[0] + c[1] * T + c[2] * T * T + c[3] * T * T * T;
}

// c0 + c1·T + c2·T² + c3·T³ + c4·T⁴, term by term.
Extended Quartic(const std::array<double, 5>& c, Extended T)
{
    return c[0] + c[1] * T + c[2] * T * T + c[3] * T * T * T + c[4] * T * T * T * T;
}

// The first four coefficients by Horner's rule.
template <std::size_t N>
Extended PolyValue(const std::array<double, N>& c, Extended x)
{
    static_assert(N >= 4);
    return ((c[3] * x + c[2]) * x + c[1]) * x + c[0];
}

// Transport properties: a record whose coefficients evaluate to exactly zero
// (an all-zero list in the library file) takes the built-in R22 values.
// ToSi converts from the unit of the record's coefficients to SI.
template <Extended (*ToSi)(Extended), typename Member>
double WithZeroFallback(const TRefrigData& data, Member member, double T)
{
    const double value = ToDouble(ToSi(Cubic(data.*member, T)));
    if (value != 0.0)
        return value;
    return ToDouble(ToSi(Cubic(DefaultRefrigData.*member, T)));
}

Extended SaturationPressure(const std::array<double, 3>& c, double T)
{
    return Exp(c[0] + Div(c[1], static_cast<Extended>(T) + c[2]));
}

Extended SaturationTemperature(const std::array<double, 3>& c, double P)
{
    return Div(c[1], Ln(P) - c[0]) - c[2];
}

} // namespace

double TRefrigLib::DewPressure(double T) const
{
    return ToDouble(SaturationPressure(Data_.dp, T));
}

double TRefrigLib::DewTemperature(double P) const
{
    return ToDouble(SaturationTemperature(Data_.dp, P));
}

double TRefrigLib::BubblePressure(double T) const
{
    return ToDouble(SaturationPressure(Data_.bp, T));
}

double TRefrigLib::BubbleTemperature(double P) const
{
    return ToDouble(SaturationTemperature(Data_.bp, P));
}

double TRefrigLib::TemperatureGlide(double P) const
{
    return ToDouble(static_cast<Extended>(DewTemperature(P)) - BubbleTemperature(P));
}

double TRefrigLib::CriticalPressure() const
{
    return ToDouble(KilopascalsToPascals<Extended>(Data_.PCrit));
}
double TRefrigLib::CriticalTemperature() const
{
    return Data_.TCrit;
}
double TRefrigLib::CriticalDensity() const
{
    return Data_.DCrit;
}
double TRefrigLib::BoilingPoint() const
{
    return Data_.TBoil;
}
double TRefrigLib::BoilingPressure() const
{
    return DewPressure(Data_.TBoil);
}
double TRefrigLib::TriplePoint() const
{
    return Data_.TTrip;
}
double TRefrigLib::MolarMass() const
{
    return Data_.wm;
}
double TRefrigLib::MinTemperature() const
{
    return Data_.TMin < -273.0 ? -273.0 : Data_.TMin;
}
double TRefrigLib::MaxTemperature() const
{
    return Data_.TMax;
}

double TRefrigLib::UpperTemperatureLimit() const
{
    return ToDouble(0.8L * Data_.TCrit + 0.2L * Data_.TMax);
}

double TRefrigLib::LowerTemperatureLimit() const
{
    return MinTemperature();
}

double TRefrigLib::LiquidVolume(double T) const
{
    return ToDouble(Cubic(Data_.lv, T));
}

double TRefrigLib::VapourVolume(double T) const
{
    const auto& c = Data_.vv;
    const Extended t = T;
    return ToDouble(Exp(c[0] + Div(c[1], CelsiusToKelvin(t)) /* zero exactly at -273.15 */) *
                    (c[2] + c[3] * t + c[4] * t * t + c[5] * t * t * t));
}

double TRefrigLib::LiquidEnthalpy(double T) const
{
    return ToDouble(Cubic(Data_.lh, T));
}

double TRefrigLib::VapourEnthalpyBase(double T) const
{
    return ToDouble(Cubic(Data_.vh, T));
}

double TRefrigLib::VapourEnthalpy(double T) const
{
    return ToDouble(static_cast<Extended>(VapourEnthalpyBase(T)) + Data_.vh[4]);
}

double TRefrigLib::LatentHeat(double T) const
{
    return ToDouble(static_cast<Extended>(VapourEnthalpy(T)) - LiquidEnthalpy(T));
}

double TRefrigLib::LiquidSpecificHeat(double T) const
{
    return ToDouble(Quartic(Data_.cl, T));
}
double TRefrigLib::VapourSpecificHeat(double T) const
{
    return ToDouble(Quartic(Data_.cv, T));
}

double TRefrigLib::LiquidViscosity(double T) const
{
    return WithZeroFallback<MicropascalSecondsToPascalSeconds>(Data_, &TRefrigData::ul, T);
}

double TRefrigLib::VapourViscosity(double T) const
{
    return WithZeroFallback<MicropascalSecondsToPascalSeconds>(Data_, &TRefrigData::uv, T);
}

double TRefrigLib::LiquidConductivity(double T) const
{
    return WithZeroFallback<MilliwattsToWatts>(Data_, &TRefrigData::kl, T);
}

double TRefrigLib::VapourConductivity(double T) const
{
    return WithZeroFallback<MilliwattsToWatts>(Data_, &TRefrigData::kv, T);
}

double TRefrigLib::SurfaceTension(double T) const
{
    return ToDouble(MillinewtonsToNewtons(PolyValue(Data_.si, T)));
}

double TRefrigLib::LiquidTemperature(double h) const
{
    return ToDouble(Cubic(Data_.th, h));
}

double TRefrigLib::SuperheatPoly(double d, double s) const
{
    const auto& c = Data_.sh;
    const Extended D = d;
    const Extended S = s;
    return ToDouble(D *
                    (c[0] + c[1] * D + c[2] * S + c[3] * D * S + c[4] * S * S + c[5] * D * S * S));
}

double TRefrigLib::SuperheatEnthalpy(double Ts, double T) const
{
    const double factor = SuperheatPoly(T - Ts, Ts);
    return ToDouble(static_cast<Extended>(VapourEnthalpyBase(Ts)) * (1.0L + factor) + Data_.vh[4]);
}
