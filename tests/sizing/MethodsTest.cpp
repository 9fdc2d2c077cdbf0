#include "common/Errors.h"
#include "common/Format.h"
#include "sizing/Choi.h"
#include "sizing/RefrigEffect.h"
#include "sizing/SolveTexts.h"
#include "sizing/Stoecker.h"
#include "sizing/Wolf.h"
#include "support/ParamName.h"
#include "support/TempDir.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct TTable : TStepSink {
    std::vector<std::string> Rows{"old row"};
    void ClearSteps() override { Rows.clear(); }
    void AddStep(const TStoeckerStep& step) override { Rows.push_back(StepRowText(step)); }
};

TEST(WorkedExample, RefrigeratingEffect)
{
    const TRefrigLib lib;
    EXPECT_EQ(RefrigEffectText(RefrigeratingEffect(lib, WorkedExample())),
              "Refrigerating Effect = 169.3 kJ/kg");
}

TEST(WorkedExample, Correlations)
{
    const TRefrigLib lib;
    EXPECT_EQ(WolfLabel(SolveWolf(lib, WorkedExample())), "Wolf method L = 3.199m");
    EXPECT_EQ(ChoiLabel(SolveChoi(lib, WorkedExample())), "Choi method L = 3.393m");
}

TEST(WorkedExample, StepwiseSimulation)
{
    const TRefrigLib lib;
    TTable table;
    TStoeckerResults results;
    results.Choked = true;
    const TStoeckerOutcome outcome = SolveStoecker(lib, WorkedExample(), results, table);
    EXPECT_FALSE(outcome.Refused);
    ASSERT_EQ(table.Rows.size(), 28U);
    EXPECT_EQ(table.Rows.front(), "38\t1473.7\t0.008\t0.000998\t248.60\t4.781\t0.3391\t0.339");
    EXPECT_EQ(table.Rows.back().substr(0, 3), "11\t");
    EXPECT_NEAR(results.LeavingTemp, 11.19, 0.005);
    EXPECT_EQ(LeavingTempText(results.LeavingTemp), "11.2 °C");
    EXPECT_EQ(StoeckerLabel(results.Length), "Stoecker method = 2.996 m");
    EXPECT_FALSE(results.Choked);
}

TEST(Wolf, TwoPhaseInletForZeroOrNegativeSubCooling)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.sc = 0.0;
    EXPECT_EQ(WolfLabel(SolveWolf(lib, c)), "Wolf method L = 1.832m");
    // A negative sub-cooling also takes the two-phase form, with the inlet
    // above tc; it must not fail.
    c.sc = -2.0;
    EXPECT_GT(SolveWolf(lib, c), 0);
}

TEST(Choi, SubCoolingOfZeroDividesByZeroAndNegativeIsInvalid)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.sc = 0.0;
    EXPECT_THROW(SolveChoi(lib, c), EZeroDivide);
    c.sc = -1.0;
    EXPECT_THROW(SolveChoi(lib, c), EInvalidOp);
}

TEST(Correlations, DependOnlyOnTheInletAndTheTube)
{
    const TRefrigLib lib;
    const double wolf = SolveWolf(lib, WorkedExample());
    const double choi = SolveChoi(lib, WorkedExample());
    TDesignCase c = WorkedExample();
    c.te = -20.0;
    c.pc = 2000.0;
    c.pe = 100.0;
    c.sh = 15.0;
    c.dp = 0.0;
    c.dpEvap = 400.0;
    c.Qe = "not read";
    EXPECT_EQ(SolveWolf(lib, c), wolf);
    EXPECT_EQ(SolveChoi(lib, c), choi);
}

TEST(Correlations, TextThatIsNotANumberFailsWhenRead)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.id = "1,63";
    EXPECT_THROW(SolveWolf(lib, c), EConvertError);
    c.id = " 1.63 "; // a text that does convert is read
    EXPECT_EQ(SolveWolf(lib, c), SolveWolf(lib, WorkedExample()));
}

// Temperatures the simulation refuses, with the messages the user reads.
struct TRefusalCase {
    const char* Name;
    double tc, te;
    const char* Message; // empty: accepted
};

class StoeckerChecks : public testing::TestWithParam<TRefusalCase> {};

TEST_P(StoeckerChecks, RefuseOrAccept)
{
    const TRefrigLib lib;
    const auto& p = GetParam();
    TDesignCase c = WorkedExample();
    c.tc = p.tc;
    c.te = p.te;
    TTable table;
    TStoeckerResults results{1.5, 7.0, true};
    const TStoeckerOutcome outcome = SolveStoecker(lib, c, results, table);
    EXPECT_EQ(outcome.Message, p.Message);
    EXPECT_EQ(outcome.Refused, std::string(p.Message).size() > 0);
    if (outcome.Refused) {
        // Nothing of the previous solution is touched.
        EXPECT_EQ(table.Rows, std::vector<std::string>{"old row"});
        EXPECT_EQ(results.Length, 1.5);
        EXPECT_EQ(results.LeavingTemp, 7.0);
        EXPECT_TRUE(results.Choked);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoeckerChecks,
    testing::Values(TRefusalCase{"TeAboveTc", 40, 41, "te must be less than tc..."},
                    TRefusalCase{"TeEqualTcPasses", 40, 40, ""},
                    TRefusalCase{"TeBelowRange", 40, -60.5,
                                 "te is out of range...\r\n[-60.0..88.9]"},
                    TRefusalCase{"TeAtLowerEnd", 40, -60, ""},
                    TRefusalCase{"TeAboveRange", 40, 89, "te is out of range...\r\n[-60.0..88.9]"},
                    TRefusalCase{"TcAboveRange", 89, 5, "tc is out of range...\r\n[-60.0..88.9]"},
                    TRefusalCase{"TcAtUpperEnd", 88.88, 5, ""}),
    TParamName());

TEST(Stoecker, TeRangeReachesThirtyKelvinBelowAHighMinimum)
{
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[W]\nRNumber=W\nTMin=-30\n"));
    lib.SelectRefrigerant("W");
    TDesignCase c = WorkedExample();
    TTable table;
    TStoeckerResults results;
    c.te = -60.0;
    c.tc = -40.0;
    EXPECT_EQ(SolveStoecker(lib, c, results, table).Message,
              "tc is out of range...\r\n[-60.0..88.9]");
    c.tc = -30.0;
    EXPECT_FALSE(SolveStoecker(lib, c, results, table).Refused);
    c.te = -60.5;
    EXPECT_EQ(SolveStoecker(lib, c, results, table).Message,
              "te is out of range...\r\n[-60.0..88.9]");
}

TEST(Stoecker, EvaporatorAboveTheStartTakesExactlyOneStep)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.te = 40.0;
    c.pe = 1540.346;
    TTable table;
    TStoeckerResults results;
    SolveStoecker(lib, c, results, table);
    EXPECT_EQ(table.Rows.size(), 1U);
}

TEST(Stoecker, WithoutSubCoolingTheStepsStartAtTc)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.sc = 0.0;
    TTable table;
    TStoeckerResults results;
    SolveStoecker(lib, c, results, table);
    EXPECT_EQ(table.Rows.front().substr(0, 3), "39\t");
}

TEST(Stoecker, ChokedFlowEndsOnANegativeStep)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    TTable table;
    TStoeckerResults results;
    c.mr = 0.02;
    SolveStoecker(lib, c, results, table);
    EXPECT_TRUE(results.Choked);
    EXPECT_EQ(table.Rows.back(), "15\t797.1\t0.152\t0.005230\t247.38\t50.125\t-0.0006\t0.484");
    EXPECT_EQ(StoeckerLabel(results.Length), "Stoecker method = 0.484 m");
    // So much flow that the first step already chokes: no positive length.
    c.mr = 0.05;
    SolveStoecker(lib, c, results, table);
    EXPECT_TRUE(results.Choked);
    EXPECT_EQ(table.Rows.size(), 1U);
    EXPECT_EQ(StoeckerLabel(results.Length), "Stoecker method = *****");
}

TEST(Stoecker, FaultBeforeTheTableIsClearedKeepsTheOldTable)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.pc = "abc";
    TTable table;
    TStoeckerResults results{1.5, 7.0, true};
    EXPECT_THROW(SolveStoecker(lib, c, results, table), EConvertError);
    EXPECT_EQ(table.Rows, std::vector<std::string>{"old row"});
    EXPECT_EQ(results.LeavingTemp, 7.0);
}

TEST(Stoecker, FaultInALaterStepComesInItsTurn)
{
    // A vapour viscosity that turns negative below a temperature makes the
    // two-phase viscosity negative there, and the friction factor's start
    // value takes the logarithm of a negative Reynolds number. Without
    // sub-cooling the steps end at 39, 38, ... °C; a step's outlet and
    // friction factor may be worked out with the step before, but the fault
    // comes after the rows of the steps before it, whichever step it is in.
    struct {
        const char* Uv; // µPa·s, root at 30.5 or 31.5 °C
        std::size_t RowsBefore;
    } const cases[] = {{"-3050000,100000,0,0", 9}, {"-3150000,100000,0,0", 8}};
    for (const auto& c : cases) {
        TTempDir dir;
        TRefrigLib lib(dir.Write("lib.rdf", std::string("[V]\nRNumber=V\nuv=") + c.Uv + "\n"));
        lib.SelectRefrigerant("V");
        TDesignCase designCase = WorkedExample();
        designCase.sc = 0.0;
        TTable table;
        TStoeckerResults results{1.5, 7.0, true};
        EXPECT_THROW(SolveStoecker(lib, designCase, results, table), EInvalidOp) << c.Uv;
        ASSERT_EQ(table.Rows.size(), c.RowsBefore) << c.Uv;
        EXPECT_EQ(table.Rows.back().substr(0, 3), std::to_string(40 - c.RowsBefore) + "\t");
        EXPECT_EQ(StoeckerLabel(results.Length),
                  "Stoecker method = " +
                      table.Rows.back().substr(table.Rows.back().rfind('\t') + 1) + " m");
        EXPECT_EQ(results.LeavingTemp, 7.0);
    }
}

TEST(Stoecker, NoVolumeChangeOnBoilingIsAnInvalidOperation)
{
    // Vapour volume made equal to the liquid volume: the quadratic of the
    // energy balance loses its x² term and its solution is 0/0.
    TTempDir dir;
    TRefrigLib lib(dir.Write("lib.rdf", "[V]\nRNumber=V\nvv=0.0,0,0.0007803834,2.02297e-06,"
                                        "1.027511e-08,1.380161e-10\n"));
    lib.SelectRefrigerant("V");
    TTable table;
    TStoeckerResults results{1.5, 7.0, true};
    EXPECT_THROW(SolveStoecker(lib, WorkedExample(), results, table), EInvalidOp);
    EXPECT_TRUE(table.Rows.empty());
    EXPECT_FALSE(results.Choked);
    EXPECT_EQ(results.LeavingTemp, 7.0);
    EXPECT_NEAR(results.Length, 0, 1e-5); // only the entry section
}

} // namespace
