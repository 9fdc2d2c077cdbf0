#pragma once

#include "sizing/Stoecker.h"

#include <vector>

// What a Solve finds for a design case, as numbers: the window shows these,
// the command line tool prints them and the report reads them.
struct TSolveResults {
    double RefrigEffect = 0;   // kJ/kg, of the case as its fields were coupled
    double WolfLength = 0;     // m
    double ChoiLength = 0;     // m
    TStoeckerResults Stoecker; // length, leaving temperature, choked
    bool Solved = false;
    // The rows of the last simulation that started, in order; the rows
    // written before a fault stay, and a Solve that ends before the
    // simulation starts leaves the rows of the one before.
    std::vector<TStoeckerStep> Steps;
};
