#include "sizing/ReportLines.h"

#include "common/Format.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveFields.h"

#include <algorithm>

const char* const CapillaryReportTitle = "Capillary Tube Estimate";

namespace {

using K = TReportLineKind;

// A result's lines: caption, number as the report shows it, unit; or the
// caption alone for a flag that is set; none where its rule says so.
void AddResult(std::vector<TReportLine>& lines, const TSolveFieldLayout& field,
               const TSolveResults& results)
{
    const double value = field.Number(results);
    switch (field.Report) {
    case TReportShow::Never:
        return;
    case TReportShow::IfPositive:
        if (!(value > 0))
            return;
        break;
    case TReportShow::IfTrue:
        if (value != 0)
            lines.push_back({K::Line, field.Caption, "", ""});
        return;
    case TReportShow::Always:
        break;
    }
    lines.push_back({K::Line, field.Caption, Format(field.FormatStr, {value}), field.Unit});
}

// The methods in the order the report shows them.
std::vector<const TSizingMethodEntry*> ShownMethods()
{
    std::vector<const TSizingMethodEntry*> methods;
    for (const TSizingMethodEntry& entry : SizingMethodEntries)
        methods.push_back(&entry);
    std::stable_sort(methods.begin(), methods.end(),
                     [](const auto* a, const auto* b) { return a->ShownOrder < b->ShownOrder; });
    return methods;
}

} // namespace

TReportInput MakeReportInput(const TRefrigLib& lib, const TSolveResults& results,
                             const std::function<TShownField(TDesignField)>& shown)
{
    TReportInput in;
    in.RNumber = lib.GetRNumber();
    in.Formula = lib.GetFormula();
    in.ChemicalName = lib.GetChemicalName();
    in.Results.RefrigEffect = results.RefrigEffect;
    in.Results.Methods = results.Methods;
    in.Results.Status = results.Status;
    in.Results.Solved = results.Solved;
    for (std::size_t i = 0; i < CaseFieldCount; ++i)
        in.Fields[i] = shown(static_cast<TDesignField>(i));
    return in;
}

std::vector<TReportLine> CapillaryReportLines(const TReportInput& in)
{
    std::vector<TReportLine> lines = {
        {K::Heading, "Refrigerant", "", ""},
        {K::Line, "R Number", in.RNumber, ""},
        {K::Line, "Formula", in.Formula, ""},
        {K::Line, "Chemical Name", in.ChemicalName, ""},
    };
    AddResult(lines, RefrigEffectField, in.Results);
    lines.push_back({K::Blank, "", "", ""});
    for (int g = 0; g <= static_cast<int>(TReportGroup::Tube); ++g) {
        const auto group = static_cast<TReportGroup>(g);
        lines.push_back({K::Heading, ReportGroupHeading(group), "", ""});
        for (std::size_t i = 0; i < CaseFieldCount; ++i) {
            const TDesignFieldLayout& layout = DesignFieldLayouts[i];
            if (layout.ReportGroup == group)
                lines.push_back(
                    {K::Line, layout.ReportCaption, in.Fields[i].Text, in.Fields[i].Unit});
        }
        // The tube's lengths follow its bore.
        if (group == TReportGroup::Tube)
            for (const TSizingMethodEntry* method : ShownMethods())
                for (const TSolveFieldLayout& field : method->Results)
                    AddResult(lines, field, in.Results);
        lines.push_back({K::Blank, "", "", ""});
    }
    return lines;
}
