// vellox-solve: the capillary tube sizing of Vellox on the command line.
#include "cli/Batch.h"
#include "cli/CaseRun.h"
#include "cli/JsonReport.h"
#include "cli/Options.h"
#include "cli/RatingReport.h"
#include "cli/ReportTarget.h"
#include "cli/SelectionReport.h"
#include "cli/TextReport.h"
#include "common/Errors.h"
#include "common/Text.h"
#include "services/SuiteFolder.h"

#ifdef VELLOX_WITH_REPORT
#include "cli/CaseReport.h"
#endif

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#ifndef VELLOX_VERSION
#define VELLOX_VERSION "unknown"
#endif

namespace {

constexpr int ExitSolved = 0;
constexpr int ExitNotSolved = 1;
constexpr int ExitBadInput = 2;

// A library named on the command line must be a regular file this tool can
// open; anything else is bad input, with the reason.
void CheckReadableFile(const std::string& path)
{
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    std::string reason;
    if (error)
        reason = error.message();
    else if (!regular)
        reason = std::filesystem::exists(path, error) ? "not a regular file" : "no such file";
    else if (!std::ifstream(path, std::ios::binary))
        reason = std::strerror(errno);
    if (!reason.empty())
        throw EBadInput("library: cannot read " + QuotedValue(path) + ": " + reason);
}

#ifdef VELLOX_WITH_REPORT
constexpr bool ReportBuilt = true;
#else
constexpr bool ReportBuilt = false;
#endif

// Writes the report of a solved case; false after saying why it could not.
bool WriteReport(const TRefrigLib& lib, const TCaseRun& run, const std::string& path)
{
#ifdef VELLOX_WITH_REPORT
    const std::string folder = RunningProgramFolder();
    const TReportPlaces places{folder, FindSuiteFolderFor(folder, "/opt/") + "Common Files/",
                               VELLOX_VERSION};
    const TReportOutcome written = WriteCaseReport(lib, run, path, places);
    if (written.Ok())
        return true;
    std::cerr << "vellox-solve: report " << path << ": " << written.Message.toStdString() << '\n';
#else
    (void)lib, (void)run, (void)path;
#endif
    return false;
}

// A tube of the given length rated: solved when any method rates it.
int Rate(TRefrigLib& lib, const TOptions& options)
{
    const TRatingRun rating = RunRating(lib, options.Case, *options.Rate, true);
    if (options.Json)
        WriteRatingJson(std::cout, rating);
    else
        WriteRatingText(std::cout, rating);
    if (!rating.AnyRated())
        std::cerr << "vellox-solve: not rated: " << rating.NotRatedReason() << '\n';
    return rating.AnyRated() ? ExitSolved : ExitNotSolved;
}

// The standard bores table: solved when any method gives any bore a length.
int Select(TRefrigLib& lib, const TOptions& options)
{
    const TSelectionRun selection = RunSelection(lib, options.Case);
    if (options.Json)
        WriteSelectionJson(std::cout, selection);
    else if (options.Csv)
        WriteSelectionCsv(std::cout, selection);
    else
        WriteSelectionText(std::cout, selection);
    if (!selection.Run.Outcome.Error.empty())
        std::cerr << "vellox-solve: not solved: " << selection.Run.Outcome.Error << '\n';
    else if (!selection.AnyLength())
        std::cerr << "vellox-solve: not solved: no method gave a length for any bore\n";
    return selection.AnyLength() ? ExitSolved : ExitNotSolved;
}

int Run(const TOptions& options)
{
    if (options.Help) {
        std::cout << UsageText();
        return ExitSolved;
    }
    if (options.Version) {
        std::cout << "vellox-solve " << VELLOX_VERSION << '\n';
        return ExitSolved;
    }
    if ((options.Report || options.ReportDir) && !ReportBuilt)
        throw EBadInput("--report: this vellox-solve was built without the desktop parts "
                        "and cannot write reports");
    // Where the reports go is checked before any work.
    if (options.Report)
        CheckReportFile(*options.Report);
    if (options.ReportDir)
        PrepareReportFolder(*options.ReportDir);
#ifdef VELLOX_WITH_REPORT
    std::optional<TReportSession> session;
    if (options.Report || options.ReportDir)
        session.emplace();
#endif
    std::string library = options.Library.value_or("");
    if (!library.empty())
        CheckReadableFile(library);
    if (library.empty()) {
        // The library of the suite this tool is installed in, as the desktop
        // program finds it; without one, the built-in R22.
        const std::string shared =
            FindSuiteFolderFor(RunningProgramFolder(), "/opt/") + "Common Files/RefLib8.rdf";
        std::error_code error;
        if (std::filesystem::is_regular_file(shared, error))
            library = shared;
    }
    TRefrigLib lib(library);
    if (!lib.StartupError().empty())
        std::cerr << "vellox-solve: the library's R22 section cannot be read ("
                  << lib.StartupError() << "); using the built-in R22\n";

    if (options.Batch) {
        TBatchSummary summary;
        bool reportsWritten = true;
        TSolvedCase report;
        if (options.ReportDir) {
            report = [&](long number, const TCaseRun& run) {
                const std::string path = (std::filesystem::path(*options.ReportDir) /
                                          ("case-" + std::to_string(number) + ".pdf"))
                                             .string();
                reportsWritten = WriteReport(lib, run, path) && reportsWritten;
            };
        }
        if (*options.Batch == "-") {
            summary = RunBatch(lib, std::cin, std::cout, report);
        } else {
            std::ifstream file(*options.Batch, std::ios::binary);
            if (!file)
                throw EBadInput("batch: cannot read '" + *options.Batch + "'");
            summary = RunBatch(lib, file, std::cout, report);
        }
        if (options.ReportDir && summary.Rated > 0)
            std::cerr << "vellox-solve: " << summary.Rated << " of " << summary.Cases
                      << " cases rate a tube and have no report (a report is the sizing of a "
                         "solved case)\n";
        if (!reportsWritten)
            return ExitNotSolved;
        if (summary.Solved != summary.Cases)
            std::cerr << "vellox-solve: " << summary.Cases - summary.Solved << " of "
                      << summary.Cases << " cases not solved\n";
        return summary.Solved == summary.Cases ? ExitSolved : ExitNotSolved;
    }

    if (options.Rate)
        return Rate(lib, options);
    if (options.Select)
        return Select(lib, options);

    const TCaseRun run = RunCase(lib, options.Case);
    if (options.Json)
        WriteJsonReport(std::cout, run);
    else
        WriteTextReport(std::cout, run);
    if (!run.Outcome.Error.empty())
        std::cerr << "vellox-solve: not solved: " << run.Outcome.Error << '\n';
    if (options.Report) {
        if (!run.Outcome.Solved) {
            std::cerr << "Must solve first...\n";
            return ExitNotSolved;
        }
        if (!WriteReport(lib, run, *options.Report))
            return ExitNotSolved;
    }
    return run.Outcome.Solved ? ExitSolved : ExitNotSolved;
}

} // namespace

int main(int argc, char** argv)
{
    // A file-size limit makes a write fail with "File too large", which the
    // report writing reports and cleans up after, instead of ending the
    // program halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        return Run(ParseOptions(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const EBadInput& error) {
        std::cerr << "vellox-solve: " << error.what() << "\n(see vellox-solve --help)\n";
        return ExitBadInput;
    } catch (const std::exception& error) {
        std::cerr << "vellox-solve: " << error.what() << '\n';
        return ExitNotSolved;
    }
}
