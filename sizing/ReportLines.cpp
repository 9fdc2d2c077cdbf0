#include "sizing/ReportLines.h"

#include "common/Format.h"
#include "sizing/SolveFields.h"

const char* const CapillaryReportTitle = "Capillary Tube Estimate";

namespace {

// The design-case part of the report: heading, then its fields with the
// captions the report gives them.
struct TFieldGroup {
    const char* Heading;
    std::vector<std::pair<const char*, TDesignField>> Fields;
};

const TFieldGroup FieldGroups[] = {
    {"Circuit", {{"Duty", dfQe}, {"Mass flow", dfMr}}},
    {"Condensing", {{"Temperature", dfTc}, {"Pressure", dfPc}, {"Sub-cooling", dfSc}}},
    {"Evaporating", {{"Temperature", dfTe}, {"Pressure", dfPe}, {"Superheating", dfSh}}},
    {"Pressure Drops", {{"Fittings", dfDp}, {"Evaporator", dfDpEvap}}},
};

// A result's line: its caption, its number as the report shows it, its unit.
TReportLine Result(TSolveField field, double value)
{
    const TSolveFieldLayout& layout = SolveFieldLayout(field);
    return {TReportLineKind::Line, layout.Caption, Format(layout.FormatStr, {value}), layout.Unit};
}

} // namespace

std::vector<TReportLine> CapillaryReportLines(const TReportInput& in)
{
    using K = TReportLineKind;
    std::vector<TReportLine> lines = {
        {K::Heading, "Refrigerant", "", ""},     {K::Line, "R Number", in.RNumber, ""},
        {K::Line, "Formula", in.Formula, ""},    {K::Line, "Chemical Name", in.ChemicalName, ""},
        Result(sfRefrigEffect, in.RefrigEffect), {K::Blank, "", "", ""},
    };
    auto field = [&in](const char* caption, TDesignField f) {
        const auto& shown = in.Fields[static_cast<std::size_t>(f)];
        return TReportLine{K::Line, caption, shown.Text, shown.Unit};
    };
    for (const TFieldGroup& group : FieldGroups) {
        lines.push_back({K::Heading, group.Heading, "", ""});
        for (const auto& [caption, f] : group.Fields)
            lines.push_back(field(caption, f));
        lines.push_back({K::Blank, "", "", ""});
    }
    lines.push_back({K::Heading, "Capillary tube", "", ""});
    lines.push_back(field("Inside diameter", dfId));
    if (in.StoeckerLength > 0)
        lines.push_back(Result(sfStoeckerLength, in.StoeckerLength));
    lines.push_back(Result(sfLeavingTemp, in.LeavingTemp));
    if (in.Choked)
        lines.push_back({K::Line, SolveFieldLayout(sfChoked).Caption, "", ""});
    lines.push_back(Result(sfWolfLength, in.WolfLength));
    lines.push_back(Result(sfChoiLength, in.ChoiLength));
    lines.push_back({K::Blank, "", "", ""});
    return lines;
}
