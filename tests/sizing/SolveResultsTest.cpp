// The simulation's rows kept as numbers in the results of a Solve: the same
// rows the view is shown, in the same order, also when a Solve ends early.
#include "common/Errors.h"
#include "sizing/SolveDriver.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Keeps the rows it is shown; fails on row FailAtRow.
struct TRowView : TQuietView {
    std::vector<TStoeckerStep> Rows;
    int FailAtRow = -1;

    void ClearSteps() override { Rows.clear(); }
    void AddStep(const TStoeckerStep& step) override
    {
        if (static_cast<int>(Rows.size()) == FailAtRow)
            throw EOverflow();
        Rows.push_back(step);
    }
};

std::vector<double> Lengths(const std::vector<TStoeckerStep>& rows)
{
    std::vector<double> lengths;
    for (const auto& row : rows)
        lengths.push_back(row.L);
    return lengths;
}

TStoeckerStep OldRow()
{
    TStoeckerStep row;
    row.L = 42.0;
    return row;
}

struct TStepsCase {
    const char* Name;
    int FailAtRow;     // the view fails on this row; -1 never
    double SubCooling; // K; 0 makes Cho fail before the simulation starts
    std::size_t Rows;  // rows kept in the results
    bool OldRowsKept;  // the rows of the Solve before are still there
};

TEST(SolveResults, StepsAreTheRowsTheViewIsShown)
{
    const TStepsCase cases[] = {
        {"worked example", -1, 5.0, 28, false},
        {"view fails on row 5", 5, 5.0, 5, false},
        {"Cho fails first", -1, 0.0, 1, true},
    };
    const TRefrigLib lib;
    for (const auto& c : cases) {
        TRowView view;
        view.FailAtRow = c.FailAtRow;
        view.Rows = {OldRow()};
        TSolveResults results;
        results.Steps = {OldRow()};
        results.RefrigEffect = 169.3;
        TDesignCase designCase = WorkedExample();
        designCase.sc = c.SubCooling;
        RunSolve(lib, designCase, results, view);
        EXPECT_EQ(results.Steps.size(), c.Rows) << c.Name;
        EXPECT_EQ(Lengths(results.Steps), Lengths(view.Rows)) << c.Name;
        EXPECT_EQ(!results.Steps.empty() && results.Steps[0].L == 42.0, c.OldRowsKept) << c.Name;
        // The effect is the caller's.
        EXPECT_EQ(results.RefrigEffect, 169.3) << c.Name;
    }
}

} // namespace
