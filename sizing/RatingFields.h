#pragma once

#include "sizing/SolveResults.h"
#include "units/NqConv.h"
#include "units/NumberText.h"

#include <array>

// The values a rating and a selection table give, each described once: the
// key machine-read output names it by, the caption the window shows, its
// quantity kind and how it is shown. Numbers are held in the base unit of
// their kind (kg/s, kW, m, mm); flags and texts have no kind (utNone).
struct TResultField {
    const char* Key;       // name in JSON and CSV output
    const char* Caption;   // label or column heading on the window
    TUnitsType UnitsType;  // quantity kind; utNone for a flag, a text or a ratio
    const char* FormatStr; // display format in the base unit
    TFormatType FormatType;
    int SigDigs;
};

// The fields of a TRating, in this order.
enum TRatingField {
    rfMassFlow, // MassFlow, kg/s
    rfDuty,     // Duty, kW
    rfChoked,   // Choked
    rfMessage,  // Message
};
extern const std::array<TResultField, 4> RatingFields;

// The values of a selection table's row.
enum TSelectionField {
    sfBore,   // Bore.Mm, mm (Bore.Inch beside it for an inch bore)
    sfLength, // each method's Length(method).Length, m; named by the method
    sfSpread, // Spread, a ratio
};
extern const std::array<TResultField, 3> SelectionFields;

// The columns of a selection table: the bore, each method's length in the
// order of SizingMethods, the spread.
enum TSelectionColumn : int {
    scBore = 0,
    scSpread = 1 + static_cast<int>(SizingMethodCount),
};
constexpr int SelectionColumnCount = scSpread + 1;
// The column of a method's lengths.
constexpr int SelectionLengthColumn(TSizingMethod method)
{
    return 1 + static_cast<int>(method);
}
