#include "cli/Batch.h"

#include "cli/CaseFields.h"
#include "cli/CaseRun.h"
#include "cli/Csv.h"
#include "cli/NumberOut.h"
#include "cli/RatingRun.h"
#include "cli/ResultValueOut.h"
#include "cli/TubeLength.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

// One output row is built in one buffer, field by field, and written at once.
class TRow {
public:
    explicit TRow(std::string& buffer) : Buffer(buffer) { Buffer.clear(); }

    void Text(std::string_view text)
    {
        Separate();
        AppendCsvField(Buffer, text);
    }
    void Number(double value)
    {
        Separate();
        AppendFullPrecision(Buffer, value);
    }
    void Number(const std::optional<double>& value)
    {
        Separate();
        if (value)
            AppendFullPrecision(Buffer, *value);
    }
    void Value(const TResultValue& value)
    {
        Separate();
        AppendCsvValue(Buffer, value);
    }
    void Empty(std::size_t count = 1)
    {
        for (std::size_t i = 0; i < count; ++i)
            Separate();
    }
    void WriteTo(std::ostream& out)
    {
        Buffer += '\n';
        out.write(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
    }

private:
    void Separate()
    {
        if (Started)
            Buffer += ',';
        Started = true;
    }

    std::string& Buffer;
    bool Started = false;
};

// The case's columns: the refrigerant, then the fields as used, in the order
// of the input columns; the fields in `blank` are left empty.
void CaseColumns(TRow& row, const TCaseRun& run, std::initializer_list<TDesignField> blank = {})
{
    row.Text(run.Refrigerant);
    for (std::size_t i = ckTc; i < CaseKeyCount; ++i) {
        const TDesignField field = CaseKeyField(static_cast<TCaseKey>(i));
        if (std::find(blank.begin(), blank.end(), field) != blank.end())
            row.Empty();
        else
            row.Number(CaseNumber(run, field));
    }
}

// The result columns from sfRefrigEffect up to, not including, `end`.
void ResultColumns(TRow& row, const TSolveResults& results, const TSolveOutcome& outcome,
                   std::size_t end = SolveFieldCount)
{
    for (std::size_t i = 0; i < end; ++i)
        row.Value(SolveFieldValue(static_cast<TSolveField>(i), results, outcome));
}

// The column of a batch that turns its row into a rating, and the columns a
// batch with it writes after the sizing columns.
const char* const LengthColumn = DesignFieldLayout(dfLength).Key;
constexpr const char* RatedColumns[] = {"wolfFlow", "choiFlow", "stoeckerFlow", "stoeckerChoked"};
constexpr std::size_t RatingColumnCount = 1 + std::size(RatedColumns);

void WriteHeader(std::ostream& out, std::string& buffer, bool rates)
{
    TRow row(buffer);
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        row.Text(CaseKeyName(static_cast<TCaseKey>(i)));
    for (const TSolveFieldLayout& layout : SolveFieldLayouts)
        row.Text(layout.Key);
    if (rates) {
        row.Text(LengthColumn);
        for (const char* name : RatedColumns)
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
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        row.Text(input.Values[i] ? std::string_view(*input.Values[i]) : std::string_view());
    TSolveOutcome outcome;
    outcome.Error = reason;
    ResultColumns(row, TSolveResults(), outcome);
    if (length != nullptr) {
        row.Text(*length ? std::string_view(**length) : std::string_view());
        row.Empty(std::size(RatedColumns));
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
    ResultColumns(row, results, outcome, sfStoeckerStatus);
    row.Empty(SolveFieldCount - sfStoeckerStatus);
    row.Number(rating.Length);
    for (const TRating& r : rating.Ratings)
        row.Number(r.Rated ? std::optional(r.MassFlow) : std::nullopt);
    const TRating& stoecker = rating.Ratings[smStoecker];
    row.Text(stoecker.Rated ? (stoecker.Choked ? "true" : "false") : "");
    row.WriteTo(out);
}

void WriteSolvedRow(std::ostream& out, std::string& buffer, const TCaseRun& run, bool rates)
{
    TRow row(buffer);
    CaseColumns(row, run);
    ResultColumns(row, run.Results, run.Outcome);
    if (rates)
        row.Empty(RatingColumnCount);
    row.WriteTo(out);
}

} // namespace

TBatchSummary RunBatch(TRefrigLib& lib, std::istream& in, std::ostream& out,
                       const TSolvedCase& solved)
{
    const auto header = ReadCsvHeader(in);
    if (!header)
        throw EBadInput("batch: the file is empty (a header line is needed)");
    // Each column's case key; the length column has none.
    std::vector<std::optional<TCaseKey>> columns;
    std::optional<std::size_t> lengthAt;
    for (const auto& name : *header) {
        if (name == LengthColumn) {
            if (lengthAt)
                throw EBadInput("batch: column '" + name + "' appears twice");
            lengthAt = columns.size();
            columns.emplace_back();
            continue;
        }
        const auto key = FindCaseKey(name);
        if (!key)
            throw EBadInput("batch: unknown column '" + name + "'");
        for (const auto seen : columns)
            if (seen == key)
                throw EBadInput("batch: column '" + name + "' appears twice");
        columns.push_back(key);
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
            if (columns[i])
                input[*columns[i]] = (*record)[i];
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
