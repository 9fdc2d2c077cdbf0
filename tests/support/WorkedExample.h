#pragma once

#include "sizing/DesignCase.h"
#include "sizing/SolveDriver.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// The worked example: built-in R22 condensing at 40 °C and evaporating at
// 5 °C, 5 K sub-cooling, 7.5 K superheat, 0.01 kg/s through a 1.63 mm tube,
// the pressures and the duty as the field coupling shows them.
inline TDesignCase WorkedExample()
{
    TDesignCase c;
    c.tc = 40.0;
    c.te = 5.0;
    c.pc = 1540.346;
    c.pe = 586.201;
    c.sc = 5.0;
    c.sh = 7.5;
    c.mr = 0.01;
    c.Qe = 1.693;
    c.dp = 30.0;
    c.dpEvap = 140.0;
    c.id = 1.63;
    return c;
}

// The library file the program ships (data/RefLib8.rdf of the sources, or of
// the folder VELLOX_TEST_DATA names the tests folder of).
inline std::string ShippedLibraryFile()
{
    std::filesystem::path folder = std::filesystem::path(__FILE__).parent_path();
    if (const char* data = std::getenv("VELLOX_TEST_DATA"); data != nullptr && *data != 0)
        folder = data;
    return (folder.parent_path().parent_path() / "data" / "RefLib8.rdf").string();
}

// Where a Solve shows nothing.
class TQuietView : public TSolveView {
public:
    void ClearSteps() override {}
    void AddStep(const TStoeckerStep&) override {}
    void ShowMethod(TSizingMethod, const TMethodResult&) override {}
    void ShowRefusal(const std::string&) override {}
    void ShowCapillaryLength(double) override {}
    void ShowSolved(bool) override {}
};
