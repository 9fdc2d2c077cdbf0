#pragma once

#include "sizing/DesignFields.h"

#include <array>
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

// What the report reads: the refrigerant's names, the results of the last
// Solve, and each design-case field's text and unit label as shown.
struct TReportInput {
    std::string RNumber, Formula, ChemicalName;
    double RefrigEffect = 0;                                   // kJ/kg
    double StoeckerLength = 0, WolfLength = 0, ChoiLength = 0; // m
    double LeavingTemp = 0;                                    // °C
    bool Choked = false;
    struct TShownField {
        std::string Text, Unit;
    };
    std::array<TShownField, CaseFieldCount> Fields; // by TDesignField
};

std::vector<TReportLine> CapillaryReportLines(const TReportInput& input);

// The report's title.
extern const char* const CapillaryReportTitle; // "Capillary Tube Estimate"
