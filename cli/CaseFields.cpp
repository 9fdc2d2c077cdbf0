#include "cli/CaseFields.h"

#include "cli/NumberOut.h"
#include "cli/ResultValueOut.h"
#include "common/Format.h"

#include <algorithm>
#include <optional>

namespace {

// The window's order, top to bottom.
constexpr TDesignField TextOrder[] = {dfTc, dfPc, dfTe, dfPe,     dfSc, dfSh,
                                      dfQe, dfMr, dfDp, dfDpEvap, dfId};

// The order of the JSON members; the refrigerating effect goes between the
// bore and the mass flow.
constexpr TDesignField JsonOrder[] = {dfTc, dfTe, dfPc, dfPe, dfSc, dfSh, dfDp, dfDpEvap, dfId};
constexpr TDesignField JsonFlowOrder[] = {dfMr, dfQe};

bool Omitted(std::initializer_list<TDesignField> omit, TDesignField field)
{
    return std::find(omit.begin(), omit.end(), field) != omit.end();
}

} // namespace

std::optional<double> CaseNumber(const TCaseRun& run, TDesignField field)
{
    const TCaseValue TDesignCase::*value = DesignFieldLayout(field).Value;
    if (!run.Prepared || value == nullptr)
        return std::nullopt;
    return (run.Case.*value).Number();
}

void WriteCaseLines(std::ostream& out, const TCaseRun& run,
                    std::initializer_list<TDesignField> omit)
{
    for (const TDesignField field : TextOrder) {
        if (Omitted(omit, field))
            continue;
        const auto& layout = DesignFieldLayout(field);
        out << Format("%-22s", {std::string(layout.Caption)});
        if (const auto number = CaseNumber(run, field))
            out << ShownText(field, *number) << ' ' << layout.Unit;
        out << '\n';
    }
}

void WriteCaseMembers(std::ostream& out, const TCaseRun& run,
                      std::initializer_list<TDesignField> omit)
{
    auto member = [&](const char* name, const std::string& value) {
        out << "  " << JsonString(name) << ": " << value << ",\n";
    };
    auto fields = [&](const auto& order) {
        for (const TDesignField field : order)
            if (!Omitted(omit, field))
                member(DesignFieldLayout(field).JsonKey, JsonNumber(CaseNumber(run, field)));
    };
    member("refrigerant", JsonString(run.Refrigerant));
    member("displayName", JsonString(run.DisplayName));
    fields(JsonOrder);
    member(SolveFieldLayout(sfRefrigEffect).JsonKey,
           JsonValue(SolveFieldValue(sfRefrigEffect, run.Results, run.Outcome)));
    fields(JsonFlowOrder);
}
