#include "sizing/SolveFields.h"

const std::array<TSolveFieldLayout, SolveFieldCount> SolveFieldLayouts = {{
    {sfRefrigEffect, "refrigEffect", "refrigEffect", "Refrigerating Effect", "%0.1f", "kJ/kg"},
    {sfWolfLength, "wolfLength", "wolfLength", "Wolf length", "%0.3f", "m"},
    {sfChoiLength, "choiLength", "choiLength", "Choi length", "%0.3f", "m"},
    {sfStoeckerLength, "stoeckerLength", "length", "Stoecker length", "%0.3f", "m"},
    {sfLeavingTemp, "leavingTemp", "leavingTemp", "Leaving temp", "%0.1f", "°C"},
    {sfChoked, "choked", "choked", "Choked flow", "", ""},
    {sfSolved, "solved", "solved", "Solved", "", ""},
    {sfError, "error", "error", "Error", "", ""},
    {sfStoeckerStatus, "stoeckerStatus", "status", "Simulation", "", ""},
    {sfStoeckerMessage, "stoeckerMessage", "message", "Simulation refused", "", ""},
}};

const TSolveFieldLayout& SolveFieldLayout(TSolveField field)
{
    return SolveFieldLayouts[static_cast<std::size_t>(field)];
}

const char* StoeckerStatusName(TStoeckerStatus status)
{
    return status == TStoeckerStatus::Ok        ? "ok"
           : status == TStoeckerStatus::Refused ? "refused"
                                                : "notRun";
}

namespace {

TResultValue IfKnown(bool known, TResultValue value)
{
    return known ? value : TResultValue();
}

// A text, none when empty.
TResultValue Text(const std::string& value)
{
    return IfKnown(!value.empty(), value);
}

} // namespace

TResultValue SolveFieldValue(TSolveField field, const TSolveResults& results,
                             const TSolveOutcome& outcome)
{
    const bool simulated = outcome.Stoecker == TStoeckerStatus::Ok;
    switch (field) {
    case sfRefrigEffect:
        return IfKnown(results.RefrigEffect.has_value(), results.RefrigEffect.value_or(0));
    case sfWolfLength:
        return IfKnown(results.WolfFound, results.WolfLength);
    case sfChoiLength:
        return IfKnown(results.ChoiFound, results.ChoiLength);
    case sfStoeckerLength:
        return IfKnown(simulated, results.Stoecker.Length);
    case sfLeavingTemp:
        return IfKnown(simulated, results.Stoecker.LeavingTemp);
    case sfChoked:
        return IfKnown(simulated, results.Stoecker.Choked);
    case sfSolved:
        return outcome.Solved;
    case sfError:
        return Text(outcome.Error);
    case sfStoeckerStatus:
        return std::string(StoeckerStatusName(outcome.Stoecker));
    case sfStoeckerMessage:
        return Text(outcome.Refusal);
    }
    return {};
}
