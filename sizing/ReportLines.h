#pragma once

#include "refrig/RefrigLib.h"
#include "sizing/DesignFields.h"
#include "sizing/SolveResults.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// The lines of the capillary tube report, in order: headings, three-column
// lines (caption, value, unit) and blank lines. Every front end that writes
// the report (the window's print, the command line's report file) lays out
// these same lines.
enum class TReportLineKind { Heading, Line, Blank };

struct TReportLine {
    TReportLineKind Kind;
    std::string Caption;
    std::string Value;
    std::string Unit;
    bool operator==(const TReportLine&) const = default;
};

// A design-case field as the report shows it: its text and unit label.
struct TShownField {
    std::string Text, Unit;
};

// What the report reads: the refrigerant's names, the results of the last
// Solve, and each design-case field's text and unit label as shown.
struct TReportInput {
    std::string RNumber, Formula, ChemicalName;
    TSolveResults Results;                          // the steps left out
    std::array<TShownField, CaseFieldCount> Fields; // by TDesignField
};

// The report's input: the selected refrigerant's names, the results, and
// each field as `shown` gives it (the window's text and unit label, or the
// command line's value in its storage unit).
TReportInput MakeReportInput(const TRefrigLib& lib, const TSolveResults& results,
                             const std::function<TShownField(TDesignField)>& shown);

std::vector<TReportLine> CapillaryReportLines(const TReportInput& input);

// The report's title.
extern const char* const CapillaryReportTitle; // "Capillary Tube Estimate"
