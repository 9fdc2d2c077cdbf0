#pragma once

#include "units/NqConv.h"
#include "units/NumberText.h"

#include <array>

// The eleven fields of the design case and how each shows its value: the
// window configures its edits from this table, and the command line tool uses
// it to take a value at the precision the window would hold it.
enum TDesignField {
    dfTc,
    dfTe,
    dfPc,
    dfPe,
    dfSc,
    dfSh,
    dfQe,
    dfMr,
    dfDp,
    dfDpEvap,
    dfId,
};

struct TDesignFieldLayout {
    TDesignField Field;
    const char* Caption;   // label on the window
    TUnitsType UnitsType;  // quantity kind; the storage unit is its base unit
    const char* FormatStr; // display format in the storage unit
    TFormatType FormatType;
    int SigDigs;
    double RangeLo; // 0 and 0: no range
    double RangeHi;
    const char* InitialText;
};

extern const std::array<TDesignFieldLayout, 11> DesignFieldLayouts;

const TDesignFieldLayout& DesignFieldLayout(TDesignField field);

// The text the field shows for a value in its storage unit.
std::string ShownText(TDesignField field, double value);
// The value the field gives back after showing `value`: the value rounded to
// the field's display format.
double ShownValue(TDesignField field, double value);
// Whether a value lies inside the field's range (always true without one).
bool InFieldRange(TDesignField field, double value);
