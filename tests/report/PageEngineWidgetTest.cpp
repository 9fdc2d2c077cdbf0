// The page engine on preview pages with fixed metrics: 37.8 pixels per
// centimetre (96 per inch) and a known line height, with and without a
// printer; and on a PDF writer standing in for a printer.
#include "report/PageEngine.h"
#include "support/FixedPageMetrics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace {

struct TRun {
    TFixedMetrics Metrics;
    TPageEngine Engine{Metrics};
    std::vector<std::string> Messages;

    TRun()
    {
        Engine.OnMessage = [this](const std::string& m) { Messages.push_back(m); };
    }
};

// A report body of n lines, each needing one free line.
void BodyOfLines(TPageEngine& engine, int lines, int need = 1)
{
    engine.OnReportBody = [&engine, lines, need] {
        for (int i = 0; i < lines; ++i) {
            engine.EnsureSpace(need);
            engine.DrawCanvas()->drawText(engine.Pen, "line");
            engine.AdvanceLines(1);
        }
    };
}

TEST(PageEngine, WithoutAPrinterThePageIsA4AtTheScreensScale)
{
    TRun run;
    run.Engine.RenderPreview();
    EXPECT_EQ(run.Messages, std::vector<std::string>{"Printer Device Error..."});
    EXPECT_EQ(run.Engine.PxPerCmX, 38);
    EXPECT_DOUBLE_EQ(run.Engine.ExactPxPerCmX, 37.8);
    EXPECT_EQ(run.Engine.PageWidthPx, 38 * 21);
    EXPECT_EQ(run.Engine.PageHeightPx, 1129); // 38 × 29.7 = 1128.6
    EXPECT_EQ(run.Engine.PrinterStatus, "Printer not found");
    ASSERT_EQ(run.Engine.Pages.size(), 1U);
    EXPECT_EQ(run.Engine.Pages[0].size(), QSize(798, 1129));
    EXPECT_EQ(run.Engine.LineHeight, 16);
}

TEST(PageEngine, PositionsFollowTheMarginsInPixels)
{
    TRun run;
    run.Engine.MarginCm = {2.5, 2.5, 2.5, 2.5, 7, 9, 12, 13, 14, 15, 16, 17};
    run.Engine.RenderPreview();
    const auto& px = run.Engine.MarginPx;
    EXPECT_EQ(px[0], 94);       // 2.5 × 37.8 = 94.5, to the even neighbour
    EXPECT_EQ(px[1], 798 - 94); // 703.5 → 704
    EXPECT_EQ(px[2], 94);
    EXPECT_EQ(px[3], 1034);   // 1129 − 94.5 = 1034.5, to the even neighbour
    EXPECT_EQ(px[4], 38 * 7); // tab stops at the whole-pixel scale
    EXPECT_EQ(px[5], 38 * 9);
    EXPECT_EQ(run.Engine.BreakY, 1002); // 1034.5 less two lines of 16, to even
}

TEST(PageEngine, PrinterPageInWholeCentimetres)
{
    const struct {
        int WidthPx, HeightPx, Dpi;
        int ExpectedWidth, ExpectedHeight;
        const char* Status;
    } cases[] = {
        // 7.99 in across gives 20 cm; 10.5 in down gives 27 cm.
        {4794, 6300, 600, 38 * 20, 38 * 27, "Office"},
        // Smaller than a fifth of A4 across: A4 and no printer.
        {300, 6300, 600, 798, 1129, "Printer not found"},
        {4794, 600, 600, 798, 1129, "Printer not found"},
    };
    for (const auto& c : cases) {
        TRun run;
        run.Metrics.PrinterValue =
            TPageMetrics::TPrinter{"Office", c.Dpi, c.Dpi, c.WidthPx, c.HeightPx};
        run.Engine.RenderPreview();
        EXPECT_TRUE(run.Messages.empty());
        EXPECT_EQ(run.Engine.PageWidthPx, c.ExpectedWidth) << c.WidthPx;
        EXPECT_EQ(run.Engine.PageHeightPx, c.ExpectedHeight) << c.HeightPx;
        EXPECT_EQ(run.Engine.PrinterStatus, c.Status);
    }
    // With the printer, a preview page holds as many lines as a printed one:
    // 100 px at 600 per inch over 6300 px, scaled to the page's 1026 px.
    TRun run;
    run.Metrics.PrinterValue = TPageMetrics::TPrinter{"Office", 600, 600, 4794, 6300};
    run.Engine.RenderPreview();
    EXPECT_DOUBLE_EQ(run.Engine.LineHeight, 100.0 * 1026 / 6300);
}

TEST(PageEngine, UnreadableScreenGives32PixelsPerCentimetre)
{
    TRun run;
    run.Metrics.ScreenValue.reset();
    run.Engine.RenderPreview();
    ASSERT_EQ(run.Messages.size(), 2U);
    EXPECT_EQ(run.Messages[0].rfind("Bitmap Device Error... \r\n", 0), 0U);
    EXPECT_EQ(run.Engine.PxPerCmX, 32);
    EXPECT_EQ(run.Engine.Pages[0].size(), QSize(950, 672));
}

// Lines go down the grid from BaseY without accumulating rounding; a line
// needs one free line above BreakY, a heading four.
TEST(PageEngine, LinesBreakOntoNewPagesAtBreakY)
{
    TRun run;
    // Line k starts at y = 94 + 16 k and fits while y + 16 ≤ BreakY = 1002:
    // a page holds 56 lines (k = 0 … 55).
    BodyOfLines(run.Engine, 56);
    run.Engine.RenderPreview();
    EXPECT_EQ(run.Engine.PageCount, 1);
    BodyOfLines(run.Engine, 57);
    run.Engine.RenderPreview();
    EXPECT_EQ(run.Engine.PageCount, 2);
    EXPECT_EQ(run.Engine.Pages.size(), 2U);
    // Needing four free lines, line k = 53 (y = 942) already breaks.
    BodyOfLines(run.Engine, 53, 4);
    run.Engine.RenderPreview();
    EXPECT_EQ(run.Engine.PageCount, 1);
    BodyOfLines(run.Engine, 54, 4);
    run.Engine.RenderPreview();
    EXPECT_EQ(run.Engine.PageCount, 2);
}

TEST(PageEngine, FractionalLineHeightDoesNotAccumulate)
{
    TRun run;
    run.Metrics.PrinterValue = TPageMetrics::TPrinter{"Office", 600, 600, 4794, 6300};
    std::vector<int> ys;
    run.Engine.OnReportBody = [&] {
        for (int i = 0; i < 40; ++i) {
            ys.push_back(run.Engine.Pen.y());
            run.Engine.AdvanceLines(1);
        }
    };
    run.Engine.RenderPreview();
    const double h = run.Engine.LineHeight;
    for (std::size_t k = 0; k < ys.size(); ++k)
        EXPECT_EQ(ys[k], static_cast<int>(std::lround(94 + static_cast<double>(k) * h))) << k;
}

// Only a report of two or more pages carries page numbers, each centred
// between the margins with its top on the bottom margin.
TEST(PageEngine, PageNumbersOnlyOnReportsOfSeveralPages)
{
    auto inkBelowBottomMargin = [](const TPageEngine& engine, std::size_t page) {
        const QImage& image = engine.Pages[page];
        for (int y = engine.MarginPx[3]; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    TRun one;
    BodyOfLines(one.Engine, 10);
    one.Engine.RenderPreview();
    EXPECT_FALSE(inkBelowBottomMargin(one.Engine, 0));
    TRun two;
    BodyOfLines(two.Engine, 70);
    two.Engine.RenderPreview();
    ASSERT_EQ(two.Engine.PageCount, 2);
    EXPECT_TRUE(inkBelowBottomMargin(two.Engine, 0));
    EXPECT_TRUE(inkBelowBottomMargin(two.Engine, 1));
}

// Without a printer of the system's, Qt's PDF printer gives the page: no
// "Printer Device Error...", and the status names it.
TEST(PageEngine, SystemWithoutPrintersUsesThePdfPrinter)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this system has a printer";
    const TSystemPageMetrics system;
    const auto printer = system.Printer();
    ASSERT_TRUE(printer.has_value());
    EXPECT_EQ(printer->Name, "Print to File (PDF)");
    EXPECT_GT(printer->DpiY, 0);
    TRun run;
    run.Metrics.PrinterValue = printer;
    run.Engine.RenderPreview();
    EXPECT_TRUE(run.Messages.empty());
    EXPECT_EQ(run.Engine.PrinterStatus, "Print to File (PDF)");
    // A4 or Letter less the printer's margins, in whole centimetres.
    EXPECT_GE(run.Engine.PageWidthPx, 38 * 17);
    EXPECT_LE(run.Engine.PageWidthPx, 38 * 22);
}

TEST(PageEngine, PrintingDrawsOnThePagedDevice)
{
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("report.pdf"));
    pdf.setResolution(300);
    TRun run;
    int headers = 0;
    // The device's page while the run draws.
    TPageLayout drawn;
    run.Engine.OnPageHeader = [&](bool) {
        ++headers;
        drawn = run.Engine;
    };
    run.Engine.ReportFont.setPointSize(30);
    BodyOfLines(run.Engine, 200);
    EXPECT_TRUE(run.Engine.RenderToDevice(pdf, "PDF").Ok());
    EXPECT_EQ(drawn.PrinterStatus, "Print to PDF");
    EXPECT_EQ(drawn.PageWidthPx, pdf.width());
    EXPECT_NEAR(drawn.ExactPxPerCmX, 300 / 2.54, 0.5);
    EXPECT_GT(headers, 1);
    EXPECT_TRUE(run.Engine.Pages.empty());
}

} // namespace
