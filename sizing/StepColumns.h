#pragma once

#include "common/Extended.h"
#include "sizing/Stoecker.h"

#include <array>
#include <string>

// The columns of the simulation's steps, each described once: the steps
// table's header and row, the plot's axes, the text output and the JSON
// steps all take a step's values from here, in the units shown (kPa and
// kJ/kg where the step holds Pa and J/kg).
struct TStepColumn {
    const char* Header;    // the table's header: "P,kPa"
    const char* Widest;    // the widest value the table's column shows
    int TextWidth;         // characters the text output's header gives it
    const char* FormatStr; // a row's number
    const char* AxisTitle; // the plot's axis, for a column it draws; else null
    // The value in the unit shown: in extended precision for a row's text,
    // and as a double for JSON and the plot.
    Extended (*Shown)(const TStoeckerStep& step);
    double (*Number)(const TStoeckerStep& step);
};

enum TStepColumnId { scT, scP, scX, scSpecificVolume, scH, scVelocity, scDL, scL };

extern const std::array<TStepColumn, 8> StepColumns;

// The text output's header above the rows.
std::string StepsHeaderText();
// One tab-separated row of the steps table.
std::string StepRowText(const TStoeckerStep& step);
