// Timing of the calculation core: one full solve of the worked example against
// a replay of the extended-precision exp, ln and log10 calls that solve makes
// (its floor), the batch path of vellox-solve over 100 000 generated cases,
// and a batch that changes refrigerant row by row against the same rows sorted
// by refrigerant. After the runs the ratios of the medians (CPU time) are
// printed; run with --benchmark_repetitions=9 for medians over repetitions.
#include "cli/Batch.h"
#include "sizing/SolveDriver.h"
#include "support/WorkedExample.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <streambuf>
#include <vector>

// The program links with --wrap for expl, logl and log10l, so every call of
// them passes here; one solve is recorded with its arguments.
namespace {

struct TCall {
    char Function; // 'e' expl, 'l' logl, 't' log10l
    long double Argument;
};

bool Recording = false;
std::vector<TCall> Calls;

} // namespace

extern "C" {
long double __real_expl(long double x);
long double __real_logl(long double x);
long double __real_log10l(long double x);

long double __wrap_expl(long double x)
{
    if (Recording)
        Calls.push_back({'e', x});
    return __real_expl(x);
}
long double __wrap_logl(long double x)
{
    if (Recording)
        Calls.push_back({'l', x});
    return __real_logl(x);
}
long double __wrap_log10l(long double x)
{
    if (Recording)
        Calls.push_back({'t', x});
    return __real_log10l(x);
}
}

namespace {

void FullSolve(benchmark::State& state)
{
    const TRefrigLib lib;
    const TDesignCase designCase = WorkedExample();
    TQuietView view;
    std::size_t rows = 0;
    for (auto _ : state) {
        TSolveResults results;
        benchmark::DoNotOptimize(RunSolve(lib, designCase, results, view));
        rows = results.Steps.size();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(FullSolve);

// The transcendental calls of one solve of the worked example, recorded once.
const std::vector<TCall>& SolveCalls()
{
    static const std::vector<TCall> calls = [] {
        const TRefrigLib lib;
        const TDesignCase designCase = WorkedExample();
        TQuietView view;
        TSolveResults results;
        Calls.clear();
        Recording = true;
        RunSolve(lib, designCase, results, view);
        Recording = false;
        return Calls;
    }();
    return calls;
}

void TranscendentalReplay(benchmark::State& state)
{
    const std::vector<TCall>& calls = SolveCalls();
    for (auto _ : state) {
        for (const TCall& call : calls) {
            long double x = call.Argument;
            benchmark::DoNotOptimize(x);
            // Through the same wrappers as the solve's own calls.
            const long double y = call.Function == 'e'   ? std::exp(x)
                                  : call.Function == 'l' ? std::log(x)
                                                         : std::log10(x);
            benchmark::DoNotOptimize(y);
        }
    }
    state.counters["calls"] = static_cast<double>(calls.size());
}
BENCHMARK(TranscendentalReplay);

// The batch's output goes where vellox-solve's goes, a file through a buffer
// of fixed size; here the full buffer is dropped instead of written, so the
// runs do not hold the whole output (tens of megabytes) in memory, which the
// program never does.
class TDiscardBuffer : public std::streambuf {
public:
    TDiscardBuffer() { setp(Buffer.data(), Buffer.data() + Buffer.size()); }

protected:
    int_type overflow(int_type c) override
    {
        setp(Buffer.data(), Buffer.data() + Buffer.size());
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

private:
    std::array<char, 65536> Buffer{};
};

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

constexpr int BatchCases = 100000;

void Batch100k(benchmark::State& state)
{
    const std::string input = GeneratedBatch(BatchCases);
    TRefrigLib lib;
    for (auto _ : state) {
        std::istringstream in(input);
        TDiscardBuffer discard;
        std::ostream out(&discard);
        const TBatchSummary summary = RunBatch(lib, in, out);
        benchmark::DoNotOptimize(summary);
        state.counters["solved"] = static_cast<double>(summary.Solved);
    }
}
BENCHMARK(Batch100k)->Unit(benchmark::kMillisecond)->Iterations(1);

// Rows of the shipped library's refrigerants, the refrigerant changing from
// each row to the next; sorted, the same rows grouped by refrigerant.
constexpr int MixedCases = 8000;
const char* const MixedNames[] = {"R22",   "R134a", "R410A", "R404A",
                                  "R407C", "R290",  "R600a", "R717"};

std::string MixedBatch(bool sorted)
{
    std::vector<std::string> rows;
    for (int i = 0; i < MixedCases; ++i) {
        std::ostringstream row;
        row << MixedNames[i % std::size(MixedNames)] << ',' << 30 + i % 25 << ','
            << -25 + (i / 25) % 30 << ',' << 1 + i % 10 << ',' << 2 + (i / 7) % 15 << ','
            << 0.002 + 0.0005 * (i % 17) << ',' << 0.6 + 0.05 * (i % 29) << '\n';
        rows.push_back(row.str());
    }
    if (sorted)
        std::stable_sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
            return a.substr(0, a.find(',')) < b.substr(0, b.find(','));
        });
    std::string csv = "refrigerant,tc,te,sc,sh,mr,id\n";
    for (const auto& row : rows)
        csv += row;
    return csv;
}

void RefrigerantBatch(benchmark::State& state, bool sorted)
{
    const std::string input = MixedBatch(sorted);
    TRefrigLib lib(VELLOX_LIBRARY);
    for (auto _ : state) {
        std::istringstream in(input);
        TDiscardBuffer discard;
        std::ostream out(&discard);
        const TBatchSummary summary = RunBatch(lib, in, out);
        benchmark::DoNotOptimize(summary);
        state.counters["solved"] = static_cast<double>(summary.Solved);
    }
}
void MixedBatch(benchmark::State& state)
{
    RefrigerantBatch(state, false);
}
void SortedBatch(benchmark::State& state)
{
    RefrigerantBatch(state, true);
}
BENCHMARK(MixedBatch)->Unit(benchmark::kMillisecond);
BENCHMARK(SortedBatch)->Unit(benchmark::kMillisecond);

// Keeps the median CPU time (in seconds) of every benchmark, or its only run
// when there are no repetitions.
class TMedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Seconds;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single)
                Seconds[run.run_name.function_name] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintRatios(const std::map<std::string, double>& seconds)
{
    auto has = [&](const char* name) { return seconds.count(name) != 0; };
    std::printf("\nMedians (CPU time):\n");
    if (has("FullSolve") && has("TranscendentalReplay")) {
        const double solve = seconds.at("FullSolve");
        const double replay = seconds.at("TranscendentalReplay");
        std::printf("  one solve %.2f us, its %zu transcendental calls %.2f us: ratio %.2f\n",
                    solve * 1e6, SolveCalls().size(), replay * 1e6, solve / replay);
        if (has("Batch100k")) {
            const double perCase = seconds.at("Batch100k") / BatchCases;
            std::printf("  batch %.2f us per case: %.2f x the replay, %.2f x one solve\n",
                        perCase * 1e6, perCase / replay, perCase / solve);
        }
    }
    if (has("MixedBatch") && has("SortedBatch")) {
        const double mixed = seconds.at("MixedBatch") / MixedCases;
        const double sorted = seconds.at("SortedBatch") / MixedCases;
        std::printf("  mixed refrigerants %.2f us per case, sorted %.2f us: ratio %.2f\n",
                    mixed * 1e6, sorted * 1e6, mixed / sorted);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintRatios(reporter.Seconds);
    return 0;
}
