#include "cli/Batch.h"

#include "cli/CaseRun.h"
#include "cli/Csv.h"
#include "cli/NumberOut.h"

#include <optional>

namespace {

std::string Number(const std::optional<double>& value)
{
    return value ? FullPrecision(*value) : std::string();
}

std::string CaseNumber(const TCaseRun& run, const TCaseValue& value)
{
    return run.Prepared ? FullPrecision(value.Number()) : std::string();
}

const char* StatusName(TStoeckerStatus status)
{
    return status == TStoeckerStatus::Ok        ? "ok"
           : status == TStoeckerStatus::Refused ? "refused"
                                                : "notRun";
}

void WriteRow(std::ostream& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        out << (i ? "," : "") << CsvField(fields[i]);
    out << '\n';
}

// A row that could not be taken as a case: its inputs as given and the reason.
std::vector<std::string> RefusedRow(const TCaseInput& input, const std::string& reason)
{
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        fields.push_back(input.Values[i].value_or(""));
    for (int i = 0; i < 6; ++i)
        fields.emplace_back();
    fields.emplace_back("false");
    fields.push_back(reason);
    fields.emplace_back("notRun");
    fields.emplace_back();
    return fields;
}

std::vector<std::string> SolvedRow(const TCaseRun& run)
{
    const TDesignCase& c = run.Case;
    const bool ok = run.Outcome.Stoecker == TStoeckerStatus::Ok;
    const auto& stoecker = run.Results.Stoecker;
    return {
        run.Refrigerant,
        CaseNumber(run, c.tc),
        CaseNumber(run, c.te),
        CaseNumber(run, c.pc),
        CaseNumber(run, c.pe),
        CaseNumber(run, c.sc),
        CaseNumber(run, c.sh),
        CaseNumber(run, c.mr),
        CaseNumber(run, c.Qe),
        CaseNumber(run, c.dp),
        CaseNumber(run, c.dpEvap),
        CaseNumber(run, c.id),
        Number(run.RefrigEffect),
        Number(run.Window.WolfShown ? std::optional(run.Results.WolfLength) : std::nullopt),
        Number(run.Window.ChoiShown ? std::optional(run.Results.ChoiLength) : std::nullopt),
        Number(ok ? std::optional(stoecker.Length) : std::nullopt),
        Number(ok ? std::optional(stoecker.LeavingTemp) : std::nullopt),
        ok ? (stoecker.Choked ? "true" : "false") : "",
        run.Outcome.Solved ? "true" : "false",
        run.Outcome.Error,
        StatusName(run.Outcome.Stoecker),
        run.Outcome.Refusal,
    };
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

    std::vector<std::string> outHeader;
    for (std::size_t i = 0; i < CaseKeyCount; ++i)
        outHeader.emplace_back(CaseKeyName(static_cast<TCaseKey>(i)));
    for (const char* name :
         {"refrigEffect", "wolfLength", "choiLength", "stoeckerLength", "leavingTemp", "choked",
          "solved", "error", "stoeckerStatus", "stoeckerMessage"})
        outHeader.emplace_back(name);
    WriteRow(out, outHeader);

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
            WriteRow(out, RefusedRow(input, "line " + std::to_string(line) + ": " +
                                                std::to_string(record->size()) + " fields, " +
                                                std::to_string(columns.size()) + " expected"));
            continue;
        }
        try {
            const TCaseRun run = RunCase(lib, input);
            if (run.Outcome.Solved)
                ++summary.Solved;
            WriteRow(out, SolvedRow(run));
            if (run.Outcome.Solved && solved)
                solved(summary.Cases, run);
        } catch (const EBadInput& error) {
            WriteRow(out, RefusedRow(input, error.what()));
        }
    }
    return summary;
}
