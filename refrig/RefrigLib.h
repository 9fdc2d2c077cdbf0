#pragma once

#include "refrig/RefrigData.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The refrigerant library: one current refrigerant, selected by name from the
// library file (INI form, one section per refrigerant), with the property
// correlations evaluated on it. A missing file, section or value falls back to
// the built-in R22 record, so there is always a usable refrigerant.
//
// Property units: temperatures °C, pressures Pa, enthalpies J/kg, volumes
// m³/kg, specific heats J/(kg·K), viscosities Pa·s, conductivities W/(m·K),
// surface tension N/m. Every operation evaluates its formula afresh in
// extended precision and raises the checked-arithmetic errors.
//
// Property forms, with T in °C, h in J/kg, P in Pa and c0.. the coefficients
// of the record's array named in brackets (TRefrigData):
//
//   saturation pressure, dew [dp] and bubble [bp]
//     P = exp(c0 + c1 / (T + c2))                                  Pa
//   saturation temperature, the same form solved for T
//     T = c1 / (ln P - c0) - c2                                    °C
//   temperature glide: Tdew(P) - Tbubble(P)                        K
//   saturated liquid volume [lv]
//     vf = c0 + c1*T + c2*T^2 + c3*T^3                             m³/kg
//   saturated vapour volume [vv]
//     vg = exp(c0 + c1 / (T + 273.15)) * (c2 + c3*T + c4*T^2 + c5*T^3)   m³/kg
//   saturated liquid enthalpy [lh]
//     hf = c0 + c1*T + c2*T^2 + c3*T^3                             J/kg
//   saturated vapour enthalpy [vh]: the base hb and hg = hb + c4
//     hb = c0 + c1*T + c2*T^2 + c3*T^3                             J/kg
//   latent heat: hg - hf                                           J/kg
//   liquid [cl] and vapour [cv] specific heat
//     cp = c0 + c1*T + c2*T^2 + c3*T^3 + c4*T^4                    J/(kg·K)
//   liquid [ul] and vapour [uv] viscosity, coefficients in µPa·s
//     mu = (c0 + c1*T + c2*T^2 + c3*T^3) * 1e-6                    Pa·s
//   liquid [kl] and vapour [kv] conductivity, coefficients in mW/(m·K)
//     k = (c0 + c1*T + c2*T^2 + c3*T^3) * 1e-3                     W/(m·K)
//   surface tension [si], coefficients in mN/m (Horner's rule)
//     sigma = (((c3*T + c2)*T + c1)*T + c0) * 1e-3                 N/m
//   temperature of saturated liquid of enthalpy h [th]
//     T = c0 + c1*h + c2*h^2 + c3*h^3                              °C
//   superheated vapour at T from saturation at Ts [sh], d = T - Ts
//     h = hb(Ts) * (1 + d*(c0 + c1*d + c2*Ts + c3*d*Ts + c4*Ts^2 + c5*d*Ts^2))
//         + vh4                                                    J/kg
//
// The polynomials are summed term by term (T*T, T*T*T, ...) in the order
// written, except the surface tension's. A viscosity or conductivity whose
// coefficients give exactly zero takes the built-in R22 record's value. The
// arrays sv, ic and sc are held but not evaluated.
//
// Characteristic values: critical pressure PCrit * 1000 (the record's kPa in
// Pa); critical temperature TCrit, triple point TTrip, boiling point TBoil in
// °C, and the boiling pressure Pdew(TBoil); critical density DCrit in kg/m³;
// molar mass wm in kg/kmol. MinTemperature is TMin but not below -273 °C;
// the program's limits are LowerTemperatureLimit = MinTemperature and
// UpperTemperatureLimit = 0.8 * TCrit + 0.2 * TMax.
//
// Range: the forms of the library file were fitted from the lowest
// temperature of each refrigerant's reference table up to its upper
// temperature limit or the table's end, whichever is lower
// (tools/reflib/fit_reflib.py); beyond that they are extrapolations. No
// fitting range is recorded for the built-in R22 coefficients.
class TRefrigLib {
public:
    // libraryFile: path of the library file; empty for none. Selects "R22".
    explicit TRefrigLib(std::string libraryFile = {});

    // Makes the named section the current refrigerant. Raises EListError or
    // EConvertError for a coefficient list that is too short or not numeric.
    void SelectRefrigerant(const std::string& name);
    // Selects the name at that position of RefrigerantNames (EListError outside).
    void SelectRefrigerantIndex(int index);
    // From now on each name's section is read and parsed once, at its first
    // selection, and every later selection of that name takes the parsed
    // record: for runs over many cases, during which the file stays as it is.
    // A section that fails to parse is not kept, so each selection of it reads
    // it again and raises its error again.
    void KeepParsedRecords();

    const std::string& LibraryFile() const { return LibraryFile_; }
    // Section names of the file, sorted without regard to letter case.
    const std::vector<std::string>& RefrigerantNames() const { return RefrigerantNames_; }
    // The file's modification time in the user's date and time formats; empty
    // when it cannot be read.
    const std::string& LibraryFileDate() const { return LibraryFileDate_; }
    // RNumber of the refrigerant last read from the file; empty before.
    const std::string& CurrentName() const { return CurrentName_; }
    // The message of an error raised by the initial selection of "R22" (the
    // built-in record is then current); empty when there was none.
    const std::string& StartupError() const { return StartupError_; }

    const TRefrigData& Data() const { return Data_; }

    std::string GetRNumber() const { return Data_.RNumber; }
    std::string GetChemicalName() const { return Data_.ChemicalName; }
    std::string GetFormula() const { return Data_.Formula; }
    // "R22 (chlorodifluoromethane, CHClF2)"
    std::string GetDisplayName() const;

    // Saturation
    double DewPressure(double T) const;
    double DewTemperature(double P) const;
    double BubblePressure(double T) const;
    double BubbleTemperature(double P) const;
    double TemperatureGlide(double P) const;

    // Characteristic values
    double CriticalPressure() const;
    double CriticalTemperature() const;
    double CriticalDensity() const;
    double BoilingPoint() const;
    double BoilingPressure() const;
    double TriplePoint() const;
    double MolarMass() const;
    double MinTemperature() const;
    double MaxTemperature() const;
    double UpperTemperatureLimit() const;
    double LowerTemperatureLimit() const;

    // Saturated liquid and vapour at temperature T
    double LiquidVolume(double T) const;
    double VapourVolume(double T) const;
    double LiquidEnthalpy(double T) const;
    double VapourEnthalpyBase(double T) const;
    double VapourEnthalpy(double T) const;
    double LatentHeat(double T) const;
    double LiquidSpecificHeat(double T) const;
    double VapourSpecificHeat(double T) const;
    double LiquidViscosity(double T) const;
    double VapourViscosity(double T) const;
    double LiquidConductivity(double T) const;
    double VapourConductivity(double T) const;
    double SurfaceTension(double T) const;

    // Temperature of saturated liquid of enthalpy h.
    double LiquidTemperature(double h) const;
    // Enthalpy of vapour at T superheated from saturation temperature Ts.
    double SuperheatEnthalpy(double Ts, double T) const;
    // The superheat factor for superheat d at saturation temperature s.
    double SuperheatPoly(double d, double s) const;

private:
    std::string LibraryFile_;
    std::vector<std::string> RefrigerantNames_;
    std::string LibraryFileDate_;
    std::string CurrentName_;
    std::string StartupError_;
    TRefrigData Data_;
    bool KeepParsed_ = false;
    // Records by the name they were selected with; no value for a missing or
    // empty section (the built-in record stands in).
    std::map<std::string, std::optional<TRefrigData>, std::less<>> Parsed_;
};
