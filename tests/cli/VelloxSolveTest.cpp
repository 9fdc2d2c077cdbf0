// vellox-solve run as a user runs it: arguments in, text, JSON or CSV out.
#include "SolveTool.h"
#include "support/ParamName.h"
#include "support/TempDir.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace {

// The steps of a JSON report, each the text between its "[" and "]": each
// step is a line of its own, six blanks, then the bracketed values.
std::vector<std::string> JsonSteps(const std::string& json)
{
    const std::string stepStart = "\n      [";
    std::vector<std::string> steps;
    for (auto at = json.find(stepStart); at != std::string::npos;
         at = json.find(stepStart, at + 1)) {
        const auto from = at + stepStart.size();
        const auto close = json.find(']', from);
        if (close == std::string::npos)
            break;
        steps.push_back(json.substr(from, close - from));
    }
    return steps;
}

bool JsonHas(const std::string& json, const std::string& text)
{
    return json.find(text) != std::string::npos;
}

TEST(VelloxSolve, WorkedExampleAsJson)
{
    const TRun run = Solve("--json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string& j = run.Out;
    EXPECT_TRUE(JsonHas(j, "\"refrigerant\": \"R22\""));
    EXPECT_TRUE(JsonHas(j, "\"displayName\": \"R22 (chlorodifluoromethane, CHClF2)\""));
    EXPECT_NEAR(JsonNumber(j, "refrigEffect"), 169.3, 0.05);
    EXPECT_EQ(JsonNumber(j, "pc"), 1540.346);
    EXPECT_EQ(JsonNumber(j, "pe"), 586.201);
    EXPECT_EQ(JsonNumber(j, "massFlow"), 0.01);
    EXPECT_EQ(JsonNumber(j, "duty"), 1.693);
    EXPECT_NEAR(JsonNumber(j, "wolfLength"), 3.199, 0.0005);
    EXPECT_NEAR(JsonNumber(j, "choiLength"), 3.393, 0.0005);
    EXPECT_NEAR(JsonNumber(j, "length"), 2.996, 0.0005);
    EXPECT_NEAR(JsonNumber(j, "leavingTemp"), 11.19, 0.005);
    EXPECT_TRUE(JsonHas(j, "\"status\": \"ok\""));
    EXPECT_TRUE(JsonHas(j, "\"choked\": false"));
    EXPECT_TRUE(JsonHas(j, "\"solved\": true"));
    EXPECT_TRUE(JsonHas(j, "\"error\": null"));
    // 28 steps; the first as the table shows it.
    const std::vector<std::string> steps = JsonSteps(j);
    ASSERT_EQ(steps.size(), 28U);
    std::istringstream first(steps[0]);
    std::vector<double> v;
    for (std::string item; std::getline(first, item, ',');)
        v.push_back(std::strtod(item.c_str(), nullptr));
    ASSERT_EQ(v.size(), 8U);
    const double expected[8] = {38, 1473.7, 0.008, 0.000998, 248.60, 4.781, 0.3391, 0.339};
    const double within[8] = {0.5, 0.05, 0.0005, 0.0000005, 0.005, 0.0005, 0.00005, 0.0005};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_NEAR(v[i], expected[i], within[i]) << "column " << i;
}

TEST(VelloxSolve, WorkedExampleAsText)
{
    const TRun run = Solve("");
    ASSERT_EQ(run.Status, 0) << run.Err;
    for (const char* line :
         {"R22 (chlorodifluoromethane, CHClF2)\n", "Refrigerating Effect = 169.3 kJ/kg\n",
          "Wolf method L = 3.199m\n", "Choi method L = 3.393m\n", "Stoecker method = 2.996 m\n",
          "Capillary Length = 3.393 m\n", "Solved..\n", "11.2 °C\n",
          "\n38\t1473.7\t0.008\t0.000998\t248.60\t4.781\t0.3391\t0.339\n"})
        EXPECT_TRUE(JsonHas(run.Out, line)) << line;
}

TEST(VelloxSolve, ZeroSubCoolingIsNotSolved)
{
    const TRun run = Solve("--sc 0 --json");
    EXPECT_EQ(run.Status, 1);
    EXPECT_NEAR(JsonNumber(run.Out, "wolfLength"), 1.832, 0.0005);
    EXPECT_TRUE(JsonHas(run.Out, "\"choiLength\": null"));
    EXPECT_TRUE(JsonHas(run.Out, "\"status\": \"notRun\""));
    EXPECT_TRUE(JsonHas(run.Out, "\"solved\": false"));
    EXPECT_TRUE(JsonHas(run.Out, "\"error\": \"Floating point division by zero\""));
    EXPECT_TRUE(JsonHas(run.Err, "division by zero"));
}

// Cases no method can size, in every way of asking: never "Solved..", exit 1,
// the one reason on standard error and in the JSON.
struct TUnsizable {
    const char* Name;
    const char* Args;
    const char* Reason;
};

class VelloxSolveUnsizable : public testing::TestWithParam<TUnsizable> {};

TEST_P(VelloxSolveUnsizable, IsRefusedEverywhere)
{
    const TUnsizable& p = GetParam();
    const std::string reason = std::string("the case is refused: ") + p.Reason;
    const TRun text = Solve(p.Args);
    EXPECT_EQ(text.Status, 1);
    EXPECT_EQ(text.Out.find("\nSolved.."), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\nNot Solved.."), std::string::npos) << text.Out;
    EXPECT_EQ(text.Out.find(" m\n"), std::string::npos) << "a length is shown\n" << text.Out;
    EXPECT_NE(text.Err.find(reason), std::string::npos) << text.Err;

    const TRun json = Solve(std::string(p.Args) + " --json");
    EXPECT_EQ(json.Status, 1);
    EXPECT_TRUE(JsonHas(json.Out, "\"solved\": false"));
    EXPECT_TRUE(JsonHas(json.Out, "\"error\": \"" + reason + "\"")) << json.Out;
    EXPECT_TRUE(JsonHas(json.Out, "\"wolfLength\": null")) << json.Out;

    const TRun rating = Solve(std::string(p.Args) + " --rate 3 --json");
    EXPECT_EQ(rating.Status, 1);
    EXPECT_TRUE(JsonHas(rating.Out, "\"rated\": false"));
    EXPECT_TRUE(JsonHas(rating.Out, "\"error\": \"" + reason + "\"")) << rating.Out;

    const TRun table = Solve(std::string(p.Args) + " --select");
    EXPECT_EQ(table.Status, 1);
    EXPECT_NE(table.Out.find("Standard bores: no lengths, " + reason + "\n"), std::string::npos)
        << table.Out;

    const TRun selection = Solve(std::string(p.Args) + " --select --json");
    EXPECT_EQ(selection.Status, 1);
    EXPECT_TRUE(JsonHas(selection.Out, "\"error\": \"" + reason + "\"")) << selection.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Table, VelloxSolveUnsizable,
    testing::Values(
        TUnsizable{"EvaporatorAboveCondenser", "--tc 5 --te 40", "te must be less than tc..."},
        TUnsizable{"AboveTheRangeOfR22", "--tc 100", "tc is out of range... [-60.0..88.9]"},
        TUnsizable{"PressuresTheWrongWayRound", "--pc 500 --pe 600", "pe must be less than pc..."}),
    TParamName());

TEST(VelloxSolve, BatchRowsNoMethodCanSizeAreNotSolved)
{
    const TRun run = Solve("--batch -", "tc,te,length\n5,40,\n100,5,3\n40,5,\n");
    EXPECT_EQ(run.Status, 1);
    const std::string out = run.Out;
    EXPECT_NE(out.find(",false,the case is refused: te must be less than tc...,refused,"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(",false,the case is refused: tc is out of range... [-60.0..88.9]"),
              std::string::npos)
        << out;
    EXPECT_NE(run.Err.find("2 of 3 cases not solved"), std::string::npos) << run.Err;
}

TEST(VelloxSolve, DutyGivesTheMassFlowThroughTheEffect)
{
    const TRun run = Solve("--duty=3.386 --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    // 3.386 kW / 169.3 kJ/kg, held at the mass-flow field's precision.
    EXPECT_EQ(JsonNumber(run.Out, "massFlow"), 0.02);
    EXPECT_EQ(JsonNumber(run.Out, "duty"), 3.386);
}

TEST(VelloxSolve, ValuesAreHeldAtTheFieldsPrecision)
{
    const TRun run = Solve("--tc 40.04 --id 1.63004 --pc 1500.00049 --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(JsonNumber(run.Out, "tc"), 40.0);
    EXPECT_EQ(JsonNumber(run.Out, "id"), 1.63);
    EXPECT_EQ(JsonNumber(run.Out, "pc"), 1500.0);
}

struct TBadUsage {
    const char* Name;
    std::string Args;
    const char* Reason; // part of the message on standard error
};

class VelloxSolveRefuses : public testing::TestWithParam<TBadUsage> {};

TEST_P(VelloxSolveRefuses, WithStatusTwoAndAReason)
{
    const TRun run = Solve(GetParam().Args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Out.empty());
    EXPECT_TRUE(JsonHas(run.Err, GetParam().Reason)) << run.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, VelloxSolveRefuses,
    testing::Values(
        TBadUsage{"SubCoolingAboveRange", "--sc 25", "sc: 25 is outside the range 0 to 20 K"},
        TBadUsage{"NegativeSuperheat", "--sh -1", "sh: -1 is outside the range 0 to 20 K"},
        TBadUsage{"FittingDropAboveRange", "--dpl 500.1",
                  "dpl: 500.1 is outside the range 0 to 500 kPa"},
        TBadUsage{"EvaporatorDropAboveRange", "--dpe 1e3", "dpe: 1e3 is outside"},
        TBadUsage{"BoreBelowRange", "--id 0.49", "id: 0.49 is outside the range 0.5 to 50 mm"},
        TBadUsage{"BoreNotANumber", "--id abc", "id: 'abc' is not a number"},
        TBadUsage{"DecimalComma", "--tc 1,5", "tc: '1,5' is not a number"},
        TBadUsage{"Empty", "--mr ''", "mr: '' is not a number"},
        TBadUsage{"Infinite", "--te 1e999", "te: '1e999' is not a number"},
        TBadUsage{"MassFlowAndDuty", "--mr 0.01 --duty 1", "either mr or duty"},
        TBadUsage{"UnknownOption", "--tk 40", "unknown option '--tk'"},
        TBadUsage{"MissingValue", "--tc", "--tc needs a value"},
        TBadUsage{"UnknownRefrigerant", "--refrigerant R999", "'R999' is not in the library"},
        TBadUsage{"MissingLibrary", "--library /nonexistent.rdf", "cannot read"},
        TBadUsage{"LibraryPathTooLong", "--library /" + std::string(300, 'x'),
                  "File name too long"},
        TBadUsage{"LibraryIsAFolder", "--library /tmp", "not a regular file"}),
    TParamName());

TEST(VelloxSolve, LibraryRefrigerantIsSelectedWithoutRegardToCase)
{
    TTempDir dir;
    const std::string lib =
        dir.Write("lib.rdf", "[R22]\nRNumber=R22\n[Hot]\nRNumber=Hot\nChemicalName=hot\n"
                             "Formula=H\nTCrit=120\n");
    const TRun run = Solve("--library " + lib + " --refrigerant hot --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(JsonHas(run.Out, "\"displayName\": \"Hot (hot, H)\""));
    // Cho's correlation uses the critical point, so the length changes.
    EXPECT_GT(std::fabs(JsonNumber(run.Out, "choiLength") - 3.393), 0.01);
}

TEST(VelloxSolve, BatchGoesOnPastBadRows)
{
    const std::string input = "tc,te,sc,mr,id\n"
                              "40,5,5,0.01,1.63\n"
                              "40,5,0,0.01,1.63\n"
                              "40,5,5,abc,1.63\n"
                              "40,5,25,0.01,1.63\n"
                              "\"45\", 0 ,3,0.012,1.7\n";
    const TRun run = Solve("--batch -", input);
    EXPECT_EQ(run.Status, 1);
    std::istringstream lines(run.Out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 6U) << run.Out;
    EXPECT_EQ(rows[0], "refrigerant,tc,te,pc,pe,sc,sh,mr,duty,dpl,dpe,id,refrigEffect,wolfLength,"
                       "choiLength,stoeckerLength,leavingTemp,choked,solved,error,stoeckerStatus,"
                       "stoeckerMessage");
    EXPECT_TRUE(JsonHas(rows[1], "R22,40,5,1540.346,586.201,5,7.5,0.01,1.693,30,140,1.63,169.3"));
    EXPECT_TRUE(JsonHas(rows[1], ",false,true,,ok,"));
    EXPECT_TRUE(JsonHas(rows[2], ",false,Floating point division by zero,notRun,"));
    EXPECT_TRUE(JsonHas(rows[3], "mr: 'abc' is not a number"));
    EXPECT_TRUE(JsonHas(rows[4], "sc: 25 is outside the range 0 to 20 K"));
    EXPECT_TRUE(JsonHas(rows[5], "R22,45,0,"));
    EXPECT_TRUE(JsonHas(rows[5], ",true,,ok,"));
}

// The rows of a CSV output, each split at its commas (no field here holds one).
std::vector<std::vector<std::string>> CsvRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream items(line);
        for (std::string item; std::getline(items, item, ',');)
            fields.push_back(item);
        rows.push_back(fields);
    }
    return rows;
}

std::string ShippedLibraryText()
{
    std::ifstream in(std::string(VELLOX_SOURCE_DIR) + "/data/RefLib8.rdf", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A row's result must not depend on the rows before it: neither a missing
// section that the built-in R22 stands in for, nor one that fails half-way,
// may leave its record behind under the name selected before.
TEST(VelloxSolve, BatchRowDoesNotDependOnTheRowsBefore)
{
    TTempDir dir;
    const std::string lib =
        dir.Write("lib.rdf", ShippedLibraryText() + "\n[Blank]\n[Short]\nRNumber=Short\nvh=1\n");
    for (const char* between : {"Blank", "Short", "R290"}) {
        const std::string input = std::string("refrigerant,tc,te,mr\n") + "R134a,40,5,0.01\n" +
                                  between + ",40,5,0.01\nR134a,40,5,0.01\n";
        const TRun run = Solve("--library " + lib + " --batch -", input);
        const auto rows = CsvRows(run.Out);
        ASSERT_EQ(rows.size(), 4U) << run.Out << run.Err;
        EXPECT_EQ(rows[3], rows[1]) << between;
        EXPECT_EQ(rows[1][0], "R134a");
    }
}

TEST(VelloxSolve, RefrigerantIsReportedAsTheLibrarySpellsIt)
{
    const TRun json = Solve("--refrigerant r134a --json");
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_TRUE(JsonHas(json.Out, "\"refrigerant\": \"R134a\""));
    const TRun batch = Solve("--batch -", "refrigerant,tc\nr407c,40\nr22,40\n");
    const auto rows = CsvRows(batch.Out);
    ASSERT_EQ(rows.size(), 3U) << batch.Err;
    EXPECT_EQ(rows[1][0], "R407C");
    EXPECT_EQ(rows[2][0], "R22");
}

// A blend's liquid enters the two-phase steps at its bubble pressure: the
// simulation runs its course between the two correlations.
TEST(VelloxSolve, BlendWithAGlideIsSimulated)
{
    const TRun run =
        Solve("--refrigerant R407C --tc 40 --te -10 --sc 5 --mr 0.003 --id 1.2 --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(JsonHas(run.Out, "\"choked\": false"));
    EXPECT_TRUE(JsonHas(run.Out, "\"status\": \"ok\""));
    const double length = JsonNumber(run.Out, "length");
    EXPECT_NEAR(length, 7.14, 0.01);
    EXPECT_GT(length, JsonNumber(run.Out, "wolfLength"));
    EXPECT_LT(length, JsonNumber(run.Out, "choiLength"));
    EXPECT_EQ(JsonSteps(run.Out).size(), 40U);
}

TEST(VelloxSolve, BatchMayStartWithAByteOrderMark)
{
    const TRun run = Solve("--batch -", "\xEF\xBB\xBFtc,te\n40,5\n");
    EXPECT_EQ(run.Status, 0) << run.Err;
    const auto rows = CsvRows(run.Out);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[1][1], "40");
}

TEST(VelloxSolve, BatchWithAnUnknownColumnIsBadUsage)
{
    const TRun run = Solve("--batch -", "tc,colour\n40,red\n");
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(JsonHas(run.Err, "unknown column 'colour'"));
}

} // namespace
