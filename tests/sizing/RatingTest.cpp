#include "sizing/Rating.h"

#include "common/CheckedMath.h"
#include "sizing/Choi.h"
#include "sizing/RatingFields.h"
#include "sizing/RefrigEffect.h"
#include "sizing/Stoecker.h"
#include "sizing/Wolf.h"
#include "support/ParamName.h"
#include "support/TempDir.h"
#include "support/WorkedExample.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

namespace {

// A case on the selected refrigerant with its pressures on the dew line.
TDesignCase CaseOn(const TRefrigLib& lib, double tc, double te, double sc, double id, double mr)
{
    TDesignCase c;
    c.tc = tc;
    c.te = te;
    c.sc = sc;
    c.id = id;
    c.mr = mr;
    c.pc = Checked::ToDouble(lib.DewPressure(tc) * 0.001L);
    c.pe = Checked::ToDouble(lib.DewPressure(te) * 0.001L);
    return c;
}

double SizedLength(const TRefrigLib& lib, const TDesignCase& c, TSizingMethod method)
{
    const TMethodLength sized = MethodLength(lib, c, method);
    EXPECT_TRUE(sized.Solved) << sized.Message;
    return sized.Length;
}

// What every rating must satisfy whatever its input.
void ExpectWellFormed(const TRating& r)
{
    EXPECT_TRUE(std::isfinite(r.MassFlow));
    EXPECT_TRUE(std::isfinite(r.Duty));
    EXPECT_LE(r.Evaluations, RatingMaxEvaluations);
    if (r.Rated) {
        EXPECT_TRUE(r.Message.empty()) << r.Message;
        EXPECT_GE(r.MassFlow, RatingFlowLo);
        EXPECT_LE(r.MassFlow, RatingFlowHi);
    } else {
        EXPECT_FALSE(r.Message.empty());
        EXPECT_EQ(r.MassFlow, 0);
        EXPECT_EQ(r.Duty, 0);
        EXPECT_FALSE(r.Choked);
    }
}

TEST(WorkedExample, EachMethodRatesItsOwnLengthBackToTheDesignFlow)
{
    const TRefrigLib lib;
    const TDesignCase c = WorkedExample();
    const double effect = RefrigeratingEffect(lib, c);
    for (const TSizingMethod method : SizingMethods) {
        SCOPED_TRACE(MethodName(method));
        const TRating r = RateTube(lib, c, SizedLength(lib, c, method), method);
        ASSERT_TRUE(r.Rated) << r.Message;
        EXPECT_EQ(r.Method, method);
        EXPECT_NEAR(r.MassFlow, 0.01, 1e-6 * 0.01);
        EXPECT_DOUBLE_EQ(r.Duty, r.MassFlow * effect);
        EXPECT_NEAR(r.Duty, 1.693, 0.0005);
        EXPECT_FALSE(r.Choked);
        EXPECT_LE(r.Evaluations, 15);
    }
}

TEST(WorkedExample, ShownLengthsRateCloseToTheDesignFlow)
{
    // The lengths as the window shows them, to the millimetre: a flow within
    // what a millimetre in three metres makes of it.
    const TRefrigLib lib;
    const auto ratings = RateTube(lib, WorkedExample(), 2.996);
    EXPECT_NEAR(ratings[smStoecker].MassFlow, 0.01, 1e-6);
    EXPECT_NEAR(RateTube(lib, WorkedExample(), 3.199, smWolf).MassFlow, 0.01, 1e-6);
    EXPECT_NEAR(RateTube(lib, WorkedExample(), 3.393, smChoi).MassFlow, 0.01, 1e-6);
    // The design flow is only where the search starts.
    TDesignCase elsewhere = WorkedExample();
    elsewhere.mr = "not read";
    const auto again = RateTube(lib, elsewhere, 2.996);
    for (const TSizingMethod method : SizingMethods)
        EXPECT_NEAR(again[method].MassFlow, ratings[method].MassFlow, 2e-9 * 0.01);
}

TEST(WorkedExample, RatedValuesShowAsTheirDesignFieldsShow)
{
    const TRefrigLib lib;
    const TRating r = RateTube(lib, WorkedExample(), 2.996, smStoecker);
    const auto shown = [](TRatingField field, double value) {
        const TResultField& f = RatingFields[field];
        return FormatByType(value, f.FormatStr, f.FormatType, f.SigDigs,
                            FormatDecimalsOf(f.FormatStr));
    };
    EXPECT_EQ(shown(rfMassFlow, r.MassFlow), "0.0100");
    EXPECT_EQ(shown(rfDuty, r.Duty), "1.693");
    EXPECT_EQ(shown(rfMassFlow, 0.0234567), "0.0235");
    EXPECT_STREQ(RatingFields[rfChoked].Key, "choked");
}

TEST(WorkedExample, ShortTubeChokesTheSimulation)
{
    // At 0.02 kg/s the simulation chokes after 0.484 m: that tube passes
    // 0.02 kg/s, choked.
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.mr = 0.02;
    TStoeckerResults sized;
    struct : TStepSink {
        void ClearSteps() override {}
        void AddStep(const TStoeckerStep&) override {}
    } steps;
    SolveStoecker(lib, c, sized, steps);
    ASSERT_TRUE(sized.Choked);
    const TRating r = RateTube(lib, WorkedExample(), sized.Length, smStoecker);
    ASSERT_TRUE(r.Rated) << r.Message;
    EXPECT_TRUE(r.Choked);
    EXPECT_NEAR(r.MassFlow, 0.02, 1e-6 * 0.02);
    EXPECT_FALSE(RateTube(lib, WorkedExample(), sized.Length, smWolf).Choked);
}

// Design cases over the shipped library: each method's sized length rates
// back to the design flow.
struct TRoundTrip {
    const char* Name;
    const char* Refrigerant;
    double tc, te, sc, id, mr;
};

class RoundTrip : public testing::TestWithParam<TRoundTrip> {};

TEST_P(RoundTrip, SizedLengthRatesBackToTheDesignFlow)
{
    const auto& p = GetParam();
    TRefrigLib lib(ShippedLibraryFile());
    lib.SelectRefrigerant(p.Refrigerant);
    ASSERT_EQ(lib.CurrentName(), p.Refrigerant);
    const TDesignCase c = CaseOn(lib, p.tc, p.te, p.sc, p.id, p.mr);
    for (const TSizingMethod method : SizingMethods) {
        SCOPED_TRACE(MethodName(method));
        const double length = SizedLength(lib, c, method);
        ASSERT_GT(length, 0.05);
        const TRating r = RateTube(lib, c, length, method);
        ASSERT_TRUE(r.Rated) << r.Message;
        EXPECT_NEAR(r.MassFlow, p.mr, 1e-6 * p.mr);
        EXPECT_EQ(r.Choked, MethodLength(lib, c, method).Choked);
        EXPECT_LE(r.Evaluations, 40);
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedLibrary, RoundTrip,
                         testing::Values(TRoundTrip{"R134a_06", "R134a", 40, -10, 3, 0.6, 0.0006},
                                         TRoundTrip{"R134a_10", "R134a", 45, -25, 5, 1.0, 0.0025},
                                         TRoundTrip{"R134a_14", "R134a", 35, 0, 2, 1.4, 0.006},
                                         TRoundTrip{"R134a_22", "R134a", 50, 5, 8, 2.2, 0.02},
                                         TRoundTrip{"R404A_08", "R404A", 40, -30, 4, 0.8, 0.002},
                                         TRoundTrip{"R404A_12", "R404A", 35, -10, 2, 1.2, 0.005},
                                         TRoundTrip{"R404A_18", "R404A", 45, -20, 6, 1.8, 0.018},
                                         TRoundTrip{"R404A_22", "R404A", 30, -35, 3, 2.2, 0.022},
                                         TRoundTrip{"R410A_06", "R410A", 40, 5, 5, 0.6, 0.0012},
                                         TRoundTrip{"R410A_10", "R410A", 45, 0, 3, 1.0, 0.005},
                                         TRoundTrip{"R410A_15", "R410A", 35, 10, 2, 1.5, 0.011},
                                         TRoundTrip{"R410A_20", "R410A", 50, -5, 6, 2.0, 0.03},
                                         TRoundTrip{"R290_07", "R290", 40, -15, 4, 0.7, 0.0008},
                                         TRoundTrip{"R290_11", "R290", 35, -5, 2, 1.1, 0.0025},
                                         TRoundTrip{"R290_16", "R290", 45, 5, 5, 1.6, 0.007},
                                         TRoundTrip{"R290_22", "R290", 50, -20, 7, 2.2, 0.017},
                                         TRoundTrip{"R600a_06", "R600a", 40, -25, 3, 0.6, 0.0003},
                                         TRoundTrip{"R600a_09", "R600a", 45, -20, 5, 0.9, 0.0008},
                                         TRoundTrip{"R600a_13", "R600a", 35, -30, 2, 1.3, 0.0017},
                                         TRoundTrip{"R600a_17", "R600a", 50, -15, 6, 1.7, 0.0045},
                                         TRoundTrip{"R717_06", "R717", 40, -10, 4, 0.6, 0.0006},
                                         TRoundTrip{"R717_10", "R717", 35, -20, 2, 1.0, 0.002},
                                         TRoundTrip{"R717_14", "R717", 45, 0, 5, 1.4, 0.0055},
                                         TRoundTrip{"R717_19", "R717", 30, -30, 3, 1.9, 0.009},
                                         TRoundTrip{"R32_07", "R32", 40, 0, 4, 0.7, 0.0017},
                                         TRoundTrip{"R32_12", "R32", 45, -10, 6, 1.2, 0.0075},
                                         TRoundTrip{"R32_163", "R32", 35, 5, 2, 1.63, 0.014},
                                         TRoundTrip{"R32_21", "R32", 50, -15, 5, 2.1, 0.032},
                                         TRoundTrip{"R407C_08", "R407C", 40, 0, 4, 0.8, 0.0019},
                                         TRoundTrip{"R407C_13", "R407C", 45, -5, 3, 1.3, 0.0075},
                                         TRoundTrip{"R1234yf_09", "R1234yf", 40, -10, 5, 0.9,
                                                    0.0018},
                                         TRoundTrip{"R1234yf_16", "R1234yf", 35, 0, 3, 1.6, 0.007},
                                         TRoundTrip{"R152a_11", "R152a", 40, -15, 3, 1.1, 0.0025},
                                         TRoundTrip{"R507A_22", "R507A", 35, -30, 4, 2.2, 0.025},
                                         TRoundTrip{"R22_06", "R22", 45, -20, 4, 0.6, 0.001}),
                         TParamName());

// Over a grid of lengths and bores, on several refrigerants, each method's
// flow rises as the tube is shortened and as the bore grows.
TEST(Rating, FlowRisesAsTheTubeShortensAndTheBoreGrows)
{
    TRefrigLib lib(ShippedLibraryFile());
    const double lengths[] = {0.05, 0.2, 0.5, 1.0, 2.0, 4.0, 8.0, 20.0};
    const double bores[] = {0.5, 0.7, 1.0, 1.3, 1.63, 2.0, 2.5};
    for (const char* refrigerant : {"R22", "R134a", "R410A", "R600a"}) {
        lib.SelectRefrigerant(refrigerant);
        const TDesignCase base = CaseOn(lib, 40, -10, 4, 1.0, 0.005);
        double flows[std::size(bores)][std::size(lengths)][3];
        for (std::size_t b = 0; b < std::size(bores); ++b) {
            TDesignCase c = base;
            c.id = bores[b];
            for (std::size_t l = 0; l < std::size(lengths); ++l) {
                const auto ratings = RateTube(lib, c, lengths[l]);
                for (const TSizingMethod m : SizingMethods) {
                    ASSERT_TRUE(ratings[m].Rated)
                        << refrigerant << ' ' << MethodName(m) << ' ' << bores[b] << " mm "
                        << lengths[l] << " m: " << ratings[m].Message;
                    flows[b][l][m] = ratings[m].MassFlow;
                }
            }
        }
        for (const TSizingMethod m : SizingMethods) {
            for (std::size_t b = 0; b < std::size(bores); ++b) {
                for (std::size_t l = 0; l < std::size(lengths); ++l) {
                    SCOPED_TRACE(std::string(refrigerant) + " " + MethodName(m) + " " +
                                 std::to_string(bores[b]) + " mm " + std::to_string(lengths[l]) +
                                 " m");
                    if (l > 0) {
                        EXPECT_LT(flows[b][l][m], flows[b][l - 1][m]);
                    }
                    if (b > 0) {
                        EXPECT_GT(flows[b][l][m], flows[b - 1][l][m]);
                    }
                }
            }
        }
    }
}

// Inputs at and beyond the ends: never a crash, a hang or a NaN, and the
// reason in words when there is no flow.
struct TEdgeCase {
    const char* Name;
    const char* Refrigerant; // empty: the built-in R22
    double tc, te, id, length;
    // The start of each method's message; empty: rated.
    const char* Wolf;
    const char* Choi;
    const char* Stoecker;
};

class RatingEdges : public testing::TestWithParam<TEdgeCase> {};

TEST_P(RatingEdges, AnswerOrSayWhy)
{
    const auto& p = GetParam();
    TRefrigLib lib(ShippedLibraryFile());
    if (*p.Refrigerant != 0)
        lib.SelectRefrigerant(p.Refrigerant);
    const TDesignCase c = CaseOn(lib, p.tc, p.te, 5, p.id, 0.01);
    const auto ratings = RateTube(lib, c, p.length);
    const char* expected[] = {p.Wolf, p.Choi, p.Stoecker};
    for (const TSizingMethod m : SizingMethods) {
        SCOPED_TRACE(MethodName(m));
        ExpectWellFormed(ratings[m]);
        EXPECT_EQ(ratings[m].Message.substr(0, std::string(expected[m]).size()), expected[m])
            << ratings[m].Message;
        EXPECT_EQ(ratings[m].Rated, *expected[m] == 0);
    }
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, RatingEdges,
    testing::Values(TEdgeCase{"ShortestTubeSmallestBore", "", 40, 5, 0.5, 0.05, "", "", ""},
                    TEdgeCase{"LongestTubeSmallestBore", "", 40, 5, 0.5, 20, "", "", ""},
                    TEdgeCase{"ShortestTubeLargestBore", "", 40, 5, 2.5, 0.05, "", "", ""},
                    TEdgeCase{"LongestTubeLargestBore", "", 40, 5, 2.5, 20, "", "", ""},
                    TEdgeCase{"InchBores", "R134a", 40, -10, 0.026 * 25.4, 20, "", "", ""},
                    TEdgeCase{"TooLong", "", 40, 5, 1.63, 1e12,
                              "the tube passes less than 0.000001 kg/s",
                              "the tube passes less than 0.000001 kg/s",
                              "the tube passes less than 0.000001 kg/s"},
                    // The simulation's length falls below zero when its first step
                    // chokes: a tube of a nanometre still has a (choked) flow.
                    TEdgeCase{"TooShort", "", 40, 5, 1.63, 1e-9, "the tube passes more than 1 kg/s",
                              "the tube passes more than 1 kg/s", ""},
                    TEdgeCase{"ZeroLength", "", 40, 5, 1.63, 0, "the tube length must be",
                              "the tube length must be", "the tube length must be"},
                    TEdgeCase{"NegativeLength", "", 40, 5, 1.63, -2, "the tube length must be",
                              "the tube length must be", "the tube length must be"},
                    TEdgeCase{"LengthNotANumber", "", 40, 5, 1.63, NaN, "the tube length must be",
                              "the tube length must be", "the tube length must be"},
                    TEdgeCase{"InfiniteLength", "", 40, 5, 1.63, Inf, "the tube length must be",
                              "the tube length must be", "the tube length must be"},
                    // Above its critical point and with the evaporator above the
                    // condenser, no method rates: each says why in the same words.
                    TEdgeCase{"R744AboveCritical", "R744", 40, -10, 1.0, 2.0,
                              "the case is refused: tc is out of range... [-55.0..24.8]",
                              "the case is refused: tc is out of range... [-55.0..24.8]",
                              "the case is refused: tc is out of range... [-55.0..24.8]"},
                    TEdgeCase{"EvaporatorAboveCondenser", "R134a", 30, 35, 1.0, 2.0,
                              "the case is refused: te must be less than tc...",
                              "the case is refused: te must be less than tc...",
                              "the case is refused: te must be less than tc..."}),
    TParamName());

TEST(Rating, WithoutSubCoolingChoFaultsAndTheOthersRate)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.sc = 0.0;
    const auto ratings = RateTube(lib, c, 2.0);
    EXPECT_TRUE(ratings[smWolf].Rated);
    EXPECT_EQ(ratings[smChoi].Message,
              "at a mass flow of 0.010000 kg/s, the calculation failed: Floating point division "
              "by zero");
    EXPECT_TRUE(ratings[smStoecker].Rated);
    for (const TRating& r : ratings)
        ExpectWellFormed(r);
}

TEST(Rating, TextThatIsNotANumberIsToldAndNothingElseBreaks)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.Qe = "not read";
    c.id = " 1.63 ";
    const auto read = RateTube(lib, c, 2.0);
    const auto plain = RateTube(lib, WorkedExample(), 2.0);
    for (const TSizingMethod m : SizingMethods)
        EXPECT_EQ(read[m].MassFlow, plain[m].MassFlow);

    c.id = "1,63";
    for (const TRating& r : RateTube(lib, c, 2.0)) {
        ExpectWellFormed(r);
        EXPECT_NE(r.Message.find("the calculation failed: "), std::string::npos) << r.Message;
    }
    c = WorkedExample();
    c.sh = "abc"; // the refrigerating effect reads it
    for (const TRating& r : RateTube(lib, c, 2.0)) {
        ExpectWellFormed(r);
        EXPECT_EQ(r.Message.rfind("the refrigerating effect could not be found: ", 0), 0U)
            << r.Message;
    }
}

TEST(Rating, SimulationFaultIsToldWithItsFlow)
{
    // Vapour volume equal to the liquid volume: every run of the simulation
    // meets 0/0 in its energy balance.
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[V]\nRNumber=V\nvv=0.0,0,0.0007803834,2.02297e-06,"
                                        "1.027511e-08,1.380161e-10\n"));
    lib.SelectRefrigerant("V");
    const TRating r = RateTube(lib, WorkedExample(), 2.0, smStoecker);
    ExpectWellFormed(r);
    EXPECT_EQ(r.Message, "at a mass flow of 0.010000 kg/s, the calculation failed: Invalid "
                         "floating point operation");
    EXPECT_EQ(r.Evaluations, 1);
}

} // namespace
