#pragma once

#include "sizing/Stoecker.h"

#include <optional>
#include <vector>

// What a Solve finds for a design case, as numbers: the window shows these,
// the command line tool prints them and the report reads them.
struct TSolveResults {
    // kJ/kg, of the case as its fields were coupled; none when it could not
    // be found.
    std::optional<double> RefrigEffect;
    double WolfLength = 0; // m
    double ChoiLength = 0; // m
    // Whether the last Solve found the Wolf and Cho lengths (a fault ends a
    // Solve before the methods after it).
    bool WolfFound = false;
    bool ChoiFound = false;
    TStoeckerResults Stoecker; // length, leaving temperature, choked
    bool Solved = false;
    // The rows of the last simulation that started, in order; the rows
    // written before a fault stay, and a Solve that ends before the
    // simulation starts leaves the rows of the one before.
    std::vector<TStoeckerStep> Steps;
};
