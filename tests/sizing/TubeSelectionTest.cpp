#include "sizing/TubeSelection.h"

#include "common/CheckedMath.h"
#include "sizing/SolveDriver.h"
#include "support/WorkedExample.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// What holds for every row of every table.
void ExpectConsistent(const TSelectionRow& row)
{
    bool allSolved = true;
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    double sum = 0;
    for (const TMethodLength& l : row.Lengths) {
        EXPECT_TRUE(std::isfinite(l.Length));
        EXPECT_EQ(l.Solved, l.Message.empty()) << l.Message;
        allSolved = allSolved && l.Solved;
        lo = std::min(lo, l.Length);
        hi = std::max(hi, l.Length);
        sum += l.Length;
    }
    EXPECT_EQ(row.Practical, allSolved && lo >= 0.5 && hi <= 6.0);
    EXPECT_EQ(row.HasSpread, allSolved && lo > 0);
    if (row.HasSpread) {
        EXPECT_DOUBLE_EQ(row.Spread, (hi - lo) / (sum / 3));
    } else {
        EXPECT_EQ(row.Spread, 0);
    }
}

TEST(StandardBores, SeventeenMetricThenThirteenInchEachFromTheSmallest)
{
    const std::size_t metric = static_cast<std::size_t>(std::count_if(
        StandardBores.begin(), StandardBores.end(), [](const auto& b) { return !b.IsInch(); }));
    EXPECT_EQ(metric, 17U);
    EXPECT_EQ(StandardBores.front().Mm, 0.5);
    EXPECT_EQ(StandardBores[12].Mm, 1.63);
    EXPECT_EQ(StandardBores[16].Mm, 2.5);
    EXPECT_EQ(StandardBores[17].Inch, 0.026);
    EXPECT_EQ(StandardBores.back().Inch, 0.080);
    for (std::size_t i = 1; i < StandardBores.size(); ++i) {
        if (i != 17) {
            EXPECT_GT(StandardBores[i].Mm, StandardBores[i - 1].Mm) << i;
        }
        if (StandardBores[i].IsInch()) {
            EXPECT_DOUBLE_EQ(StandardBores[i].Mm, StandardBores[i].Inch * 25.4);
        }
    }
}

TEST(SelectionTable, WorkedExampleRowIsExactlyWhatSolveGives)
{
    const TRefrigLib lib;
    const auto table = SelectionTable(lib, WorkedExample());
    ASSERT_EQ(table.size(), StandardBores.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].Bore.Mm, StandardBores[i].Mm);
        ExpectConsistent(table[i]);
    }

    TSolveResults solved;
    TQuietView view;
    ASSERT_TRUE(RunSolve(lib, WorkedExample(), solved, view).Solved);
    const TSelectionRow& row = table[12];
    ASSERT_EQ(row.Bore.Mm, 1.63);
    EXPECT_EQ(row.Length(smWolf).Length, solved.Method(smWolf).Length);
    EXPECT_EQ(row.Length(smChoi).Length, solved.Method(smChoi).Length);
    EXPECT_EQ(row.Length(smStoecker).Length, solved.Method(smStoecker).Length);
    EXPECT_FALSE(row.Length(smStoecker).Choked);
    EXPECT_TRUE(row.Practical);
    EXPECT_NEAR(row.Spread, (3.3926 - 2.9963) / ((3.1987 + 3.3926 + 2.9963) / 3), 1e-4);

    // Small bores choke the simulation at once; large ones need long tubes.
    EXPECT_FALSE(table[0].Practical);
    EXPECT_TRUE(table[0].Length(smStoecker).Choked);
    EXPECT_FALSE(table[0].HasSpread);
    EXPECT_FALSE(table[16].Practical);
    EXPECT_GT(table[16].Length(smWolf).Length, 6.0);
    const auto practical =
        std::count_if(table.begin(), table.end(), [](const auto& r) { return r.Practical; });
    EXPECT_EQ(practical, 9);
}

TEST(SelectionTable, EveryRefrigerantOfTheLibraryGivesAConsistentTable)
{
    TRefrigLib lib(ShippedLibraryFile());
    for (const std::string& name : lib.RefrigerantNames()) {
        SCOPED_TRACE(name);
        lib.SelectRefrigerant(name);
        TDesignCase c;
        c.tc = 40.0;
        c.te = -10.0;
        c.pc = Checked::ToDouble(lib.DewPressure(40) * 0.001L);
        c.pe = Checked::ToDouble(lib.DewPressure(-10) * 0.001L);
        c.mr = 0.005;
        for (const TSelectionRow& row : SelectionTable(lib, c))
            ExpectConsistent(row);
    }
}

TEST(SelectionTable, CaseAboveTheCriticalPointHasNoLengthByAnyMethod)
{
    TRefrigLib lib(ShippedLibraryFile());
    lib.SelectRefrigerant("R744");
    TDesignCase c;
    c.tc = 40.0; // above the critical point
    c.te = -10.0;
    for (const TSelectionRow& row : SelectionTable(lib, c)) {
        ExpectConsistent(row);
        for (const TSizingMethod method : SizingMethods) {
            EXPECT_TRUE(row.Length(method).Refused);
            EXPECT_EQ(row.Length(method).Message,
                      "the case is refused: tc is out of range... [-55.0..24.8]");
        }
        EXPECT_FALSE(row.Practical);
    }
}

TEST(SelectionTable, TextThatIsNotANumberIsToldInEveryRow)
{
    const TRefrigLib lib;
    TDesignCase c = WorkedExample();
    c.mr = "lots";
    for (const TSelectionRow& row : SelectionTable(lib, c)) {
        ExpectConsistent(row);
        for (const TMethodLength& l : row.Lengths)
            EXPECT_EQ(l.Message.rfind("the calculation failed: ", 0), 0U) << l.Message;
    }
}

} // namespace
