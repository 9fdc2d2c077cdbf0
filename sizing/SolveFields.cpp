#include "sizing/SolveFields.h"

#include "sizing/SizingMethod.h"

namespace {

TResultValue EffectValue(const TSolveResults& r, const TSolveOutcome&)
{
    return r.RefrigEffect ? TResultValue(*r.RefrigEffect) : TResultValue();
}

double EffectNumber(const TSolveResults& r)
{
    return r.RefrigEffect.value_or(0);
}

TResultValue SolvedValue(const TSolveResults&, const TSolveOutcome& outcome)
{
    return outcome.Solved;
}

TResultValue ErrorValue(const TSolveResults&, const TSolveOutcome& outcome)
{
    return outcome.Error.empty() ? TResultValue() : TResultValue(outcome.Error);
}

double NoNumber(const TSolveResults&)
{
    return 0;
}

} // namespace

const TSolveFieldLayout RefrigEffectField = {"refrigEffect", "refrigEffect", "Refrigerating Effect",
                                             "%0.1f",        "kJ/kg",        TReportShow::Always,
                                             EffectValue,    EffectNumber};
const TSolveFieldLayout SolvedField = {"solved", "solved",           "Solved",    "",
                                       "",       TReportShow::Never, SolvedValue, NoNumber};
const TSolveFieldLayout ErrorField = {"error",    "error", "Error", "", "", TReportShow::Never,
                                      ErrorValue, NoNumber};

const std::vector<const TSolveFieldLayout*>& SolveColumns()
{
    static const std::vector<const TSolveFieldLayout*> columns = [] {
        std::vector<const TSolveFieldLayout*> all{&RefrigEffectField};
        for (const TSizingMethodEntry& method : SizingMethodEntries)
            for (const TSolveFieldLayout& field : method.Results)
                all.push_back(&field);
        all.push_back(&SolvedField);
        all.push_back(&ErrorField);
        for (const TSizingMethodEntry& method : SizingMethodEntries)
            for (const TSolveFieldLayout& field : method.StatusResults)
                all.push_back(&field);
        return all;
    }();
    return columns;
}

std::size_t SolveColumnsBeforeStatus()
{
    std::size_t count = 0;
    for (const TSizingMethodEntry& method : SizingMethodEntries)
        count += method.StatusResults.size();
    return SolveColumns().size() - count;
}
