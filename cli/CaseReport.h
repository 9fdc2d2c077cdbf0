#pragma once

#include "cli/CaseRun.h"
#include "refrig/RefrigLib.h"
#include "report/ReportOutcome.h"

#include <memory>
#include <string>

// The Qt application that report writing needs, for as long as it lives
// (created only when there is none yet). Reports are written while one
// exists.
class TReportSession {
public:
    TReportSession();
    ~TReportSession();
    TReportSession(const TReportSession&) = delete;
    TReportSession& operator=(const TReportSession&) = delete;

private:
    struct TApp;
    std::unique_ptr<TApp> App_;
};

struct TReportPlaces {
    std::string ProgramFolder;    // where LetterHead.txt and ReportLogo.gif are looked for first
    std::string SharedDataFolder; // then Letterhead.txt and ReportLogo.gif here
    std::string VersionText;      // "1.0.8.0"
};
// The report of a solved case written to a file (.pdf or .gif) through the
// desktop program's page engine and composer: the user's stored report
// settings and the letterhead and logo the window would use, the case's
// values as the window's fields show them in their first units. Runs without
// a display, while a TReportSession lives. A failure comes back as the
// outcome (a failed run, a file that could not be written, a name that is
// neither .pdf nor .gif) and is not told on standard error; warnings (a
// stored setting that cannot be used, a letterhead cut short) are.
TReportOutcome WriteCaseReport(const TRefrigLib& lib, const TCaseRun& run, const std::string& path,
                               const TReportPlaces& places);
