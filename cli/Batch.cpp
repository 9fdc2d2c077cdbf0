#include "cli/Batch.h"

#include "cli/CaseRun.h"
#include "cli/Csv.h"
#include "cli/NumberOut.h"

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
    void Empty(int count = 1)
    {
        for (int i = 0; i < count; ++i)
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

void CaseNumber(TRow& row, const TCaseRun& run, const TCaseValue& value)
{
    if (run.Prepared)
        row.Number(value.Number());
    else
        row.Empty();
}

const char* StatusName(TStoeckerStatus status)
{
    return status == TStoeckerStatus::Ok        ? "ok"
           : status == TStoeckerStatus::Refused ? "refused"
                                                : "notRun";
}

void WriteHeader(std::ostream& out, std::string& buffer)
{
    TRow row(buffer);
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        row.Text(CaseKeyName(static_cast<TCaseKey>(i)));
    for (const char* name :
         {"refrigEffect", "wolfLength", "choiLength", "stoeckerLength", "leavingTemp", "choked",
          "solved", "error", "stoeckerStatus", "stoeckerMessage"})
        row.Text(name);
    row.WriteTo(out);
}

// A row that could not be taken as a case: its inputs as given and the reason.
void WriteRefusedRow(std::ostream& out, std::string& buffer, const TCaseInput& input,
                     const std::string& reason)
{
    TRow row(buffer);
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        row.Text(input.Values[i] ? std::string_view(*input.Values[i]) : std::string_view());
    row.Empty(6);
    row.Text("false");
    row.Text(reason);
    row.Text("notRun");
    row.Empty();
    row.WriteTo(out);
}

void WriteSolvedRow(std::ostream& out, std::string& buffer, const TCaseRun& run)
{
    const TDesignCase& c = run.Case;
    const bool ok = run.Outcome.Stoecker == TStoeckerStatus::Ok;
    const auto& stoecker = run.Results.Stoecker;
    TRow row(buffer);
    row.Text(run.Refrigerant);
    for (const TCaseValue* value :
         {&c.tc, &c.te, &c.pc, &c.pe, &c.sc, &c.sh, &c.mr, &c.Qe, &c.dp, &c.dpEvap, &c.id})
        CaseNumber(row, run, *value);
    row.Number(run.RefrigEffect);
    row.Number(run.Window.WolfShown ? std::optional(run.Results.WolfLength) : std::nullopt);
    row.Number(run.Window.ChoiShown ? std::optional(run.Results.ChoiLength) : std::nullopt);
    row.Number(ok ? std::optional(stoecker.Length) : std::nullopt);
    row.Number(ok ? std::optional(stoecker.LeavingTemp) : std::nullopt);
    row.Text(ok ? (stoecker.Choked ? "true" : "false") : "");
    row.Text(run.Outcome.Solved ? "true" : "false");
    row.Text(run.Outcome.Error);
    row.Text(StatusName(run.Outcome.Stoecker));
    row.Text(run.Outcome.Refusal);
    row.WriteTo(out);
}

} // namespace

TBatchSummary RunBatch(TRefrigLib& lib, std::istream& in, std::ostream& out,
                       const TSolvedCase& solved)
{
    const auto header = ReadCsvHeader(in);
    if (!header)
        throw EBadInput("batch: the file is empty (a header line is needed)");
    std::vector<TCaseKey> columns;
    for (const auto& name : *header) {
        const auto key = FindCaseKey(name);
        if (!key)
            throw EBadInput("batch: unknown column '" + name + "'");
        for (const auto seen : columns)
            if (seen == *key)
                throw EBadInput("batch: column '" + name + "' appears twice");
        columns.push_back(*key);
    }

    std::string buffer;
    WriteHeader(out, buffer);
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
        for (std::size_t i = 0; i < columns.size() && i < record->size(); ++i)
            if (!(*record)[i].empty())
                input[columns[i]] = (*record)[i];
        if (record->size() != columns.size()) {
            WriteRefusedRow(out, buffer, input,
                            "line " + std::to_string(line) + ": " + std::to_string(record->size()) +
                                " fields, " + std::to_string(columns.size()) + " expected");
            continue;
        }
        try {
            const TCaseRun run = RunCase(lib, input, windowTexts);
            if (run.Outcome.Solved)
                ++summary.Solved;
            WriteSolvedRow(out, buffer, run);
            if (run.Outcome.Solved && solved)
                solved(summary.Cases, run);
        } catch (const EBadInput& error) {
            WriteRefusedRow(out, buffer, input, error.what());
        }
    }
    return summary;
}
