// The extended-precision logarithm and exponential of the C library may differ
// in the last bit between processor makers. What the user reads must not: every
// number shown for these cases lies far enough from a rounding tie of its
// shown precision that a difference of many units in the last place cannot
// change a digit.
#include "cli/CaseRun.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ShippedLibrary()
{
    fs::path folder = fs::path(__FILE__).parent_path();
    if (const char* data = std::getenv("VELLOX_TEST_DATA"); data != nullptr && *data != 0)
        folder = data;
    return (folder.parent_path().parent_path() / "data" / "RefLib8.rdf").string();
}

// How far a value lies from the nearest rounding tie at `decimals`, as a
// fraction of the last shown digit's step, and the margin it must keep:
// a relative 1e-11 of the value (some 10⁵ double ulps), at least 1e-9.
struct TShown {
    std::string What;
    double Value;
    int Decimals;
};

::testing::AssertionResult FarFromATie(const TShown& shown)
{
    const long double scaled =
        std::fabs(static_cast<long double>(shown.Value)) * std::pow(10.0L, shown.Decimals);
    const long double fraction = scaled - std::floor(scaled);
    const long double distance = std::fabs(fraction - 0.5L);
    const long double margin = std::max(1e-9L, scaled * 1e-11L);
    if (distance > margin)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << shown.What << " = " << shown.Value << " lies within " << static_cast<double>(distance)
           << " of a rounding tie at " << shown.Decimals << " decimals";
}

// Everything the window shows for a case, with the precision it is shown at;
// the coupled pressures before they are rounded to the field.
std::vector<TShown> ShownNumbers(const TRefrigLib& lib, const TCaseRun& run)
{
    std::vector<TShown> shown = {
        {"pc", lib.DewPressure(run.Case.tc.Number()) * 0.001, 3},
        {"pe", lib.DewPressure(run.Case.te.Number()) * 0.001, 3},
        {"Qe", run.Case.Qe.Number(), 3},
        {"Wolf", run.Results.Method(smWolf).Length, 3},
        {"Choi", run.Results.Method(smChoi).Length, 3},
        {"Stoecker", run.Results.Method(smStoecker).Length, 3},
        {"leaving temperature", run.Results.Method(smStoecker).LeavingTemp, 1},
    };
    if (run.Results.RefrigEffect)
        shown.push_back({"effect", *run.Results.RefrigEffect, 1});
    for (std::size_t i = 0; i < run.Results.Steps.size(); ++i) {
        const TStoeckerStep& s = run.Results.Steps[i];
        const std::string row = "row " + std::to_string(i + 1) + " ";
        shown.insert(shown.end(), {{row + "t", s.t, 0},
                                   {row + "P", s.p * 0.001, 1},
                                   {row + "x", s.x, 3},
                                   {row + "v", s.v, 6},
                                   {row + "h", s.h * 0.001, 2},
                                   {row + "V", s.V, 3},
                                   {row + "dL", s.dL, 4},
                                   {row + "L", s.L, 3}});
    }
    return shown;
}

TCaseInput Case(const std::string& refrigerant, const char* tc, const char* te, const char* mr,
                const char* id)
{
    TCaseInput input;
    input.Refrigerant = refrigerant;
    input[dfTc] = tc;
    input[dfTe] = te;
    input[dfMr] = mr;
    input[dfId] = id;
    return input;
}

} // namespace

TEST(ShownDigits, WorkedExampleIsTheSameOnEveryProcessor)
{
    TRefrigLib lib;
    const TCaseRun run = RunCase(lib, Case("R22", "40", "5", "0.01", "1.63"));
    ASSERT_TRUE(run.Outcome.Solved);
    ASSERT_EQ(run.Results.Steps.size(), 28U);
    for (const TShown& shown : ShownNumbers(lib, run))
        EXPECT_TRUE(FarFromATie(shown));
}

TEST(ShownDigits, EveryShippedRefrigerantIsTheSameOnEveryProcessor)
{
    TRefrigLib lib(ShippedLibrary());
    ASSERT_GE(lib.RefrigerantNames().size(), 15U);
    for (const std::string& name : std::vector<std::string>(lib.RefrigerantNames())) {
        for (const TCaseInput& input :
             {Case(name, "40", "-10", "0.003", "1.2"), Case(name, "45", "0", "0.008", "1.63")}) {
            const TCaseRun run = RunCase(lib, input);
            for (const TShown& shown : ShownNumbers(lib, run))
                EXPECT_TRUE(FarFromATie(shown)) << name;
        }
    }
}
