// vellox-solve rating a tube (--rate), listing the standard bores (--select)
// and rating the rows of a batch that have a length, run as a user runs it.
#include "JsonCheck.h"
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
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The line that starts with `start` (empty when there is none).
std::string LineStarting(const std::string& text, const std::string& start)
{
    for (const auto& line : Lines(text))
        if (line.rfind(start, 0) == 0)
            return line;
    return {};
}

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    for (const char c : line + ",") {
        if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    return fields;
}

// The worked example's sized lengths, each rated back by its own method,
// gives the design mass flow of 0.01 kg/s.
struct TRoundTrip {
    const char* Name;
    const char* Method;  // key in the JSON
    const char* Caption; // start of its text line
    const char* Length;
};

class VelloxSolveRates : public testing::TestWithParam<TRoundTrip> {};

TEST_P(VelloxSolveRates, TheSizedLengthBackToTheDesignFlow)
{
    const TRoundTrip& c = GetParam();
    const TRun json = Solve(std::string("--rate ") + c.Length + " --json");
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_TRUE(TJsonCheck(json.Out).Valid()) << json.Out;
    const std::string line = LineStarting(json.Out, std::string("    {\"method\": \"") + c.Method);
    EXPECT_NEAR(JsonNumber(line, "massFlow"), 0.01, 1e-6) << line;
    // The duty is that flow times the refrigerating effect of the case.
    EXPECT_NEAR(JsonNumber(line, "duty"),
                JsonNumber(line, "massFlow") * JsonNumber(json.Out, "refrigEffect"), 1e-12);
    EXPECT_EQ(JsonNumber(json.Out, "length"), std::strtod(c.Length, nullptr));
    EXPECT_NE(json.Out.find("\"rated\": true"), std::string::npos);

    const TRun text = Solve(std::string("--rate ") + c.Length);
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_NE(text.Out.find("Rated: " + std::string(c.Length) + " m of 1.6300 mm bore\n"),
              std::string::npos)
        << text.Out;
    const auto words = Words(LineStarting(text.Out, c.Caption).substr(12));
    ASSERT_EQ(words.size(), 4U) << text.Out;
    EXPECT_EQ(words[0], "0.0100");
    EXPECT_EQ(words[1], "kg/s");
}

INSTANTIATE_TEST_SUITE_P(WorkedExample, VelloxSolveRates,
                         testing::Values(TRoundTrip{"Stoecker", "stoecker", "Stoecker", "2.996"},
                                         TRoundTrip{"Wolf", "wolf", "Wolf et al", "3.199"},
                                         TRoundTrip{"Cho", "choi", "Cho et al", "3.393"}),
                         TParamName());

TEST(VelloxSolveRating, NoMethodRatesIsNotSolved)
{
    // A 5 cm tube of 50 mm bore passes more than 1 kg/s by every method.
    const TRun run = Solve("--rate 0.05 --id 50 --json");
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(TJsonCheck(run.Out).Valid()) << run.Out;
    EXPECT_NE(run.Out.find("\"massFlow\": null, \"duty\": null, \"choked\": null, \"message\": "
                           "\"the tube passes more than 1 kg/s"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("\"rated\": false"), std::string::npos);
    // The one reason of all three, not a null.
    EXPECT_NE(run.Out.find("\"error\": \"the tube passes more than 1 kg/s"), std::string::npos)
        << run.Out;
    EXPECT_NE(run.Err.find("not rated: the tube passes more than 1 kg/s"), std::string::npos)
        << run.Err;
}

TEST(VelloxSolveRating, OneMethodFailingStillRates)
{
    // Without sub-cooling Cho's correlation divides by zero; the others rate.
    const TRun run = Solve("--rate 3 --sc 0");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(LineStarting(run.Out, "Cho et al").find("Not rated because"), std::string::npos)
        << run.Out;
    EXPECT_NE(LineStarting(run.Out, "Wolf et al").find("kg/s"), std::string::npos);
}

struct TBadUsage {
    const char* Name;
    const char* Args;
    const char* Reason; // part of the message on standard error
};

class VelloxSolveRatingRefuses : public testing::TestWithParam<TBadUsage> {};

TEST_P(VelloxSolveRatingRefuses, WithStatusTwoAndAReason)
{
    const TRun run = Solve(GetParam().Args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Out.empty()) << run.Out;
    EXPECT_NE(run.Err.find(GetParam().Reason), std::string::npos) << run.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, VelloxSolveRatingRefuses,
    testing::Values(
        TBadUsage{"TooShort", "--rate 0.01", "rate: 0.01 is outside the range 0.05 to 20 m"},
        TBadUsage{"TooLong", "--rate 25", "rate: 25 is outside the range 0.05 to 20 m"},
        TBadUsage{"NotANumber", "--rate abc",
                  "rate: 'abc' is not a number (a tube length of 0.05 "
                  "to 20 m)"},
        TBadUsage{"Infinite", "--rate=1e999", "0.05 to 20 m"},
        TBadUsage{"NoValue", "--rate", "--rate needs a value"},
        TBadUsage{"RateAndSelect", "--rate 3 --select", "cannot be combined"},
        TBadUsage{"SelectWithAValue", "--select=yes", "--select takes no value"},
        TBadUsage{"CsvWithoutSelect", "--rate 3 --csv", "--csv goes with --select"},
        TBadUsage{"CsvAndJson", "--select --csv --json", "cannot be combined"},
        TBadUsage{"SelectInABatch", "--select --batch -", "--select and --batch"},
        TBadUsage{"RateInABatch", "--rate 3 --batch -", "length column"},
        TBadUsage{"RateWithAReport", "--rate 3 --report r.pdf", "--report writes the sizing"}),
    TParamName());

// The standard bores table holds the design case's bore with the lengths the
// sizing shows for it, digit for digit.
class VelloxSolveSelects : public testing::TestWithParam<const char*> {};

TEST_P(VelloxSolveSelects, TheDesignBoreWithTheSizedLengths)
{
    const std::string args = GetParam();
    const TRun sized = Solve(args);
    ASSERT_EQ(sized.Status, 0) << sized.Err;
    auto after = [&](const std::string& start) {
        std::string length = LineStarting(sized.Out, start).substr(start.size());
        return length.substr(0, length.find_first_of("m "));
    };
    const TRun table = Solve(args + " --select");
    ASSERT_EQ(table.Status, 0) << table.Err;
    const auto words = Words(LineStarting(table.Out, "1.6300 "));
    ASSERT_GE(words.size(), 5U) << table.Out;
    EXPECT_EQ(words[1], after("Wolf method L = "));
    EXPECT_EQ(words[2], after("Choi method L = "));
    EXPECT_EQ(words[3], after("Stoecker method = "));
    // An inch bore shows its size in inches beside the mm.
    EXPECT_EQ(Words(LineStarting(table.Out, "0.7874 ")).at(1), "(0.031");
}

INSTANTIATE_TEST_SUITE_P(Cases, VelloxSolveSelects,
                         testing::Values("", "--refrigerant R134a --te -10 --mr 0.005",
                                         "--refrigerant R407C --tc 45 --sc 3 --duty 2"));

TEST(VelloxSolveSelection, WorkedExampleTableAsJsonAndCsv)
{
    const TRun json = Solve("--select --json");
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_TRUE(TJsonCheck(json.Out).Valid()) << json.Out;
    std::vector<std::string> rows;
    for (const auto& line : Lines(json.Out))
        if (line.rfind("    {\"bore\": ", 0) == 0)
            rows.push_back(line);
    ASSERT_EQ(rows.size(), 30U);
    EXPECT_EQ(JsonNumber(rows[12], "bore"), 1.63);
    EXPECT_NE(rows[12].find("\"inch\": null"), std::string::npos);
    EXPECT_NE(rows[12].find("\"practical\": true"), std::string::npos);
    EXPECT_NEAR(JsonNumber(rows[12], "stoecker"), 2.996, 0.0005);
    EXPECT_EQ(JsonNumber(rows[29], "inch"), 0.08);
    // The smallest bores choke in the first steps: the simulation's length
    // is then not positive and there is no spread.
    EXPECT_NE(rows[0].find("\"choked\": true"), std::string::npos);
    EXPECT_NE(rows[0].find("\"spread\": null"), std::string::npos);

    const TRun csv = Solve("--select --csv");
    ASSERT_EQ(csv.Status, 0) << csv.Err;
    const auto lines = Lines(csv.Out);
    ASSERT_EQ(lines.size(), 31U);
    EXPECT_EQ(lines[0], "bore,inch,wolf,choi,stoecker,choked,practical,spread,wolfMessage,"
                        "choiMessage,stoeckerMessage");
    const auto designBore = CsvFields(lines[13]);
    ASSERT_EQ(designBore.size(), 11U);
    EXPECT_EQ(designBore[0], "1.63");
    EXPECT_EQ(std::strtod(designBore[4].c_str(), nullptr), JsonNumber(rows[12], "stoecker"));
    EXPECT_EQ(designBore[6], "true");
}

TEST(VelloxSolveSelection, ReasonsAreNotedUnderTheTable)
{
    const TRun run = Solve("--select --sc 0");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(LineStarting(run.Out, "1.6300 ").find("\u2013 [1]"), std::string::npos) << run.Out;
    EXPECT_EQ(LineStarting(run.Out, "[1] ").rfind("[1] Cho et al: the calculation failed: ", 0), 0U)
        << run.Out;
    EXPECT_EQ(LineStarting(run.Out, "[2] "), "");
}

// Sizing and rating rows in one batch: a sizing row comes out as in a batch
// without lengths, with the rating columns empty after it.
TEST(VelloxSolveBatch, LengthColumnRatesItsRows)
{
    const TRun sizingOnly = Solve("--batch -", "tc,te,mr,id\n40,5,0.01,1.63\n");
    const TRun mixed = Solve("--batch -", "tc,te,mr,id,length\n"
                                          "40,5,0.01,1.63,\n"
                                          "40,5,,1.63,2.996\n"
                                          "40,5,0.02,1.63,3.199\n"
                                          "40,5,,1.63,25\n");
    EXPECT_EQ(mixed.Status, 1); // the length out of range
    const auto rows = Lines(mixed.Out);
    ASSERT_EQ(rows.size(), 5U) << mixed.Out << mixed.Err;
    EXPECT_EQ(rows[0],
              Lines(sizingOnly.Out)[0] + ",length,wolfFlow,choiFlow,stoeckerFlow,stoeckerChoked");
    EXPECT_EQ(rows[1], Lines(sizingOnly.Out)[1] + ",,,,,");

    const auto rated = CsvFields(rows[2]);
    ASSERT_EQ(rated.size(), 27U);
    EXPECT_EQ(rated[7], "");  // mr: the rating finds it
    EXPECT_EQ(rated[13], ""); // no sized length
    EXPECT_EQ(rated[18], "true");
    EXPECT_EQ(rated[22], "2.996");
    EXPECT_NEAR(std::strtod(rated[25].c_str(), nullptr), 0.01, 1e-6);
    EXPECT_EQ(rated[26], "false");
    // The row's mass flow only starts the search.
    EXPECT_NEAR(std::strtod(CsvFields(rows[3])[23].c_str(), nullptr), 0.01, 1e-6);

    const auto refused = CsvFields(rows[4]);
    ASSERT_EQ(refused.size(), 27U);
    EXPECT_EQ(refused[19], "length: 25 is outside the range 0.05 to 20 m");
    EXPECT_EQ(refused[22], "25");

    const TRun allRated = Solve("--batch -", "length\n3\n0.5\n");
    EXPECT_EQ(allRated.Status, 0) << allRated.Out << allRated.Err;
}

} // namespace
