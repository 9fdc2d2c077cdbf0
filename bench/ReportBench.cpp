// Timing of the report: laying the one-page capillary tube report out on a
// preview page, and writing it as a GIF picture and as a PDF file; encoding
// one preview page as GIF, of text alone and with a photographic logo.
#include "report/GifFile.h"
#include "report/ReportFile.h"
#include "report/StdReport.h"
#include "sizing/ReportLines.h"
#include "units/NqConv.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <random>

namespace {

// The report of the window's first design case, its fields as first shown.
TReportInput FirstCase()
{
    TReportInput in;
    in.RNumber = "R22";
    in.Formula = "CHClF2";
    in.ChemicalName = "chlorodifluoromethane";
    in.Results.RefrigEffect = 169.3;
    in.Results.Method(smStoecker) = {2.996, 11.2, false};
    in.Results.Method(smWolf).Length = 3.199;
    in.Results.Method(smChoi).Length = 3.393;
    for (const TDesignFieldLayout& layout : DesignFieldLayouts)
        if (layout.Value != nullptr)
            in.Fields[static_cast<std::size_t>(layout.Field)] = {
                layout.InitialText, std::string(GetUnitsLabel(layout.UnitsType, 0))};
    return in;
}

struct TReport {
    TSystemPageMetrics Metrics;
    TPageEngine Engine{Metrics};
    TStdReport Report{Engine};
    std::vector<TReportLine> Lines = CapillaryReportLines(FirstCase());
    TReport()
    {
        Engine.MarginCm = {2.5, 2.5, 2.5, 2.5, 7, 9, 12, 13, 14, 15, 16, 17};
        Report.BeginReport(
            [this] {
                Report.AddReportLines(Lines);
                Report.DrawSignature("Vellox", "1.0.8.0");
            },
            {"Capillary Tube Estimate"});
        Report.SetLetterhead("/none", "/none", 4);
    }
};

void LayoutOnAPreviewPage(benchmark::State& state)
{
    TReport report;
    for (auto _ : state) {
        report.Engine.RenderPreview();
        benchmark::DoNotOptimize(report.Engine.Pages.data());
    }
}
BENCHMARK(LayoutOnAPreviewPage)->Unit(benchmark::kMillisecond);

void WriteGif(benchmark::State& state)
{
    TReport report;
    report.Engine.RenderPreview();
    const QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteGifFile(report.Engine.Pages, dir.filePath("report.gif")));
}
BENCHMARK(WriteGif)->Unit(benchmark::kMillisecond);

// A photographic logo: a colour gradient with noise, far more than 256
// colours, as a Windows bitmap.
QString PhotoLogo(const QTemporaryDir& dir)
{
    QImage logo(240, 240, QImage::Format_RGB32);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> noise(-10, 10);
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x) {
            auto c = [](int v) { return std::max(0, std::min(255, v)); };
            logo.setPixel(x, y,
                          qRgb(c(x + noise(random)), c(y + noise(random)),
                               c(255 - (x + y) / 2 + noise(random))));
        }
    const QString path = dir.filePath("Logo.bmp");
    logo.save(path, "BMP");
    return path;
}

// One preview page written as page0.gif, as the e-mail export does.
void GifOfOnePage(benchmark::State& state)
{
    TReport report;
    const QTemporaryDir dir;
    if (state.range(0) != 0)
        report.Report.SetLetterhead("/none", PhotoLogo(dir), 4);
    report.Engine.RenderPreview();
    const QString path = dir.filePath("page0.gif");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteGifPage(report.Engine.Pages.front(), path));
}
BENCHMARK(GifOfOnePage)->ArgName("photoLogo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void WritePdf(benchmark::State& state)
{
    TReport report;
    const QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteReportFile(report.Engine, dir.filePath("report.pdf"),
                                                 {"Capillary Tube Estimate"}));
}
BENCHMARK(WritePdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
