#include "cli/SelectionReport.h"

#include "cli/CaseFields.h"
#include "cli/Csv.h"
#include "cli/NumberOut.h"
#include "cli/TextColumns.h"
#include "common/Format.h"
#include "sizing/RatingFields.h"
#include "sizing/SolveTexts.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* NoValue = "\u2013";
constexpr const char* ColumnGap = "  ";

std::string Shown(TSelectionField column, double value)
{
    const TResultField& field = SelectionFields[column];
    return FormatByType(value, field.FormatStr, field.FormatType, field.SigDigs,
                        FormatDecimalsOf(field.FormatStr));
}

// A column's heading: its caption (a method's name for its lengths) and unit.
std::string Heading(TSelectionField column, const char* caption = nullptr)
{
    const TResultField& field = SelectionFields[column];
    std::string heading = caption != nullptr ? caption : field.Caption;
    if (field.UnitsType != utNone)
        heading += ", " + std::string(GetUnitsLabel(field.UnitsType, 0));
    return heading;
}

std::string BoreText(const TStandardBore& bore)
{
    std::string text = Shown(sfBore, bore.Mm);
    if (bore.IsInch())
        text += Format("  (%0.3f in)", {bore.Inch});
    return text;
}

std::optional<double> LengthOf(const TSelectionRow& row, TSizingMethod method)
{
    const TMethodLength& length = row.Length(method);
    return length.Solved ? std::optional(length.Length) : std::nullopt;
}

// The choked flag of a simulating method, where it gave a length.
std::optional<bool> ChokedOf(const TSelectionRow& row, TSizingMethod method)
{
    const TMethodLength& length = row.Length(method);
    return length.Solved ? std::optional(length.Choked) : std::nullopt;
}

std::string MessageKey(TSizingMethod method)
{
    return std::string(MethodKey(method)) + "Message";
}

// The reasons of the lengths not found, each once, numbered from 1.
class TNotes {
public:
    std::size_t Number(TSizingMethod method, const std::string& message)
    {
        const std::string note = std::string(MethodName(method)) + ": " + OnOneLine(message);
        for (std::size_t i = 0; i < Notes.size(); ++i)
            if (Notes[i] == note)
                return i + 1;
        Notes.push_back(note);
        return Notes.size();
    }
    std::vector<std::string> Notes;
};

void WriteCaseHead(std::ostream& out, const TSelectionRun& selection)
{
    const TCaseRun& run = selection.Run;
    out << run.DisplayName << "\n\n";
    WriteCaseLines(out, run);
    out << '\n';
    if (run.Results.RefrigEffect)
        out << RefrigEffectText(*run.Results.RefrigEffect) << '\n';
}

} // namespace

void WriteSelectionText(std::ostream& out, const TSelectionRun& selection)
{
    WriteCaseHead(out, selection);
    const TCaseRun& run = selection.Run;
    if (!run.Prepared) {
        out << "Standard bores: the lengths could not be found\n";
        return;
    }
    if (selection.Rows.empty() && !run.Outcome.Error.empty()) {
        out << "Standard bores: no lengths, " << run.Outcome.Error << '\n';
        return;
    }
    out << "Standard bores: each method's length at a mass flow of "
        << ShownText(dfMr, run.Case.mr.Number()) << " kg/s\n\n";

    // The cells first, then the widths of the columns.
    const std::string chokedMark = " choked";
    TNotes notes;
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> headings{Heading(sfBore)};
    for (const TSizingMethodEntry& method : SizingMethodEntries)
        headings.push_back(Heading(sfLength, method.Name));
    headings.push_back(Heading(sfSpread));
    headings.push_back("");
    lines.push_back(std::move(headings));
    for (const TSelectionRow& row : selection.Rows) {
        std::vector<std::string> cells{BoreText(row.Bore)};
        for (const TSizingMethod method : SizingMethods) {
            const TMethodLength& length = row.Length(method);
            if (!length.Solved)
                cells.push_back(
                    Format("%s [%d]", {std::string(NoValue),
                                       static_cast<int>(notes.Number(method, length.Message))}));
            else
                cells.push_back(Shown(sfLength, length.Length) + (length.Choked ? chokedMark : ""));
        }
        cells.push_back(row.HasSpread ? Shown(sfSpread, row.Spread) : NoValue);
        cells.push_back(row.Practical ? "practical" : "");
        lines.push_back(std::move(cells));
    }
    // In a column where some flows choke, the numbers line up before the mark.
    for (std::size_t i = 1; i <= SizingMethodCount; ++i) {
        auto marked = [&](const std::vector<std::string>& cells) {
            return cells[i].ends_with(chokedMark);
        };
        if (std::none_of(lines.begin() + 1, lines.end(), marked))
            continue;
        for (auto cells = lines.begin() + 1; cells != lines.end(); ++cells)
            if (!marked(*cells))
                (*cells)[i] += std::string(chokedMark.size(), ' ');
    }
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& cells : lines)
        for (std::size_t i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], TextWidth(cells[i]));
    for (const auto& cells : lines) {
        std::string line = PadRight(cells[0], widths[0]);
        for (std::size_t i = 1; i + 1 < cells.size(); ++i)
            line += ColumnGap + PadLeft(cells[i], widths[i]);
        if (!cells.back().empty())
            line += ColumnGap + cells.back();
        out << line << '\n';
    }

    out << '\n'
        << Format("practical: all three lengths between %g and %g m",
                  {PracticalLengthLo, PracticalLengthHi})
        << '\n';
    for (std::size_t i = 0; i < notes.Notes.size(); ++i)
        out << '[' << i + 1 << "] " << notes.Notes[i] << '\n';
}

namespace {

// A row's members, in the order of the JSON object and the CSV columns:
// the bore (and its inches), each method's length, the simulation's choked
// flag, whether the row is practical, the spread, each method's message.
template <typename Row>
void RowMembers(Row& out, const TSelectionRow& row)
{
    out.Number(SelectionFields[sfBore].Key, row.Bore.Mm);
    out.Number("inch", row.Bore.IsInch() ? std::optional(row.Bore.Inch) : std::nullopt);
    for (const TSizingMethod method : SizingMethods)
        out.Number(MethodKey(method), LengthOf(row, method));
    for (const TSizingMethod method : SizingMethods)
        if (MethodEntry(method).Simulates)
            out.Flag("choked", ChokedOf(row, method));
    out.Flag("practical", row.Practical);
    out.Number(SelectionFields[sfSpread].Key,
               row.HasSpread ? std::optional(row.Spread) : std::nullopt);
    for (const TSizingMethod method : SizingMethods) {
        const TMethodLength& length = row.Length(method);
        out.Text(MessageKey(method), length.Solved ? std::nullopt : std::optional(length.Message));
    }
}

// A row as a one-line JSON object.
class TJsonRow {
public:
    void Number(const std::string& name, const std::optional<double>& value)
    {
        Object.Member(name, JsonNumber(value));
    }
    void Flag(const std::string& name, const std::optional<bool>& value)
    {
        Object.Member(name, JsonFlag(value));
    }
    void Text(const std::string& name, const std::optional<std::string>& value)
    {
        Object.Member(name, value ? JsonString(*value) : "null");
    }
    TJsonInline Object;
};

// A row as CSV fields; with `header`, the names instead of the values.
class TCsvRow {
public:
    TCsvRow(std::string& buffer, bool header) : Record(buffer), Header(header) {}
    void Number(const std::string& name, const std::optional<double>& value)
    {
        Header ? Record.Text(name) : Record.Number(value);
    }
    void Flag(const std::string& name, const std::optional<bool>& value)
    {
        Header ? Record.Text(name) : Record.Flag(value);
    }
    void Text(const std::string& name, const std::optional<std::string>& value)
    {
        Header ? Record.Text(name) : Record.Text(value.value_or(""));
    }
    TCsvRecord Record;
    bool Header;
};

} // namespace

void WriteSelectionJson(std::ostream& out, const TSelectionRun& selection)
{
    const TCaseRun& run = selection.Run;
    TJsonObject json(out, 2);
    WriteCaseMembers(json, run);
    std::vector<std::string> rows;
    for (const TSelectionRow& row : selection.Rows) {
        TJsonRow members;
        RowMembers(members, row);
        rows.push_back(members.Object.Text());
    }
    json.Member("rows", JsonArray(rows, 4));
    json.Member("error", run.Outcome.Error.empty() ? "null" : JsonString(run.Outcome.Error));
    json.End();
    out << '\n';
}

void WriteSelectionCsv(std::ostream& out, const TSelectionRun& selection)
{
    std::string buffer;
    TCsvRow header(buffer, true);
    RowMembers(header, TSelectionRow());
    header.Record.WriteTo(out);
    for (const TSelectionRow& row : selection.Rows) {
        TCsvRow values(buffer, false);
        RowMembers(values, row);
        values.Record.WriteTo(out);
    }
}
