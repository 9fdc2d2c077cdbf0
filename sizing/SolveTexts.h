#pragma once

#include "sizing/StepColumns.h"
#include "sizing/Stoecker.h"

#include <string>

// The texts the main window shows for a design case and its solution; the
// command line tool prints the same.

inline constexpr const char* InitialWolfLabel = "Wolf et al";
inline constexpr const char* InitialChoiLabel = "Cho et al";
inline constexpr const char* InitialStoeckerLabel = "Stoecker...";
inline constexpr const char* InitialEffectLabel = "Refrigerating Effect";
inline constexpr const char* InitialSolvedText = "Solved...";

std::string RefrigEffectText(double refrigEffect);
std::string WolfLabel(double length);
std::string ChoiLabel(double length);
std::string StoeckerLabel(double length);
std::string CapillaryLengthText(double choiLength);
std::string LeavingTempText(double leavingTemp);
std::string SolvedText(bool solved);
