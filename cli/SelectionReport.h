#pragma once

#include "cli/SelectionRun.h"

#include <ostream>

// The standard bores table as the window's Tube Selection page shows it: the
// design case, then one line per bore with its size in mm (and in inches for
// an inch bore), each method's length, the spread of the three and a mark on
// the practical rows, in aligned columns. A length that was not found shows
// "–" with a note number; the notes below the table say why.
void WriteSelectionText(std::ostream& out, const TSelectionRun& selection);

// The same as one JSON object, numbers in full precision: the design case's
// members, "rows" (one object per bore: bore, inch, wolf, choi, stoecker,
// choked, practical, spread, wolfMessage, choiMessage, stoeckerMessage; null
// where a value does not apply) and "error" (why the case could not be taken,
// or null).
void WriteSelectionJson(std::ostream& out, const TSelectionRun& selection);

// The table as CSV: a header line and one line per bore, with the columns of
// the JSON rows; empty where a value does not apply.
void WriteSelectionCsv(std::ostream& out, const TSelectionRun& selection);
