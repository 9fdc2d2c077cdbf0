// A report whose body fails part way: no PDF or GIF file of the pages drawn
// so far is left at the target (an existing file stays as it was), the
// failure comes back to the caller, and the painter has let go of the PDF
// writer before the writer goes.
#include "common/Errors.h"
#include "report/ReportFile.h"
#include "report/StdReport.h"
#include "support/FixedPageMetrics.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <new>
#include <QPrinter>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

enum class TFault { OutOfMemory, VelloxError, OutOfMemoryForTheMessageToo };

// A body of 70 lines over several pages, failing after the 50th.
void FailingBody(TPageEngine& engine, TFault fault)
{
    engine.OnReportBody = [&engine, fault] {
        for (int i = 0; i < 70; ++i) {
            engine.EnsureSpace(1);
            engine.DrawCanvas()->drawText(engine.Pen, QStringLiteral("line %1").arg(i));
            engine.AdvanceLines(1);
            if (i == 50 && fault == TFault::VelloxError)
                throw EConvertError("'x' is not a valid floating point value");
            if (i == 50)
                throw std::bad_alloc();
        }
    };
}

std::string Content(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ReportFile, AFailedRunLeavesNoFileAndSaysWhy)
{
    const struct {
        const char* Name;
        const char* File;
        TFault Fault;
        bool Existing; // a file at the target before
        const char* Failure;
    } cases[] = {
        {"PdfOutOfMemory", "report.pdf", TFault::OutOfMemory, false,
         "Report write error: out of memory"},
        {"PdfVelloxError", "report.pdf", TFault::VelloxError, true,
         "Report write error: 'x' is not a valid floating point value"},
        {"PdfMessageFailsToo", "report.pdf", TFault::OutOfMemoryForTheMessageToo, true,
         "Report write error: out of memory"},
        {"GifOutOfMemory", "report.gif", TFault::OutOfMemory, true,
         "Report write error: out of memory"},
        {"GifVelloxError", "report.gif", TFault::VelloxError, false,
         "Report write error: 'x' is not a valid floating point value"},
        {"GifMessageFailsToo", "report.gif", TFault::OutOfMemoryForTheMessageToo, false,
         "Report write error: out of memory"},
    };
    for (const auto& c : cases) {
        TTempDir dir;
        const fs::path target = dir.Path() / c.File;
        if (c.Existing)
            dir.Write(c.File, "the report of yesterday");
        TFixedMetrics metrics;
        TPageEngine engine(metrics);
        std::vector<std::string> messages;
        engine.OnMessage = [&](const std::string& m) {
            if (c.Fault == TFault::OutOfMemoryForTheMessageToo && m == "Report write error...")
                throw std::bad_alloc();
            messages.push_back(m);
        };
        FailingBody(engine, c.Fault);
        TReportOutcome written;
        EXPECT_NO_THROW(written = WriteReportFile(engine, QString::fromStdString(target.string()),
                                                  {QStringLiteral("Report")}))
            << c.Name;
        EXPECT_EQ(written.Result, TReportResult::RunError) << c.Name;
        EXPECT_EQ(written.Message.toStdString(), c.Failure) << c.Name;
        // The file's run is not the preview's.
        EXPECT_TRUE(engine.PreviewOutcome().Ok()) << c.Name;
        EXPECT_FALSE(engine.DrawCanvas()->isActive()) << c.Name;
        if (c.Fault != TFault::OutOfMemoryForTheMessageToo) {
            EXPECT_EQ(messages.empty() ? "" : messages.back(), "Report write error...") << c.Name;
        }
        if (c.Existing) {
            EXPECT_EQ(Content(target), "the report of yesterday") << c.Name;
        } else {
            EXPECT_FALSE(fs::exists(target)) << c.Name;
        }
        // Nothing else is left in the folder either (no temporary file).
        const auto entries = std::distance(fs::directory_iterator(dir.Path()), {});
        EXPECT_EQ(entries, c.Existing ? 1 : 0) << c.Name;
    }
}

// The engine runs again after a failed run, and that run's file is written.
TEST(ReportFile, TheNextRunAfterAFailureIsWritten)
{
    TTempDir dir;
    TFixedMetrics metrics;
    TPageEngine engine(metrics);
    engine.OnMessage = [](const std::string&) {};
    FailingBody(engine, TFault::OutOfMemory);
    const QString pdf = QString::fromStdString((dir.Path() / "report.pdf").string());
    EXPECT_FALSE(WriteReportFile(engine, pdf, {"Report"}).Ok());
    engine.OnReportBody = [&engine] { engine.DrawCanvas()->drawText(engine.Pen, "line"); };
    const TReportOutcome written = WriteReportFile(engine, pdf, {"Report"});
    EXPECT_EQ(written.Result, TReportResult::Success);
    EXPECT_EQ(written.Message, "");
    EXPECT_EQ(Content(dir.Path() / "report.pdf").substr(0, 5), "%PDF-");
}

// A printed copy whose body fails is a printer error.
TEST(ReportFile, PrintingAFailedRunIsAPrinterError)
{
    TTempDir dir;
    TFixedMetrics metrics;
    TPageEngine engine(metrics);
    TStdReport report(engine);
    std::vector<std::string> messages;
    report.BeginReport([] { throw std::bad_alloc(); }, {"Capillary Tube Estimate"});
    engine.OnMessage = [&](const std::string& m) { messages.push_back(m); };
    engine.OnLoadSettings = nullptr;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir.Path() / "printed.pdf").string()));
    EXPECT_EQ(report.PrintReport(printer).Result, TReportResult::RunError);
    const std::vector<std::string> expected = {"Report write error...", "Printer error."};
    EXPECT_EQ(messages, expected);
    EXPECT_FALSE(engine.DrawCanvas()->isActive());
}

} // namespace
