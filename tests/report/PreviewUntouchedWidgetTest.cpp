// A print or a report file is laid out on a page of its own: the preview's
// pages, its layout at the screen's resolution and printer status, its
// outcome, zoom and margins are what they were afterwards, whether the run
// succeeded or failed, so that nothing has to lay the preview out again.
#include "report/ReportFile.h"
#include "report/StdReport.h"
#include "support/FixedPageMetrics.h"
#include "support/RecordingPageDevice.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <QFile>
#include <QPrinter>

namespace {

// What the preview shows and keeps.
struct TPreviewState {
    std::vector<QImage> Pages;
    int PageCount = 0;
    TPageLayout Layout;
    TReportOutcome Outcome;
    TPositions MarginCm{};
    std::uint8_t ZoomMode = zmActualSize;
};

TPreviewState StateOf(const TPageEngine& engine)
{
    return {engine.Pages,    engine.PageCount, engine, engine.PreviewOutcome(),
            engine.MarginCm, engine.ZoomMode};
}

class PreviewUntouchedTest : public testing::Test {
protected:
    PreviewUntouchedTest()
    {
        // A printer page of 20 × 27 cm at the screen's scale: the preview's
        // page differs from the PDF's A4 and the printer's, and its status
        // names the printer.
        Metrics.PrinterValue = TPageMetrics::TPrinter{"Office", 600, 600, 4794, 6300};
        Engine.MarginCm = {2.0, 2.0, 2.5, 2.5, 7, 9, 12, 13, 14, 15, 16, 17};
        Engine.ZoomMode = zmWholePage;
        Engine.OnMessage = [](const std::string&) {};
        Report.SetLetterhead("/none.txt", "/none.gif", 4);
        Report.LogoFile.clear();
        Report.BeginReport(
            [this] {
                for (int i = 0; i < 90; ++i) {
                    if (Failing && i == 60)
                        throw std::bad_alloc();
                    Report.AddLine(QStringLiteral("caption %1").arg(i), "1.000", "m");
                }
            },
            {"Capillary Tube Estimate"});
        // The settings hook would copy the run's settings in over the ones
        // set here.
        Engine.OnLoadSettings = nullptr;
    }

    TFixedMetrics Metrics;
    TPageEngine Engine{Metrics};
    TStdReport Report{Engine};
    TTempDir Dir;
    bool Failing = false; // the body stops part way
};

TEST_F(PreviewUntouchedTest, PrintsAndFilesLeaveThePreviewAsItWas)
{
    using TRun = std::function<TReportOutcome()>;
    const auto path = [this](const char* name) {
        return QString::fromStdString((Dir.Path() / name).string());
    };
    const TRun pdf = [&] { return WritePdfFile(Engine, path("report.pdf"), {"Report"}); };
    const TRun gif = [&] { return WriteGifReport(Engine, path("report.gif")); };
    const TRun device = [this] {
        TRecordingPageDevice recorder;
        return Engine.RenderToDevice(recorder, "recorder");
    };
    const TRun printer = [&] {
        QPrinter qtPrinter(QPrinter::HighResolution);
        qtPrinter.setOutputFormat(QPrinter::PdfFormat);
        qtPrinter.setOutputFileName(path("printed.pdf"));
        qtPrinter.setCopyCount(2);
        return Report.PrintReport(qtPrinter);
    };
    const struct {
        const char* Name;
        TRun Run;
        bool Failing;
        TReportResult Expected;
        int RunPxPerCm;   // the scale of the run's own page
        const char* File; // a file the run writes; empty: none to look for
    } cases[] = {
        {"PdfFile", pdf, false, TReportResult::Success, 118, "report.pdf"},
        // GIF pages are laid out as the preview's, beside them.
        {"GifFile", gif, false, TReportResult::Success, 38, "report.gif"},
        {"PagedDevice", device, false, TReportResult::Success, 118, ""},
        {"PrintedCopies", printer, false, TReportResult::Success, 472, "printed.pdf"},
        {"FailingPdfFile", pdf, true, TReportResult::RunError, 118, ""},
        {"FailingGifFile", gif, true, TReportResult::RunError, 38, ""},
        {"FailingPagedDevice", device, true, TReportResult::RunError, 118, ""},
        {"FailingPrintedCopies", printer, true, TReportResult::RunError, 472, ""},
    };
    int runPxPerCm = 0;
    Engine.OnPageHeader = [&](bool first) {
        runPxPerCm = Engine.PxPerCmX;
        Report.DrawPageHeader(first);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Failing = false;
        ASSERT_TRUE(Engine.RenderPreview().Ok());
        ASSERT_EQ(Engine.PageCount, 2);
        ASSERT_EQ(runPxPerCm, 38);
        const TPreviewState before = StateOf(Engine);
        Failing = c.Failing;
        EXPECT_EQ(c.Run().Result, c.Expected);
        EXPECT_EQ(runPxPerCm, c.RunPxPerCm);

        const TPreviewState after = StateOf(Engine);
        EXPECT_TRUE(after.Pages == before.Pages);
        EXPECT_EQ(after.PageCount, before.PageCount);
        EXPECT_TRUE(after.Layout == before.Layout);
        EXPECT_EQ(after.Layout.PrinterStatus, "Office");
        EXPECT_TRUE(after.Outcome.Ok());
        EXPECT_EQ(after.MarginCm, before.MarginCm);
        EXPECT_EQ(after.ZoomMode, zmWholePage);
        EXPECT_FALSE(Engine.DrawCanvas()->isActive());
        if (*c.File != '\0') {
            EXPECT_TRUE(QFile::exists(path(c.File)));
        }
        for (const char* name : {"report.pdf", "report.gif", "printed.pdf"})
            QFile::remove(path(name));
    }
}

} // namespace
