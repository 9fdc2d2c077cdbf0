#include "sizing/SolveDriver.h"

#include "common/Errors.h"
#include "sizing/SolveTexts.h"
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
    void ShowWolf(double length) override { Log.push_back(WolfLabel(length)); }
    void ShowChoi(double length) override { Log.push_back(ChoiLabel(length)); }
    void ShowStoecker(const TStoeckerResults& r) override
    {
        Log.push_back(StoeckerLabel(r.Length) + " / " + LeavingTempText(r.LeavingTemp));
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
    EXPECT_EQ(outcome.Stoecker, TStoeckerStatus::Ok);
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
    results.ChoiLength = 9.0;
    results.Stoecker = {2.5, 10.0, false};
    TDesignCase c = WorkedExample();
    c.sc = 0.0;
    const TSolveOutcome outcome = RunSolve(lib, c, results, view);
    EXPECT_FALSE(outcome.Solved);
    EXPECT_EQ(outcome.Error, "Floating point division by zero");
    EXPECT_EQ(outcome.Stoecker, TStoeckerStatus::NotRun);
    EXPECT_EQ(view.Log, (std::vector<std::string>{"Wolf method L = 1.832m", "Not Solved.."}));
    EXPECT_EQ(view.Rows, std::vector<std::string>{"old row"});
    EXPECT_EQ(results.ChoiLength, 9.0);
    EXPECT_EQ(results.Stoecker.Length, 2.5);
}

TEST(RunSolve, RefusalIsNoFault)
{
    const TRefrigLib lib;
    TRecorder view;
    TSolveResults results;
    TDesignCase c = WorkedExample();
    c.te = 45.0;
    const TSolveOutcome outcome = RunSolve(lib, c, results, view);
    EXPECT_TRUE(outcome.Solved);
    EXPECT_EQ(outcome.Stoecker, TStoeckerStatus::Refused);
    EXPECT_EQ(view.Log,
              (std::vector<std::string>{"Wolf method L = 3.199m", "Choi method L = 3.393m",
                                        "box: te must be less than tc...",
                                        "Capillary Length = 3.393 m", "Solved.."}));
    EXPECT_EQ(view.Rows, std::vector<std::string>{"old row"});
}

TEST(RunSolve, RowsWrittenBeforeAFaultStay)
{
    const TRefrigLib lib;
    TRecorder view;
    view.FailAtRow = 5;
    TSolveResults results;
    results.Stoecker.LeavingTemp = 3.0;
    const TSolveOutcome outcome = RunSolve(lib, WorkedExample(), results, view);
    EXPECT_FALSE(outcome.Solved);
    EXPECT_EQ(view.Rows.size(), 5U);
    EXPECT_EQ(view.Log.back(), "Not Solved..");
    EXPECT_EQ(results.Stoecker.LeavingTemp, 3.0);
    EXPECT_GT(results.Stoecker.Length, 1.1); // the entry section and six steps
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
