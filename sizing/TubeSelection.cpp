#include "sizing/TubeSelection.h"

#include <algorithm>
#include <cmath>

TSelectionRow SelectionRow(const TRefrigLib& lib, const TDesignCase& designCase,
                           const TStandardBore& bore)
{
    TSelectionRow row;
    row.Bore = bore;
    TDesignCase c = designCase;
    c.id.SetNumber(bore.Mm);
    for (const TSizingMethod method : SizingMethods)
        row.Lengths[method] = MethodLength(lib, c, method);

    const bool allSolved = std::all_of(row.Lengths.begin(), row.Lengths.end(),
                                       [](const TMethodLength& l) { return l.Solved; });
    if (!allSolved)
        return row;
    const auto [shortest, longest] = std::minmax_element(
        row.Lengths.begin(), row.Lengths.end(),
        [](const TMethodLength& a, const TMethodLength& b) { return a.Length < b.Length; });
    row.Practical = shortest->Length >= PracticalLengthLo && longest->Length <= PracticalLengthHi;
    if (shortest->Length > 0) {
        double sum = 0;
        for (const TMethodLength& l : row.Lengths)
            sum += l.Length;
        const double mean = sum / static_cast<double>(row.Lengths.size());
        const double spread = (longest->Length - shortest->Length) / mean;
        if (std::isfinite(spread)) {
            row.HasSpread = true;
            row.Spread = spread;
        }
    }
    return row;
}

std::vector<TSelectionRow> SelectionTable(const TRefrigLib& lib, const TDesignCase& designCase)
{
    std::vector<TSelectionRow> rows;
    rows.reserve(StandardBores.size());
    for (const TStandardBore& bore : StandardBores)
        rows.push_back(SelectionRow(lib, designCase, bore));
    return rows;
}
