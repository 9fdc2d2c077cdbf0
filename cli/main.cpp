// vellox-solve: the capillary tube sizing of Vellox on the command line.
#include "cli/Batch.h"
#include "cli/CaseRun.h"
#include "cli/JsonReport.h"
#include "cli/Options.h"
#include "cli/TextReport.h"
#include "common/Errors.h"
#include "common/Text.h"
#include "services/SuiteFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

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

int Run(const TOptions& options)
{
    if (options.Help) {
        std::cout << UsageText;
        return ExitSolved;
    }
    if (options.Version) {
        std::cout << "vellox-solve " << VELLOX_VERSION << '\n';
        return ExitSolved;
    }
    std::string library = options.Library;
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
        if (*options.Batch == "-") {
            summary = RunBatch(lib, std::cin, std::cout);
        } else {
            std::ifstream file(*options.Batch, std::ios::binary);
            if (!file)
                throw EBadInput("batch: cannot read '" + *options.Batch + "'");
            summary = RunBatch(lib, file, std::cout);
        }
        if (summary.Solved != summary.Cases)
            std::cerr << "vellox-solve: " << summary.Cases - summary.Solved << " of "
                      << summary.Cases << " cases not solved\n";
        return summary.Solved == summary.Cases ? ExitSolved : ExitNotSolved;
    }

    const TCaseRun run = RunCase(lib, options.Case);
    if (options.Json)
        WriteJsonReport(std::cout, run);
    else
        WriteTextReport(std::cout, run);
    if (!run.Outcome.Error.empty())
        std::cerr << "vellox-solve: not solved: " << run.Outcome.Error << '\n';
    return run.Outcome.Solved ? ExitSolved : ExitNotSolved;
}

} // namespace

int main(int argc, char** argv)
{
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
