#pragma once

#include "sizing/DesignCase.h"
#include "units/NqConv.h"
#include "units/NumberText.h"

#include <array>

// The fields of a design case, and the length of the tube to rate, each
// described once: the window configures its edits from this table, the
// command line tool takes its options and batch columns by the keys, holds a
// value at the precision the window would, and writes its text, JSON and CSV
// outputs with these names, captions and units.
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
    dfLength, // the tube to rate, m; not part of the case the methods size
};

constexpr std::size_t DesignFieldCount = 12;
// The fields of TDesignCase: dfTc to dfId.
constexpr std::size_t CaseFieldCount = dfLength;

struct TDesignFieldLayout {
    TDesignField Field;
    const char* Key;       // command line option (with "--") and CSV column
    const char* JsonKey;   // member name in JSON output
    const char* Caption;   // label on the window
    TUnitsType UnitsType;  // quantity kind; the storage unit is its base unit
    const char* FormatStr; // display format in the storage unit
    TFormatType FormatType;
    int SigDigs;
    double RangeLo; // 0 and 0: no range
    double RangeHi;
    const char* InitialText;
    const char* Unit;               // the storage unit as text output names it
    TCaseValue TDesignCase::*Value; // the member holding it; none for dfLength
};

extern const std::array<TDesignFieldLayout, DesignFieldCount> DesignFieldLayouts;

const TDesignFieldLayout& DesignFieldLayout(TDesignField field);

// The text the field shows for a value in its storage unit.
std::string ShownText(TDesignField field, double value);
// The value the field gives back after showing `value`: the value rounded to
// the field's display format.
double ShownValue(TDesignField field, double value);
// Whether a value lies inside the field's range (always true without one).
bool InFieldRange(TDesignField field, double value);
// "40 to 50 °C": the range as a refusal names it.
std::string FieldRangeText(TDesignField field);
