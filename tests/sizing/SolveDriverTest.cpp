#include "sizing/SolveDriver.h"

#include "common/CheckedMath.h"
#include "common/Errors.h"
#include "sizing/CaseRules.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveTexts.h"
#include "support/ParamName.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

// Records what the window would show, in order.
struct TRecorder : TSolveView {
    std::vector<std::string> Log;
    std::vector<std::string> Rows{"old row"};
    int FailAtRow = -1;

    void ClearSteps() override { Rows.clear(); }
    void AddStep(const TStoeckerStep& step) override
    {
        if (static_cast<int>(Rows.size()) == FailAtRow)
            throw EOverflow();
        Rows.push_back(StepRowText(step));
    }
    void ShowMethod(TSizingMethod method, const TMethodResult& r) override
    {
        const TSizingMethodEntry& entry = MethodEntry(method);
        Log.push_back(entry.Label(r.Length) +
                      (entry.Simulates ? " / " + LeavingTempText(r.LeavingTemp) : ""));
    }
    void ShowRefusal(const std::string& message) override { Log.push_back("box: " + message); }
    void ShowCapillaryLength(double choi) override { Log.push_back(CapillaryLengthText(choi)); }
    void ShowSolved(bool solved) override { Log.push_back(SolvedText(solved)); }
};

TEST(RunSolve, WorkedExampleShowsEveryResultInOrder)
{
    const TRefrigLib lib;
    TRecorder view;
    TSolveResults results;
    const TSolveOutcome outcome = RunSolve(lib, WorkedExample(), results, view);
    EXPECT_TRUE(outcome.Solved);
    EXPECT_TRUE(results.Solved);
    EXPECT_EQ(results.Status[smStoecker], TMethodStatus::Ok);
    EXPECT_EQ(view.Log,
              (std::vector<std::string>{"Wolf method L = 3.199m", "Choi method L = 3.393m",
                                        "Stoecker method = 2.996 m / 11.2 °C",
                                        "Capillary Length = 3.393 m", "Solved.."}));
    EXPECT_EQ(view.Rows.size(), 28U);
}

TEST(RunSolve, FaultInChoKeepsWolfAndTheOldResults)
{
    const TRefrigLib lib;
    TRecorder view;
    TSolveResults results;
    results.Method(smChoi).Length = 9.0;
    results.Method(smStoecker) = {2.5, 10.0, false};
    TDesignCase c = WorkedExample();
    c.sc = 0.0;
    const TSolveOutcome outcome = RunSolve(lib, c, results, view);
    EXPECT_FALSE(outcome.Solved);
    EXPECT_EQ(outcome.Error, "Floating point division by zero");
    EXPECT_EQ(results.Status[smStoecker], TMethodStatus::NotRun);
    EXPECT_EQ(view.Log, (std::vector<std::string>{"Wolf method L = 1.832m", "Not Solved.."}));
    EXPECT_EQ(view.Rows, std::vector<std::string>{"old row"});
    EXPECT_EQ(results.Method(smChoi).Length, 9.0);
    EXPECT_EQ(results.Method(smStoecker).Length, 2.5);
}

// Cases no method can size: the correlations would work from the inlet state
// alone and give a length, so the case is refused before any method runs.
struct TRefusedCase {
    const char* Name;
    const char* Refrigerant; // "" the built-in R22
    double tc, te;
    double pc, pe; // kPa; 0: the dew pressure of the temperature
    const char* Refusal;
};

class CaseNoMethodCanSize : public testing::TestWithParam<TRefusedCase> {};

TEST_P(CaseNoMethodCanSize, IsRefusedByEveryMethodAndNeverSolved)
{
    const TRefusedCase& p = GetParam();
    TRefrigLib lib(ShippedLibraryFile());
    lib.SelectRefrigerant(*p.Refrigerant != 0 ? p.Refrigerant : "R22");
    TDesignCase c = WorkedExample();
    c.tc = p.tc;
    c.te = p.te;
    c.pc = p.pc != 0 ? p.pc : Checked::ToDouble(lib.DewPressure(p.tc) * 0.001L);
    c.pe = p.pe != 0 ? p.pe : Checked::ToDouble(lib.DewPressure(p.te) * 0.001L);
    EXPECT_EQ(CaseRefusal(lib, c), p.Refusal);

    TRecorder view;
    TSolveResults results;
    const TSolveOutcome outcome = RunSolve(lib, c, results, view);
    EXPECT_FALSE(outcome.Solved);
    EXPECT_FALSE(results.Solved);
    EXPECT_TRUE(outcome.CaseRefused);
    EXPECT_EQ(results.Status[smStoecker], TMethodStatus::Refused);
    EXPECT_EQ(outcome.Refusal, p.Refusal);
    EXPECT_EQ(outcome.Error, "the case is refused: " + OneLineMessage(p.Refusal));
    EXPECT_FALSE(results.Found(smWolf));
    EXPECT_FALSE(results.Found(smChoi));
    EXPECT_EQ(view.Log,
              (std::vector<std::string>{"box: " + std::string(p.Refusal), "Not Solved.."}));
    EXPECT_EQ(view.Rows, std::vector<std::string>{"old row"});
    for (const TSizingMethod method : SizingMethods) {
        const TMethodLength length = MethodLength(lib, c, method);
        EXPECT_FALSE(length.Solved) << MethodName(method);
        EXPECT_TRUE(length.Refused) << MethodName(method);
        EXPECT_EQ(length.Message, outcome.Error) << MethodName(method);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaseNoMethodCanSize,
    testing::Values(
        TRefusedCase{"EvaporatorAboveCondenser", "", 5, 40, 0, 0, "te must be less than tc..."},
        TRefusedCase{"AboveTheRangeOfR22", "", 100, 5, 0, 0,
                     "tc is out of range...\r\n[-60.0..88.9]"},
        TRefusedCase{"EvaporatorBelowTheRange", "", 40, -61, 0, 0,
                     "te is out of range...\r\n[-60.0..88.9]"},
        TRefusedCase{"R744AboveItsCriticalPoint", "R744", 40, -10, 0, 0,
                     "tc is out of range...\r\n[-55.0..24.8]"},
        TRefusedCase{"EqualTemperatures", "", 20, 20, 0, 0, "pe must be less than pc..."},
        TRefusedCase{"PressuresGivenTheWrongWayRound", "", 40, 5, 500, 586.201,
                     "pe must be less than pc..."},
        TRefusedCase{"PressuresGivenEqual", "", 40, 5, 800, 800, "pe must be less than pc..."}),
    TParamName());

TEST(RunSolve, CaseAtTheEdgesOfTheRangeIsSized)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.tc = 88.88;
    c.pc = Checked::ToDouble(lib.DewPressure(88.88) * 0.001L);
    c.te = -60.0;
    c.pe = Checked::ToDouble(lib.DewPressure(-60.0) * 0.001L);
    EXPECT_EQ(CaseRefusal(lib, c), "");
    TRecorder view;
    TSolveResults results;
    const TSolveOutcome outcome = RunSolve(lib, c, results, view);
    EXPECT_FALSE(outcome.CaseRefused);
    EXPECT_TRUE(results.Found(smWolf));
}

TEST(RunSolve, RowsWrittenBeforeAFaultStay)
{
    const TRefrigLib lib;
    TRecorder view;
    view.FailAtRow = 5;
    TSolveResults results;
    results.Method(smStoecker).LeavingTemp = 3.0;
    const TSolveOutcome outcome = RunSolve(lib, WorkedExample(), results, view);
    EXPECT_FALSE(outcome.Solved);
    EXPECT_EQ(view.Rows.size(), 5U);
    EXPECT_EQ(view.Log.back(), "Not Solved..");
    EXPECT_EQ(results.Method(smStoecker).LeavingTemp, 3.0);
    EXPECT_GT(results.Method(smStoecker).Length, 1.1); // the entry section and six steps
}

TEST(RunSolve, UnreadableFieldEndsTheSolve)
{
    const TRefrigLib lib;
    TRecorder view;
    TSolveResults results;
    TDesignCase c = WorkedExample();
    c.mr = "";
    const TSolveOutcome outcome = RunSolve(lib, c, results, view);
    EXPECT_FALSE(outcome.Solved);
    EXPECT_EQ(outcome.Error, "'' is not a valid floating point value");
    EXPECT_EQ(view.Log, std::vector<std::string>{"Not Solved.."});
}

} // namespace
