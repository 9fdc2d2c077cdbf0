#pragma once

#include <array>
#include <cstdint>
#include <string>

// One refrigerant: identification, characteristic points and the coefficient
// arrays of the property correlations. Units: temperatures °C, critical
// pressure kPa, critical density kg/m³, molar mass kg/kmol. The forms the
// arrays are evaluated in, with their units, are listed in refrig/RefrigLib.h.
struct TRefrigData {
    std::int32_t InternalNumber = 0;
    std::string RNumber;
    std::string Formula;
    std::string ChemicalName;
    std::string CASNumber;
    std::int32_t Components = 0;
    std::string RefState;
    std::string SourceFile;
    std::string FluidType;
    double TCrit = 0;
    double PCrit = 0;
    double DCrit = 0;
    double wm = 0;
    double TTrip = 0;
    double TBoil = 0;
    double TMax = 0;
    double TMin = 0;
    std::array<double, 3> dp{}; // dew pressure
    std::array<double, 3> bp{}; // bubble pressure
    std::array<double, 4> lh{}; // saturated liquid enthalpy
    std::array<double, 4> th{}; // temperature from liquid enthalpy
    std::array<double, 5> vh{}; // saturated vapour enthalpy
    std::array<double, 6> sh{}; // superheated vapour enthalpy factor
    std::array<double, 6> vv{}; // saturated vapour volume
    std::array<double, 6> sv{}; // held, not evaluated
    std::array<double, 8> ic{}; // held, not evaluated
    std::array<double, 4> sc{}; // held, not evaluated
    std::array<double, 4> lv{}; // saturated liquid volume
    std::array<double, 5> cl{}; // liquid specific heat
    std::array<double, 5> cv{}; // vapour specific heat
    std::array<double, 4> ul{}; // liquid viscosity, µPa·s
    std::array<double, 4> uv{}; // vapour viscosity, µPa·s
    std::array<double, 4> kl{}; // liquid conductivity, mW/(m·K)
    std::array<double, 4> kv{}; // vapour conductivity, mW/(m·K)
    std::array<double, 4> si{}; // surface tension, mN/m

    bool operator==(const TRefrigData&) const = default;
};

// The built-in R22 record: the program's refrigerant when there is no library
// file, and the source of every value a library section leaves out.
extern const TRefrigData DefaultRefrigData;
