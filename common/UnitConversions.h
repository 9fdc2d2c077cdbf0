#pragma once

#include "common/Extended.h"

#include <concepts>

// Conversions between the units the refrigerant record and the input fields
// hold their values in and the SI units the formulas work in. Each is one
// multiplication by a constant factor (an addition for the temperature
// offsets), taken in the precision of the argument:
//
//   MillimetresToMetres(id)            double id: id · 0.001 in double
//   MillimetresToMetres<Extended>(id)  double id: id · 0.001L in extended
//
// So a formula that multiplied by 0.001L gets exactly its old product, and one
// that multiplied two doubles keeps its double product. A product taken in
// extended precision names <Extended>. The factors are long-double literals;
// for double arguments they are narrowed to the nearest double, which the
// checks after each group prove to be the double literal itself.

// Length: m, mm and inch.
template <std::floating_point T>
constexpr T MillimetresToMetres(T mm)
{
    return mm * static_cast<T>(0.001L);
}
template <std::floating_point T>
constexpr T MetresToMillimetres(T m)
{
    return m * static_cast<T>(1000.0L);
}
template <std::floating_point T>
constexpr T InchesToMillimetres(T inch)
{
    return inch * static_cast<T>(25.4L);
}
static_assert(static_cast<double>(0.001L) == 0.001);
static_assert(static_cast<double>(25.4L) == 25.4);

// Pressure: Pa and kPa.
template <std::floating_point T>
constexpr T PascalsToKilopascals(T pa)
{
    return pa * static_cast<T>(0.001L);
}
template <std::floating_point T>
constexpr T KilopascalsToPascals(T kpa)
{
    return kpa * static_cast<T>(1000.0L);
}

// Energy: J and kJ, also per kilogram (enthalpy, latent heat) and per
// kilogram and kelvin (specific heat).
template <std::floating_point T>
constexpr T JoulesToKilojoules(T j)
{
    return j * static_cast<T>(0.001L);
}
template <std::floating_point T>
constexpr T KilojoulesToJoules(T kj)
{
    return kj * static_cast<T>(1000.0L);
}

// Dynamic viscosity: Pa·s and µPa·s.
template <std::floating_point T>
constexpr T MicropascalSecondsToPascalSeconds(T microPaS)
{
    return microPaS * static_cast<T>(0.000001L);
}
template <std::floating_point T>
constexpr T PascalSecondsToMicropascalSeconds(T paS)
{
    return paS * static_cast<T>(1000000.0L);
}
static_assert(static_cast<double>(0.000001L) == 0.000001);

// Thermal conductivity, W/(m·K) and mW/(m·K): the milli of the watt.
template <std::floating_point T>
constexpr T MilliwattsToWatts(T mw)
{
    return mw * static_cast<T>(0.001L);
}
template <std::floating_point T>
constexpr T WattsToMilliwatts(T w)
{
    return w * static_cast<T>(1000.0L);
}

// Surface tension, N/m and mN/m: the milli of the newton.
template <std::floating_point T>
constexpr T MillinewtonsToNewtons(T mn)
{
    return mn * static_cast<T>(0.001L);
}
template <std::floating_point T>
constexpr T NewtonsToMillinewtons(T n)
{
    return n * static_cast<T>(1000.0L);
}

// Temperature: °C and K. The offset is the double nearest 273.15 in either
// precision: the vapour-volume form has always added that double to an
// extended temperature, and 273.15L would move its results in the last bits.
inline constexpr double KelvinAtZeroCelsius = 273.15;

template <std::floating_point T>
constexpr T CelsiusToKelvin(T celsius)
{
    return celsius + static_cast<T>(KelvinAtZeroCelsius);
}
template <std::floating_point T>
constexpr T KelvinToCelsius(T kelvin)
{
    return kelvin - static_cast<T>(KelvinAtZeroCelsius);
}
