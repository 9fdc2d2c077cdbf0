#pragma once

#include <QString>

// How a report run, a print or a report file ended. Callers decide by the
// result; the message is what the user is told of a failure.
enum class TReportResult {
    Success,
    // The page could not be set up for the run ("Setup error...").
    SetupError,
    // The report stopped part way ("Report write error..."): what was drawn
    // is not the report.
    RunError,
    // The printer or paged device refused the report.
    DeviceError,
    // The file could not be written (the system's reason).
    WriteError,
    // The file's name asks for a kind of file reports are not written as.
    UnsupportedFile,
};

struct TReportOutcome {
    TReportResult Result = TReportResult::Success;
    // For the user: "Report write error: out of memory", "Permission
    // denied", "Printer error."; empty on success.
    QString Message;

    bool Ok() const { return Result == TReportResult::Success; }
};
