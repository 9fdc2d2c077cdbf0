#pragma once

#include "sizing/DesignCase.h"
#include "units/NqConv.h"
#include "units/NumberText.h"

#include <array>
#include <optional>
#include <vector>

// The fields of a design case, and the length of the tube to rate, each
// described once. Every front end takes what it needs of a field from its
// entry: the window builds its edits, captions, grid, tab order, coupling and
// stored values from it; the command line tool its options, usage lines,
// batch columns and the order and names of its text, JSON and CSV outputs;
// the report its groups and captions. A new field is one entry here and one
// member of TDesignCase.
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

// What leaving a changed field sets off on the window.
enum class TFieldCoupling {
    None,
    Effect,                // the refrigerating effect is found again
    EffectAndDuty,         // ... and the duty follows the mass flow
    SaturationPressure,    // the partner pressure follows this temperature, then EffectAndDuty
    SaturationTemperature, // the partner temperature follows this pressure, then EffectAndDuty
    MassFlowOfDuty,        // the effect, then the mass flow follows this duty
};

// The report's groups of fields, in the report's order; each has its heading.
enum class TReportGroup { Circuit, Condensing, Evaporating, PressureDrops, Tube, None };
// "Circuit", "Condensing", "Evaporating", "Pressure Drops", "Capillary tube".
const char* ReportGroupHeading(TReportGroup group);

// The JSON object of a case: its own values, then (after the refrigerating
// effect) the flow, which a rating seeks rather than takes.
enum class TJsonGroup { Case, Flow };

// Where a field sits on the Data Entry page: its grid row and column, and
// the caption with its mnemonic; none for a field whose row the caption of
// another one names (a pressure beside its temperature), and for a field on
// another page (row 0).
struct TWindowPlace {
    int Row = 0;
    int Column = 0;
    const char* Caption = nullptr;
};

struct TDesignFieldLayout {
    TDesignField Field;
    // The member's own name: TDesignCase::<Name>, the window's <Name>Edit.
    const char* Name;

    // Command line and machine-read output.
    const char* Key;        // command line option (with "--") and CSV column
    const char* JsonKey;    // member name in JSON output
    TJsonGroup JsonGroup;   // where in a case's JSON object
    int OutputOrder;        // position among the options, CSV columns and JSON members
    const char* ValueName;  // the value in the option's usage line: "C", "KPA"
    const char* Meaning;    // the usage line's words: "condensing temperature"
    const char* DefaultFor; // the usage line's default when not the first text's number
    const char* UsageNote;  // after the usage line's unit and range; may be null

    // The window and the text output.
    const char* Caption; // the field's name: its accessible name, the text output's caption
    TWindowPlace Window;
    TFieldCoupling Coupling;
    TDesignField Partner; // the other half of a saturation pair

    // The report.
    TReportGroup ReportGroup;
    const char* ReportCaption;

    // Quantity and display.
    TUnitsType UnitsType;  // quantity kind; the storage unit is its base unit
    const char* FormatStr; // display format in the storage unit
    TFormatType FormatType;
    int SigDigs;
    double RangeLo; // 0 and 0: no range
    double RangeHi;
    const char* InitialText; // the edit's text when the window opens; the tool's default
    const char* Unit;        // the storage unit as text output names it

    // Values a new window and New put in. The stored key is null for a field
    // that follows the others (the pressures, the duty) and is not kept.
    const char* StoredKey;
    std::optional<double> FirstRunValue; // no value stored yet
    std::optional<double> NewValue;      // New sets it

    TCaseValue TDesignCase::*Value; // the member holding it; none for dfLength
};

extern const std::array<TDesignFieldLayout, DesignFieldCount> DesignFieldLayouts;

const TDesignFieldLayout& DesignFieldLayout(TDesignField field);

// The fields of a TDesignCase in the order the window lists them, top to
// bottom and left to right (the text output's order).
const std::vector<TDesignField>& WindowOrder();
// The case's fields in their output order (options, CSV columns, JSON).
const std::vector<TDesignField>& OutputOrder();
// Whether the field is one of TDesignCase's.
inline bool IsCaseField(TDesignField field)
{
    return static_cast<std::size_t>(field) < CaseFieldCount;
}

// The value of a field of a case.
inline const TCaseValue& CaseValue(const TDesignCase& designCase, TDesignField field)
{
    return designCase.*DesignFieldLayout(field).Value;
}
inline TCaseValue& CaseValue(TDesignCase& designCase, TDesignField field)
{
    return designCase.*DesignFieldLayout(field).Value;
}

// The text the field shows for a value in its storage unit.
std::string ShownText(TDesignField field, double value);
// The value the field gives back after showing `value`: the value rounded to
// the field's display format.
double ShownValue(TDesignField field, double value);
// The number of the field's first text.
double InitialValue(TDesignField field);
// Whether a value lies inside the field's range (always true without one).
bool InFieldRange(TDesignField field, double value);
// "40 to 50 °C": the range as a refusal names it.
std::string FieldRangeText(TDesignField field);
