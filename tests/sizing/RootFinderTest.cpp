#include "sizing/RootFinder.h"

#include "common/Errors.h"
#include "support/ParamName.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Falling functions of x > 0 and where they cross zero.
struct TFallingCase {
    const char* Name;
    std::function<double(double)> F;
    double Start;
    TRootStatus Status;
    double Root; // when found
};

class FallingRoot : public testing::TestWithParam<TFallingCase> {};

TEST_P(FallingRoot, FindsTheCrossingOrTheSideItLiesOn)
{
    const auto& p = GetParam();
    const TRootResult r = FindFallingRoot(p.F, p.Start);
    EXPECT_EQ(r.Status, p.Status);
    EXPECT_LE(r.Evaluations, TRootSearch{}.MaxEvaluations);
    if (p.Status == rsFound) {
        EXPECT_NEAR(r.X, p.Root, 2e-9 * p.Root);
    } else {
        EXPECT_EQ(r.X, p.Status == rsBelowRange ? 1e-6 : 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FallingRoot,
    testing::Values(
        // A length falling as the square of the flow, from either side.
        TFallingCase{"PowerLawFromBelow", [](double x) { return 3e-4 / (x * x) - 3.0; }, 1e-4,
                     rsFound, 0.01},
        TFallingCase{"PowerLawFromAbove", [](double x) { return 3e-4 / (x * x) - 3.0; }, 0.9,
                     rsFound, 0.01},
        TFallingCase{"StartOnTheRoot", [](double x) { return 0.25 - x; }, 0.25, rsFound, 0.25},
        TFallingCase{"StartOutsideTheRange", [](double x) { return 0.5 - x; }, 7.0, rsFound, 0.5},
        TFallingCase{"StartNotANumber", [](double x) { return 0.003 - x; },
                     std::numeric_limits<double>::quiet_NaN(), rsFound, 0.003},
        TFallingCase{"CrossingNearTheTopEnd", [](double x) { return 0.999999 - x; }, 0.01, rsFound,
                     0.999999},
        TFallingCase{"CrossingNearTheBottomEnd", [](double x) { return 1.5e-6 - x; }, 0.5, rsFound,
                     1.5e-6},
        // A jump across zero (a simulation that chokes): the search ends on it.
        TFallingCase{"JumpAcrossZero", [](double x) { return x < 0.02 ? 1.0 : -1.0; }, 0.003,
                     rsFound, 0.02},
        // Flat far from the root and steep near it.
        TFallingCase{"SteepNearTheRoot", [](double x) { return std::atan((0.3 - x) * 1e6); }, 1e-6,
                     rsFound, 0.3},
        TFallingCase{"RootBelowTheRange", [](double x) { return 1e-7 - x; }, 0.01, rsBelowRange, 0},
        TFallingCase{"RootAboveTheRange", [](double x) { return 2.0 - x; }, 0.01, rsAboveRange, 0}),
    TParamName());

TEST(FallingRoot, AValueThatIsNotFiniteIsAFault)
{
    EXPECT_THROW(FindFallingRoot([](double x) { return x < 0.1 ? 1.0 : std::nan(""); }, 0.01),
                 EInvalidOp);
    EXPECT_THROW(FindFallingRoot([](double) { return -HUGE_VAL; }, 0.01), EInvalidOp);
}

TEST(FallingRoot, EvaluationsAreBoundedAndTheToleranceIsRelative)
{
    TRootSearch search;
    search.MaxEvaluations = 8;
    const auto f = [](double x) { return std::atan((0.3 - x) * 1e6); };
    const TRootResult capped = FindFallingRoot(f, 1e-6, search);
    EXPECT_EQ(capped.Status, rsNotSettled);
    EXPECT_LE(capped.Evaluations, 8);

    search = {};
    search.RelativeTolerance = 1e-3;
    const TRootResult loose =
        FindFallingRoot([](double x) { return 1e-4 / x - 1.0; }, 1e-6, search);
    EXPECT_EQ(loose.Status, rsFound);
    EXPECT_NEAR(loose.X, 1e-4, 2e-3 * 1e-4);
}

} // namespace
