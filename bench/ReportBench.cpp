// Timing of the report: laying the one-page capillary tube report out on a
// preview page, and writing it as a GIF picture and as a PDF file.
#include "report/GifFile.h"
#include "report/ReportFile.h"
#include "report/StdReport.h"
#include "sizing/ReportLines.h"
#include "units/NqConv.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

// The report of the window's first design case, its fields as first shown.
TReportInput FirstCase()
{
    TReportInput in;
    in.RNumber = "R22";
    in.Formula = "CHClF2";
    in.ChemicalName = "chlorodifluoromethane";
    in.RefrigEffect = 169.3;
    in.StoeckerLength = 2.996;
    in.LeavingTemp = 11.2;
    in.WolfLength = 3.199;
    in.ChoiLength = 3.393;
    for (const TDesignFieldLayout& layout : DesignFieldLayouts)
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
        report.Engine.DoReport();
        benchmark::DoNotOptimize(report.Engine.Pages.data());
    }
}
BENCHMARK(LayoutOnAPreviewPage)->Unit(benchmark::kMillisecond);

void WriteGif(benchmark::State& state)
{
    TReport report;
    report.Engine.DoReport();
    const QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteGifFile(report.Engine.Pages, dir.filePath("report.gif")));
}
BENCHMARK(WriteGif)->Unit(benchmark::kMillisecond);

void WritePdf(benchmark::State& state)
{
    TReport report;
    const QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            WriteReportFile(report.Engine, dir.filePath("report.pdf"), "Capillary Tube Estimate"));
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
