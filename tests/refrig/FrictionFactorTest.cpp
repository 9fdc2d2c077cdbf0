#include "refrig/FrictionFactor.h"

#include "common/Errors.h"
#include "refrig/NumericHelpers.h"
#include "support/ParamName.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct TRegimeCase {
    const char* Name;
    double Re, D, e, f0;
    double Expected;
};

class FrictionRegimes : public testing::TestWithParam<TRegimeCase> {};

TEST_P(FrictionRegimes, GivesTheRegimeValue)
{
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(FrictionFactor(c.Re, c.D, c.e, c.f0), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrictionRegimes,
    testing::Values(TRegimeCase{"LaminarJustBelowTransition", 2299.9, 0.0016, 1.5e-6, 0,
                                64 / 2299.9},
                    TRegimeCase{"LaminarSlowFlowCapped", 50, 0.0016, 1.5e-6, 0, 0.02},
                    TRegimeCase{"LaminarAt64", 64, 0.0016, 1.5e-6, 0, 1.0},
                    TRegimeCase{"NoFlowKeepsAPlausibleGuess", 0, 0.0016, 1.5e-6, 0.03, 0.03},
                    TRegimeCase{"NoFlowRejectsGuessAboveOne", 0, 0.0016, 1.5e-6, 1.5, 0.02},
                    TRegimeCase{"ReverseFlowRejectsNegativeGuess", -10, 0.0016, 1.5e-6, -0.1, 0.02},
                    TRegimeCase{"FullyRough", 1e8, 0.001, 0.0001, 0,
                                1 / std::pow(1.14 - 2 * std::log10(0.1), 2)}),
    TParamName());

// 1/√f = 2·log10(Re·√f) − 0.8
double SmoothResidual(double Re, double f)
{
    return 1 / std::sqrt(f) - (2 * std::log10(Re * std::sqrt(f)) - 0.8);
}

// 1/√f = −2·log10(r/3.71 + 2.51/(Re·√f))
double ColebrookResidual(double Re, double r, double f)
{
    return 1 / std::sqrt(f) + 2 * std::log10(r / 3.71 + 2.51 / (Re * std::sqrt(f)));
}

TEST(FrictionFactor, TransitionAt2300IsTurbulent)
{
    // 64/2300 would be 0.0278; the turbulent laws give less at this Reynolds number.
    const double f = FrictionFactor(2300, 0.0016, 1.5e-6, 0.33 * std::pow(2300, -0.25));
    EXPECT_NE(f, 64 / 2300.0);
    EXPECT_NEAR(ColebrookResidual(2300, 1.5e-6 / 0.0016, f), 0, 1e-5);
}

TEST(FrictionFactor, SmoothPipeSolvesItsLaw)
{
    for (const double Re : {4000.0, 1e5, 1e7}) {
        for (const double guess : {0.0, 0.02}) {
            const double f = FrictionFactor(Re, 0.0016, 0, guess);
            EXPECT_NEAR(SmoothResidual(Re, f), 0, 1e-5) << Re << " from " << guess;
        }
    }
    EXPECT_NEAR(FrictionFactor(1e5, 0.0016, 0, 0), 0.01799, 5e-5);
}

TEST(FrictionFactor, TubeOfTheSimulationTakesTheColebrookBranch)
{
    // r ≈ 0.00094: √f·Re·r is far below 200.
    const double r = 1.5e-6 / 0.0016;
    const double f = FrictionFactor(1e5, 0.0016, 1.5e-6, 0.33 * std::pow(1e5, -0.25));
    EXPECT_NE(f, RoughPipeFactor(r));
    EXPECT_NEAR(ColebrookResidual(1e5, r, f), 0, 1e-5);
    // Without a guess the iteration starts from the fully rough value.
    EXPECT_NEAR(FrictionFactor(1e5, 0.0016, 1.5e-6, 0), f, 1e-9);
}

TEST(FrictionFactor, ArithmeticFaultsAreRaised)
{
    EXPECT_THROW(FrictionFactor(1e5, 0, 1.5e-6, 0.02), EZeroDivide);
    EXPECT_THROW(SmoothPipeFactor(1e5, -0.01), EInvalidOp);
    EXPECT_THROW(ColebrookFactor(1e5, 0.001, -0.01), EInvalidOp);
    EXPECT_THROW(RoughPipeFactor(0), EInvalidOp);
}

TEST(FrictionFactorPair, EachIsWhatItGivesAlone)
{
    // Both in the Colebrook branch, with different iteration counts, and pairs
    // where one or both take another regime.
    const TFrictionFlow flows[] = {{2300, 0.0}, {4000, 0.04},   {31000, 0.0055}, {1e5, 0.0187},
                                   {2e5, 0.0},  {1e8, 0.01},    {2299.9, 0.03},  {0, 0.03},
                                   {-10, -0.1}, {6.3e5, 0.0117}};
    for (const double roughness : {1.5e-6, 0.0, 1e-4}) {
        for (const auto& a : flows) {
            for (const auto& b : flows) {
                const auto [fa, fb] = FrictionFactorPair(a, b, 0.0016, roughness);
                // Bit for bit: the same operations on the same numbers.
                EXPECT_EQ(fa, FrictionFactor(a.Re, 0.0016, roughness, a.InitialGuess))
                    << a.Re << " with " << b.Re << ", roughness " << roughness;
                EXPECT_EQ(fb, FrictionFactor(b.Re, 0.0016, roughness, b.InitialGuess))
                    << b.Re << " with " << a.Re << ", roughness " << roughness;
            }
        }
    }
}

TEST(FrictionFactorPair, RaisesTheFaultOfEither)
{
    const TFrictionFlow good{1e5, 0.0187};
    const TFrictionFlow negativeGuess{1e5, -0.01};
    EXPECT_THROW(FrictionFactorPair(good, negativeGuess, 0.0016, 1.5e-6), EInvalidOp);
    EXPECT_THROW(FrictionFactorPair(negativeGuess, good, 0.0016, 1.5e-6), EInvalidOp);
    EXPECT_THROW(FrictionFactorPair(good, good, 0, 1.5e-6), EZeroDivide);
}

TEST(NumericHelpers, SignOfAndIsBetween)
{
    EXPECT_EQ(SignOf(0.0), 1.0);
    EXPECT_EQ(SignOf(-0.0), 1.0);
    EXPECT_EQ(SignOf(-1e-300), -1.0);
    struct {
        int a, b, c;
        bool expected;
    } const cases[] = {{1, 2, 3, true},  {3, 2, 1, true},  {1, 1, 3, true}, {1, 3, 3, true},
                       {1, 4, 3, false}, {3, 0, 1, false}, {2, 2, 2, true}, {-5, -6, 5, false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsBetween(c.a, c.b, c.c), c.expected) << c.a << " " << c.b << " " << c.c;
}

} // namespace
