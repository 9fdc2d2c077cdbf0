#pragma once

#include "sizing/Stoecker.h"

#include <string>

// The texts the main window shows for a design case and its solution; the
// command line tool prints the same.

extern const char* const InitialWolfLabel;     // "Wolf et al"
extern const char* const InitialChoiLabel;     // "Cho et al"
extern const char* const InitialStoeckerLabel; // "Stoecker..."
extern const char* const InitialEffectLabel;   // "Refrigerating Effect"
extern const char* const InitialSolvedText;    // "Solved..."
// Header line above the steps table.
extern const char* const StepsHeader;

std::string RefrigEffectText(double refrigEffect);
std::string WolfLabel(double length);
std::string ChoiLabel(double length);
std::string StoeckerLabel(double length);
std::string CapillaryLengthText(double choiLength);
std::string LeavingTempText(double leavingTemp);
std::string SolvedText(bool solved);
// One tab-separated row of the steps table.
std::string StepRowText(const TStoeckerStep& step);
