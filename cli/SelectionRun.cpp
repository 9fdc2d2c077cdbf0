#include "cli/SelectionRun.h"

#include "sizing/CaseRules.h"

#include <algorithm>

bool TSelectionRun::AnyLength() const
{
    return std::any_of(Rows.begin(), Rows.end(), [](const TSelectionRow& row) {
        return std::any_of(row.Lengths.begin(), row.Lengths.end(),
                           [](const TMethodLength& length) { return length.Solved; });
    });
}

TSelectionRun RunSelection(TRefrigLib& lib, const TCaseInput& input)
{
    TSelectionRun selection;
    selection.Run = PrepareCase(lib, input, true);
    if (!selection.Run.Prepared)
        return selection;
    // A case no method can size has no table: each bore would only repeat why.
    const std::string refusal = CaseRefusal(lib, selection.Run.Case);
    if (!refusal.empty())
        selection.Run.Outcome.Error = RefusedCaseMessage(refusal);
    else
        selection.Rows = SelectionTable(lib, selection.Run.Case);
    return selection;
}
