#pragma once

#include "cli/CaseInput.h"

#include <optional>
#include <string>
#include <vector>

struct TOptions {
    std::optional<std::string> Library; // none: the suite's library file
    TCaseInput Case;                    // --refrigerant, --tc, ...
    bool Json = false;
    std::optional<double> Rate;           // --rate: the tube length to rate, m
    bool Select = false;                  // --select: the standard bores table
    bool Csv = false;                     // with --select: the table as CSV
    std::optional<std::string> Batch;     // file name, "-" for standard input
    std::optional<std::string> Report;    // report file of the case (.pdf or .gif)
    std::optional<std::string> ReportDir; // with --batch: a PDF per solved case
    bool Help = false;
    bool Version = false;
};

// Reads the command line (without the program name). Raises EBadInput.
TOptions ParseOptions(const std::vector<std::string>& args);

// What --help prints: every option with its range and default.
std::string UsageText();
