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

TResultValue SolveFieldValue(TSolveField field, const TSolveResults& results,
                             const TSolveOutcome& outcome)
{
    const bool simulated = outcome.Stoecker == TStoeckerStatus::Ok;
    auto text = [](const std::string& value) -> TResultValue {
        if (value.empty())
            return {};
        return value;
    };
    switch (field) {
    case sfRefrigEffect:
        if (results.RefrigEffect)
            return *results.RefrigEffect;
        return {};
    case sfWolfLength:
        if (results.WolfFound)
            return results.WolfLength;
        return {};
    case sfChoiLength:
        if (results.ChoiFound)
            return results.ChoiLength;
        return {};
    case sfStoeckerLength:
        if (simulated)
            return results.Stoecker.Length;
        return {};
    case sfLeavingTemp:
        if (simulated)
            return results.Stoecker.LeavingTemp;
        return {};
    case sfChoked:
        if (simulated)
            return results.Stoecker.Choked;
        return {};
    case sfSolved:
        return outcome.Solved;
    case sfError:
        return text(outcome.Error);
    case sfStoeckerStatus:
        return std::string(StoeckerStatusName(outcome.Stoecker));
    case sfStoeckerMessage:
        return text(outcome.Refusal);
    }
    return {};
}
