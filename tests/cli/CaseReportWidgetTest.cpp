// The report of a solved case written in the tool's own process: the outcome
// tells the tool whether the report was written, by its result, whatever the
// message says.
#include "cli/CaseReport.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(CaseReport, TheOutcomeSaysWhetherTheReportWasWritten)
{
    TRefrigLib lib;
    const TCaseRun run = RunCase(lib, TCaseInput{});
    ASSERT_TRUE(run.Outcome.Solved);
    const struct {
        const char* Name;
        const char* File; // in the test's folder
        TReportResult Result;
        const char* Message;
    } cases[] = {
        {"Pdf", "report.pdf", TReportResult::Success, ""},
        {"Gif", "report.gif", TReportResult::Success, ""},
        {"PdfInAMissingFolder", "missing/report.pdf", TReportResult::WriteError,
         "No such file or directory"},
        {"GifInAMissingFolder", "missing/report.gif", TReportResult::WriteError,
         "No such file or directory"},
        {"NeitherPdfNorGif", "report.txt", TReportResult::UnsupportedFile,
         "a report file name ends in .pdf or .gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        const fs::path target = dir.Path() / c.File;
        const TReportPlaces places{(dir.Path() / "program/").string(),
                                   (dir.Path() / "shared/").string(), "1.0.8.0"};
        const TReportOutcome outcome = WriteCaseReport(lib, run, target.string(), places);
        EXPECT_EQ(outcome.Result, c.Result);
        EXPECT_EQ(outcome.Message.toStdString(), c.Message);
        EXPECT_EQ(fs::exists(target), outcome.Ok());
    }
}

} // namespace
