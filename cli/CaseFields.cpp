#include "cli/CaseFields.h"

#include "cli/NumberOut.h"
#include "cli/ResultValueOut.h"
#include "common/Format.h"

#include <algorithm>
#include <optional>

namespace {

bool Omitted(std::initializer_list<TDesignField> omit, TDesignField field)
{
    return std::find(omit.begin(), omit.end(), field) != omit.end();
}

} // namespace

std::optional<double> CaseNumber(const TCaseRun& run, TDesignField field)
{
    if (!run.Prepared || !IsCaseField(field))
        return std::nullopt;
    return CaseValue(run.Case, field).Number();
}

void WriteCaseLines(std::ostream& out, const TCaseRun& run,
                    std::initializer_list<TDesignField> omit)
{
    for (const TDesignField field : WindowOrder()) {
        if (Omitted(omit, field))
            continue;
        const auto& layout = DesignFieldLayout(field);
        out << Format("%-22s", {std::string(layout.Caption)});
        if (const auto number = CaseNumber(run, field))
            out << ShownText(field, *number) << ' ' << layout.Unit;
        out << '\n';
    }
}

void WriteCaseMembers(TJsonObject& json, const TCaseRun& run,
                      std::initializer_list<TDesignField> omit)
{
    // The fields of a JSON group in their output order.
    auto fields = [&](TJsonGroup group) {
        for (const TDesignField field : OutputOrder())
            if (DesignFieldLayout(field).JsonGroup == group && !Omitted(omit, field))
                json.Number(DesignFieldLayout(field).JsonKey, CaseNumber(run, field));
    };
    json.Member("refrigerant", JsonString(run.Refrigerant));
    json.Member("displayName", JsonString(run.DisplayName));
    fields(TJsonGroup::Case);
    json.Value(RefrigEffectField.JsonKey, RefrigEffectField.Value(run.Results, run.Outcome));
    fields(TJsonGroup::Flow);
}
