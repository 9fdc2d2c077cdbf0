// Which results a Solve leaves without a value: every output names the
// results from one table, so a value here is the value of the batch column,
// the JSON member and the report line alike.
#include "sizing/SolveFields.h"

#include "sizing/SolveDriver.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// A value's shape: "-" none, "n" a number, "true"/"false", or the text.
std::string Shape(const TResultValue& value)
{
    if (std::holds_alternative<double>(value))
        return "n";
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? "true" : "false";
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return "-";
}

struct TFieldsCase {
    const char* Name;
    double te, sc;
    // In the batch's order.
    const char* Shapes[10];
};

TEST(SolveFields, ValuesFollowHowFarTheSolveGot)
{
    const TFieldsCase cases[] = {
        {"worked example", 5.0, 5.0, {"n", "n", "n", "n", "n", "false", "true", "-", "ok", "-"}},
        {"case refused",
         45.0,
         5.0,
         {"n", "-", "-", "-", "-", "-", "false", "the case is refused: te must be less than tc...",
          "refused", "te must be less than tc..."}},
        {"Cho fails",
         5.0,
         0.0,
         {"n", "n", "-", "-", "-", "-", "false", "Floating point division by zero", "notRun", "-"}},
    };
    const TRefrigLib lib;
    for (const auto& c : cases) {
        TDesignCase designCase = WorkedExample();
        designCase.te = c.te;
        designCase.sc = c.sc;
        TSolveResults results;
        results.RefrigEffect = 169.3;
        // A Solve before this one found both lengths.
        results.Status.fill(TMethodStatus::Ok);
        TQuietView view;
        const TSolveOutcome outcome = RunSolve(lib, designCase, results, view);
        ASSERT_EQ(SolveColumns().size(), std::size(c.Shapes));
        for (std::size_t i = 0; i < std::size(c.Shapes); ++i) {
            const TSolveFieldLayout& field = *SolveColumns()[i];
            EXPECT_EQ(Shape(field.Value(results, outcome)), c.Shapes[i])
                << c.Name << ": " << field.Key;
        }
    }
}

} // namespace
