// Timing of the calculation core: one full solve of the worked example, and
// the batch path of vellox-solve over 100 000 generated cases.
#include "cli/Batch.h"
#include "sizing/SolveDriver.h"

#include <benchmark/benchmark.h>
#include <sstream>

namespace {

class TNullView : public TSolveView {
public:
    std::size_t Rows = 0;
    void ClearSteps() override { Rows = 0; }
    void AddStep(const TStoeckerStep&) override { ++Rows; }
    void ShowWolf(double) override {}
    void ShowChoi(double) override {}
    void ShowStoecker(const TStoeckerResults&) override {}
    void ShowRefusal(const std::string&) override {}
    void ShowCapillaryLength(double) override {}
    void ShowSolved(bool) override {}
};

void FullSolve(benchmark::State& state)
{
    const TRefrigLib lib;
    TDesignCase designCase;
    designCase.pc = 1540.346;
    designCase.pe = 586.201;
    TNullView view;
    for (auto _ : state) {
        TSolveResults results;
        benchmark::DoNotOptimize(RunSolve(lib, designCase, results, view));
    }
    state.counters["rows"] = static_cast<double>(view.Rows);
}
BENCHMARK(FullSolve);

// Cases spread over the usual range of small equipment.
std::string GeneratedBatch(int cases)
{
    std::ostringstream csv;
    csv << "tc,te,sc,sh,mr,id\n";
    for (int i = 0; i < cases; ++i) {
        csv << 30 + i % 25 << ',' << -25 + (i / 25) % 30 << ',' << 1 + i % 10 << ','
            << 2 + (i / 7) % 15 << ',' << 0.002 + 0.0005 * (i % 17) << ',' << 0.6 + 0.05 * (i % 29)
            << '\n';
    }
    return csv.str();
}

void Batch100k(benchmark::State& state)
{
    const std::string input = GeneratedBatch(100000);
    TRefrigLib lib;
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out;
        const TBatchSummary summary = RunBatch(lib, in, out);
        benchmark::DoNotOptimize(summary);
        state.counters["solved"] = static_cast<double>(summary.Solved);
    }
}
BENCHMARK(Batch100k)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
