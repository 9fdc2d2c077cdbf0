#include "cli/Batch.h"

#include "cli/CaseFields.h"
#include "cli/CaseRun.h"
#include "cli/Csv.h"
#include "cli/NumberOut.h"
#include "cli/RatingRun.h"
#include "cli/RecordWriter.h"
#include "cli/ResultValueOut.h"
#include "cli/TubeLength.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

using TRow = TCsvRecord;

// The case's columns: the refrigerant, then the fields as used, in the order
// of the input columns; the fields in `blank` are left empty.
void CaseColumns(TRow& row, const TCaseRun& run, std::initializer_list<TDesignField> blank = {})
{
    row.Text(run.Refrigerant);
    for (const TDesignField field : OutputOrder()) {
        if (std::find(blank.begin(), blank.end(), field) != blank.end())
            row.Empty();
        else
            row.Number(CaseNumber(run, field));
    }
}

// The result columns from the refrigerating effect up to, not including,
// `end`.
void ResultColumns(TRow& row, const TSolveResults& results, const TSolveOutcome& outcome,
                   std::size_t end = SolveColumns().size())
{
    for (std::size_t i = 0; i < end; ++i)
        row.Value(SolveColumns()[i]->Value(results, outcome));
}

// The column of a batch that turns its row into a rating, and the columns a
// batch with it writes after the sizing columns.
const char* const LengthColumn = DesignFieldLayout(dfLength).Key;
// Each method's rated flow ("wolfFlow"), then the choked flag of each that
// simulates ("stoeckerChoked").
const std::vector<std::string>& RatedColumns()
{
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names;
        for (const TSizingMethodEntry& method : SizingMethodEntries)
            names.push_back(std::string(method.Key) + "Flow");
        for (const TSizingMethodEntry& method : SizingMethodEntries)
            if (method.Simulates)
                names.push_back(std::string(method.Key) + "Choked");
        return names;
    }();
    return columns;
}

void WriteHeader(std::ostream& out, std::string& buffer, bool rates)
{
    TRow row(buffer);
    row.Text(RefrigerantKey);
    for (const TDesignField field : OutputOrder())
        row.Text(DesignFieldLayout(field).Key);
    for (const TSolveFieldLayout* column : SolveColumns())
        row.Text(column->Key);
    if (rates) {
        row.Text(LengthColumn);
        for (const std::string& name : RatedColumns())
            row.Text(name);
    }
    row.WriteTo(out);
}

// A row that could not be taken as a case: its inputs as given, and as
// results a Solve that failed with the reason.
void WriteRefusedRow(std::ostream& out, std::string& buffer, const TCaseInput& input,
                     const std::string& reason, const std::optional<std::string>* length)
{
    TRow row(buffer);
    auto given = [&](const std::optional<std::string>& text) {
        row.Text(text ? std::string_view(*text) : std::string_view());
    };
    given(input.Refrigerant);
    for (const TDesignField field : OutputOrder())
        given(input[field]);
    TSolveOutcome outcome;
    outcome.Error = reason;
    ResultColumns(row, TSolveResults(), outcome);
    if (length != nullptr) {
        row.Text(*length ? std::string_view(**length) : std::string_view());
        row.Empty(RatedColumns().size());
    }
    row.WriteTo(out);
}

// A rating row: the case's values as used (the mass flow and duty are what
// the rating finds, so they stay empty), its refrigerating effect, solved
// when any method rated the tube, the reasons of the methods that could not
// in the error column, no simulation status, and the rated flows.
void WriteRatedRow(std::ostream& out, std::string& buffer, const TRatingRun& rating)
{
    const TCaseRun& run = rating.Run;
    TRow row(buffer);
    CaseColumns(row, run, {dfMr, dfQe});
    TSolveOutcome outcome;
    outcome.Solved = rating.AnyRated();
    // Why none rated in one reason when they share one; else each method's.
    outcome.Error = rating.NotRatedReason();
    if (outcome.Error.empty()) {
        for (const TRating& r : rating.Ratings) {
            if (r.Rated)
                continue;
            if (!outcome.Error.empty())
                outcome.Error += "; ";
            outcome.Error += std::string(MethodName(r.Method)) + ": " + r.Message;
        }
    }
    TSolveResults results;
    results.RefrigEffect = run.Results.RefrigEffect;
    ResultColumns(row, results, outcome, SolveColumnsBeforeStatus());
    row.Empty(SolveColumns().size() - SolveColumnsBeforeStatus());
    row.Number(rating.Length);
    for (const TRating& r : rating.Ratings)
        row.Number(r.Rated ? std::optional(r.MassFlow) : std::nullopt);
    // The simulation's choked flag, where it rated the tube.
    for (const TRating& r : rating.Ratings)
        if (MethodEntry(r.Method).Simulates)
            row.Flag(r.Rated ? std::optional(r.Choked) : std::nullopt);
    row.WriteTo(out);
}

void WriteSolvedRow(std::ostream& out, std::string& buffer, const TCaseRun& run, bool rates)
{
    TRow row(buffer);
    CaseColumns(row, run);
    ResultColumns(row, run.Results, run.Outcome);
    if (rates)
        row.Empty(1 + RatedColumns().size());
    row.WriteTo(out);
}

} // namespace

TBatchSummary RunBatch(TRefrigLib& lib, std::istream& in, std::ostream& out,
                       const TSolvedCase& solved)
{
    const auto header = ReadCsvHeader(in);
    if (!header)
        throw EBadInput("batch: the file is empty (a header line is needed)");
    // What each column gives: the refrigerant, a field of the case, or (none)
    // the length to rate.
    struct TColumn {
        bool Refrigerant = false;
        std::optional<TDesignField> Field;
        bool operator==(const TColumn&) const = default;
    };
    std::vector<TColumn> columns;
    std::optional<std::size_t> lengthAt;
    for (const auto& name : *header) {
        if (name == LengthColumn) {
            if (lengthAt)
                throw EBadInput("batch: column '" + name + "' appears twice");
            lengthAt = columns.size();
            columns.emplace_back();
            continue;
        }
        const TColumn column{name == RefrigerantKey, FindCaseField(name)};
        if (!column.Refrigerant && !column.Field)
            throw EBadInput("batch: unknown column '" + name + "'");
        for (const TColumn& seen : columns)
            if (seen == column)
                throw EBadInput("batch: column '" + name + "' appears twice");
        columns.push_back(column);
    }
    const bool rates = lengthAt.has_value();

    std::string buffer;
    WriteHeader(out, buffer, rates);
    // The library file stays as it is for the run: each refrigerant is parsed
    // once, and changing refrigerant from row to row costs no reading.
    lib.KeepParsedRecords();
    // Without a receiver of the solved cases nothing reads the window texts.
    const bool windowTexts = static_cast<bool>(solved);

    TBatchSummary summary;
    long line = 1;
    while (const auto record = ReadCsvRecord(in)) {
        ++line;
        if (record->size() == 1 && (*record)[0].empty())
            continue; // blank line
        ++summary.Cases;
        TCaseInput input;
        std::optional<std::string> lengthText;
        for (std::size_t i = 0; i < columns.size() && i < record->size(); ++i) {
            if ((*record)[i].empty())
                continue;
            if (columns[i].Refrigerant)
                input.Refrigerant = (*record)[i];
            else if (columns[i].Field)
                input[*columns[i].Field] = (*record)[i];
            else
                lengthText = (*record)[i];
        }
        const std::optional<std::string>* length = rates ? &lengthText : nullptr;
        if (record->size() != columns.size()) {
            WriteRefusedRow(out, buffer, input,
                            "line " + std::to_string(line) + ": " + std::to_string(record->size()) +
                                " fields, " + std::to_string(columns.size()) + " expected",
                            length);
            continue;
        }
        try {
            if (lengthText) {
                const TRatingRun rating =
                    RunRating(lib, input, ReadTubeLength(LengthColumn, *lengthText), windowTexts);
                ++summary.Rated;
                if (rating.AnyRated())
                    ++summary.Solved;
                WriteRatedRow(out, buffer, rating);
                continue;
            }
            const TCaseRun run = RunCase(lib, input, windowTexts);
            if (run.Outcome.Solved)
                ++summary.Solved;
            WriteSolvedRow(out, buffer, run, rates);
            if (run.Outcome.Solved && solved)
                solved(summary.Cases, run);
        } catch (const EBadInput& error) {
            WriteRefusedRow(out, buffer, input, error.what(), length);
        }
    }
    return summary;
}
