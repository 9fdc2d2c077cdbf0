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
std::optional<double> ReadNumber(const TCaseInput& input, TCaseKey key)
{
    const auto& text = input[key];
    if (!text)
        return std::nullopt;
    const std::string name = CaseKeyName(key);
    const auto value = TryTextToFloat(*text);
    if (!value || !std::isfinite(static_cast<double>(*value)))
        throw EBadInput(name + ": '" + *text + "' is not a number");
    const double number = static_cast<double>(*value);
    const TDesignField field = CaseKeyField(key);
    if (!InFieldRange(field, number))
        throw EBadInput(name + ": " + *text + " is outside the range " + FieldRangeText(field));
    return number;
}

// The number of each field's initial text, read once.
double InitialValue(TDesignField field)
{
    static const auto initial = [] {
        std::array<double, std::size(DesignFieldLayouts)> values{};
        for (const auto& layout : DesignFieldLayouts)
            values[static_cast<std::size_t>(layout.Field)] = TextToDouble(layout.InitialText);
        return values;
    }();
    return initial[static_cast<std::size_t>(field)];
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
    std::optional<double> given[CaseKeyCount];
    for (std::size_t i = ckTc; i < CaseKeyCount; ++i)
        given[i] = ReadNumber(input, static_cast<TCaseKey>(i));
    auto value = [&](TCaseKey key) -> const std::optional<double>& { return given[key]; };
    if (value(ckMr) && value(ckDuty))
        throw EBadInput("give either mr or duty, not both");

    TCaseRun run;
    run.Window = TWindowTexts(windowTexts);
    const std::string asGiven = input[ckRefrigerant].value_or("R22");
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
        const double tc = Given(value(ckTc), dfTc);
        const double te = Given(value(ckTe), dfTe);
        c.tc = tc;
        c.te = te;
        c.sc = Given(value(ckSc), dfSc);
        c.sh = Given(value(ckSh), dfSh);
        c.dp = Given(value(ckDpl), dfDp);
        c.dpEvap = Given(value(ckDpe), dfDpEvap);
        c.id = Given(value(ckId), dfId);
        // The pressures follow the temperatures through the dew-point line
        // unless they are given.
        c.pc = ShownValue(dfPc, value(ckPc).value_or(PressureOfTemperature(lib, tc)));
        c.pe = ShownValue(dfPe, value(ckPe).value_or(PressureOfTemperature(lib, te)));
        if (!value(ckDuty))
            c.mr = Given(value(ckMr), dfMr);
        const double effect = RefrigeratingEffect(lib, c);
        run.Results.RefrigEffect = effect;
        if (value(ckDuty)) {
            const double duty = ShownValue(dfQe, *value(ckDuty));
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
