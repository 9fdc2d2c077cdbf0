#include "cli/CaseRun.h"

#include "common/Errors.h"
#include "common/Format.h"
#include "common/Text.h"
#include "common/TextToNumber.h"
#include "sizing/CaseRules.h"
#include "sizing/DesignFields.h"
#include "sizing/RefrigEffect.h"
#include "sizing/SolveTexts.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The number given for a design field, checked against the field's range.
std::optional<double> ReadNumber(const TCaseInput& input, TDesignField field)
{
    const auto& text = input[field];
    if (!text)
        return std::nullopt;
    const std::string name = DesignFieldLayout(field).Key;
    const auto value = TryTextToFloat(*text);
    if (!value || !std::isfinite(static_cast<double>(*value)))
        throw EBadInput(name + ": '" + *text + "' is not a number");
    const double number = static_cast<double>(*value);
    if (!InFieldRange(field, number))
        throw EBadInput(name + ": " + *text + " is outside the range " + FieldRangeText(field));
    return number;
}

double Given(const std::optional<double>& value, TDesignField field)
{
    return ShownValue(field, value ? *value : InitialValue(field));
}

} // namespace

std::string SelectByName(TRefrigLib& lib, const std::string& name)
{
    const auto& names = lib.RefrigerantNames();
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const std::string& n) { return SameText(n, name); });
    if (found != names.end()) {
        const std::string spelled = *found;
        lib.SelectRefrigerantIndex(static_cast<int>(found - names.begin()));
        return spelled;
    }
    if (SameText(name, "R22")) {
        lib.SelectRefrigerant("R22");
        return "R22";
    }
    std::string known;
    for (const auto& n : names)
        known += (known.empty() ? "" : ", ") + n;
    throw EBadInput("refrigerant: '" + name + "' is not in the library" +
                    (known.empty() ? std::string(" (no library file; only R22 is built in)")
                                   : " (known: " + known + ")"));
}

TCaseRun RunCase(TRefrigLib& lib, const TCaseInput& input)
{
    return RunCase(lib, input, true);
}

TCaseRun RunCase(TRefrigLib& lib, const TCaseInput& input, bool windowTexts)
{
    TCaseRun run = PrepareCase(lib, input, windowTexts);
    if (run.Prepared)
        run.Outcome = RunSolve(lib, run.Case, run.Results, run.Window);
    return run;
}

TCaseRun PrepareCase(TRefrigLib& lib, const TCaseInput& input, bool windowTexts)
{
    std::array<std::optional<double>, CaseFieldCount> given;
    for (const TDesignField field : OutputOrder())
        given[field] = ReadNumber(input, field);
    if (given[dfMr] && given[dfQe])
        throw EBadInput("give either mr or duty, not both");

    TCaseRun run;
    run.Window = TWindowTexts(windowTexts);
    const std::string asGiven = input.Refrigerant.value_or("R22");
    try {
        run.Refrigerant = SelectByName(lib, asGiven);
    } catch (const EVelloxError& error) {
        // A library section with a broken coefficient list.
        throw EBadInput("refrigerant: " + asGiven + ": " + error.what());
    }
    if (windowTexts)
        run.DisplayName = lib.GetDisplayName();

    TDesignCase& c = run.Case;
    try {
        // The fields of the case itself first, then those that follow them
        // as the window's coupling sets them: a pressure follows its
        // temperature through the dew-point line unless it is given.
        for (const TDesignField field : OutputOrder()) {
            const TDesignFieldLayout& layout = DesignFieldLayout(field);
            if (layout.JsonGroup == TJsonGroup::Case &&
                layout.Coupling != TFieldCoupling::SaturationTemperature)
                CaseValue(c, field) = Given(given[field], field);
        }
        for (const TDesignField field : OutputOrder()) {
            const TDesignFieldLayout& layout = DesignFieldLayout(field);
            if (layout.Coupling == TFieldCoupling::SaturationTemperature)
                CaseValue(c, field) =
                    ShownValue(field, given[field].value_or(PressureOfTemperature(
                                          lib, CaseValue(c, layout.Partner).Number())));
        }
        // The duty moves the mass flow when it is given; else the duty
        // follows the mass flow.
        if (!given[dfQe])
            c.mr = Given(given[dfMr], dfMr);
        const double effect = RefrigeratingEffect(lib, c);
        run.Results.RefrigEffect = effect;
        if (given[dfQe]) {
            const double duty = ShownValue(dfQe, *given[dfQe]);
            c.Qe = duty;
            c.mr = ShownValue(dfMr, MassFlowOfDuty(duty, effect));
        } else {
            c.Qe = ShownValue(dfQe, DutyOfMassFlow(c.mr.Number(), effect));
        }
        run.Prepared = true;
        if (windowTexts) {
            run.Window.EffectLabel = RefrigEffectText(effect);
            run.Window.Panel0 = SolvedText(false);
        }
    } catch (const EVelloxError& error) {
        run.Outcome.Error = error.what();
        if (windowTexts)
            run.Window.Panel0 = SolvedText(false);
    }
    return run;
}
