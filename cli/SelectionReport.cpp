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

constexpr TSelectionColumn LengthColumns[] = {scWolf, scChoi, scStoecker};

TSizingMethod MethodOf(TSelectionColumn column)
{
    return column == scWolf ? smWolf : column == scChoi ? smChoi : smStoecker;
}

std::string Shown(TSelectionColumn column, double value)
{
    const TResultField& field = SelectionColumns[column];
    return FormatByType(value, field.FormatStr, field.FormatType, field.SigDigs,
                        FormatDecimalsOf(field.FormatStr));
}

std::string Heading(TSelectionColumn column)
{
    const TResultField& field = SelectionColumns[column];
    std::string heading = field.Caption;
    if (field.UnitsType != utNone)
        heading += ", " + std::string(GetUnitsLabel(field.UnitsType, 0));
    return heading;
}

std::string BoreText(const TStandardBore& bore)
{
    std::string text = Shown(scBore, bore.Mm);
    if (bore.IsInch())
        text += Format("  (%0.3f in)", {bore.Inch});
    return text;
}

std::optional<double> LengthOf(const TSelectionRow& row, TSizingMethod method)
{
    const TMethodLength& length = row.Length(method);
    return length.Solved ? std::optional(length.Length) : std::nullopt;
}

// Stoecker's choked flag, where the simulation gave a length.
std::optional<bool> ChokedOf(const TSelectionRow& row)
{
    const TMethodLength& length = row.Length(smStoecker);
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
    lines.push_back({Heading(scBore), Heading(scWolf), Heading(scChoi), Heading(scStoecker),
                     Heading(scSpread), ""});
    for (const TSelectionRow& row : selection.Rows) {
        std::vector<std::string> cells{BoreText(row.Bore)};
        for (const TSelectionColumn column : LengthColumns) {
            const TMethodLength& length = row.Length(MethodOf(column));
            if (!length.Solved)
                cells.push_back(Format(
                    "%s [%d]", {std::string(NoValue),
                                static_cast<int>(notes.Number(MethodOf(column), length.Message))}));
            else
                cells.push_back(Shown(column, length.Length) + (length.Choked ? chokedMark : ""));
        }
        cells.push_back(row.HasSpread ? Shown(scSpread, row.Spread) : NoValue);
        cells.push_back(row.Practical ? "practical" : "");
        lines.push_back(std::move(cells));
    }
    // In a column where some flows choke, the numbers line up before the mark.
    for (std::size_t i = 1; i <= std::size(LengthColumns); ++i) {
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

void WriteSelectionJson(std::ostream& out, const TSelectionRun& selection)
{
    const TCaseRun& run = selection.Run;
    auto key = [](TSelectionColumn column) { return JsonString(SelectionColumns[column].Key); };
    auto flag = [](const std::optional<bool>& value) {
        return value ? (*value ? "true" : "false") : "null";
    };
    out << "{\n";
    WriteCaseMembers(out, run);
    out << "  \"rows\": [";
    const char* separator = "\n";
    for (const TSelectionRow& row : selection.Rows) {
        out << separator << "    {" << key(scBore) << ": " << FullPrecision(row.Bore.Mm)
            << ", \"inch\": "
            << JsonNumber(row.Bore.IsInch() ? std::optional(row.Bore.Inch) : std::nullopt);
        for (const TSelectionColumn column : LengthColumns)
            out << ", " << key(column) << ": " << JsonNumber(LengthOf(row, MethodOf(column)));
        out << ", \"choked\": " << flag(ChokedOf(row))
            << ", \"practical\": " << (row.Practical ? "true" : "false") << ", " << key(scSpread)
            << ": " << JsonNumber(row.HasSpread ? std::optional(row.Spread) : std::nullopt);
        for (const TSizingMethod method : SizingMethods) {
            const TMethodLength& length = row.Length(method);
            out << ", " << JsonString(MessageKey(method)) << ": "
                << (length.Solved ? "null" : JsonString(length.Message));
        }
        out << "}";
        separator = ",\n";
    }
    out << (selection.Rows.empty() ? "],\n" : "\n  ],\n");
    out << "  \"error\": " << (run.Outcome.Error.empty() ? "null" : JsonString(run.Outcome.Error))
        << "\n}\n";
}

void WriteSelectionCsv(std::ostream& out, const TSelectionRun& selection)
{
    std::string line;
    bool started = false;
    auto separate = [&] {
        if (started)
            line += ',';
        started = true;
    };
    auto number = [&](const std::optional<double>& value) {
        separate();
        if (value)
            AppendFullPrecision(line, *value);
    };
    auto text = [&](std::string_view value) {
        separate();
        AppendCsvField(line, value);
    };
    auto flag = [&](const std::optional<bool>& value) {
        text(value ? (*value ? "true" : "false") : "");
    };
    auto end = [&] {
        out << line << '\n';
        line.clear();
        started = false;
    };

    for (const char* name : {SelectionColumns[scBore].Key, "inch", SelectionColumns[scWolf].Key,
                             SelectionColumns[scChoi].Key, SelectionColumns[scStoecker].Key,
                             "choked", "practical", SelectionColumns[scSpread].Key})
        text(name);
    for (const TSizingMethod method : SizingMethods)
        text(MessageKey(method));
    end();
    for (const TSelectionRow& row : selection.Rows) {
        number(row.Bore.Mm);
        number(row.Bore.IsInch() ? std::optional(row.Bore.Inch) : std::nullopt);
        for (const TSelectionColumn column : LengthColumns)
            number(LengthOf(row, MethodOf(column)));
        flag(ChokedOf(row));
        flag(row.Practical);
        number(row.HasSpread ? std::optional(row.Spread) : std::nullopt);
        for (const TSizingMethod method : SizingMethods)
            text(row.Length(method).Message);
        end();
    }
}
