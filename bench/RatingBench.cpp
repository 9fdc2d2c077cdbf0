// Timing of rating and selection on the worked example: one rating of a tube
// by all three methods, and one selection table over the standard bores.
#include "sizing/Rating.h"
#include "sizing/TubeSelection.h"
#include "support/WorkedExample.h"

#include <benchmark/benchmark.h>

namespace {

// A tube of 2.4 m on the worked example's bore: the flow by each method.
void RateThreeMethods(benchmark::State& state)
{
    const TRefrigLib lib;
    const TDesignCase designCase = WorkedExample();
    int evaluations = 0;
    for (auto _ : state) {
        const auto ratings = RateTube(lib, designCase, 2.4);
        benchmark::DoNotOptimize(ratings);
        evaluations = 0;
        for (const TRating& r : ratings)
            evaluations += r.Evaluations;
    }
    state.counters["lengths"] = evaluations;
}
BENCHMARK(RateThreeMethods)->Unit(benchmark::kMicrosecond);

void SelectAmongStandardBores(benchmark::State& state)
{
    const TRefrigLib lib;
    const TDesignCase designCase = WorkedExample();
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectionTable(lib, designCase));
    state.counters["rows"] = static_cast<double>(StandardBores.size());
}
BENCHMARK(SelectAmongStandardBores)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
