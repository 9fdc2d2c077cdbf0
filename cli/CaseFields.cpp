#include "cli/CaseFields.h"

#include "cli/NumberOut.h"
#include "common/Format.h"

#include <algorithm>
#include <optional>

namespace {

struct TShownField {
    TDesignField Field;
    const char* Unit;
    TCaseValue TDesignCase::*Value;
};

// The window's order, top to bottom.
constexpr TShownField TextOrder[] = {
    {dfTc, "°C", &TDesignCase::tc},  {dfPc, "kPa", &TDesignCase::pc},
    {dfTe, "°C", &TDesignCase::te},  {dfPe, "kPa", &TDesignCase::pe},
    {dfSc, "K", &TDesignCase::sc},   {dfSh, "K", &TDesignCase::sh},
    {dfQe, "kW", &TDesignCase::Qe},  {dfMr, "kg/s", &TDesignCase::mr},
    {dfDp, "kPa", &TDesignCase::dp}, {dfDpEvap, "kPa", &TDesignCase::dpEvap},
    {dfId, "mm", &TDesignCase::id},
};

bool Omitted(std::initializer_list<TDesignField> omit, TDesignField field)
{
    return std::find(omit.begin(), omit.end(), field) != omit.end();
}

std::optional<double> Number(const TCaseRun& run, const TCaseValue& value)
{
    if (!run.Prepared)
        return std::nullopt;
    return value.Number();
}

} // namespace

void WriteCaseLines(std::ostream& out, const TCaseRun& run,
                    std::initializer_list<TDesignField> omit)
{
    for (const TShownField& shown : TextOrder) {
        if (Omitted(omit, shown.Field))
            continue;
        const auto& layout = DesignFieldLayout(shown.Field);
        out << Format("%-22s", {std::string(layout.Caption)});
        if (run.Prepared)
            out << ShownText(shown.Field, (run.Case.*shown.Value).Number()) << ' ' << shown.Unit;
        out << '\n';
    }
}

void WriteCaseMembers(std::ostream& out, const TCaseRun& run,
                      std::initializer_list<TDesignField> omit)
{
    const TDesignCase& c = run.Case;
    auto member = [&](const char* name, const std::string& value) {
        out << "  " << JsonString(name) << ": " << value << ",\n";
    };
    auto field = [&](const char* name, TDesignField which, const TCaseValue& value) {
        if (!Omitted(omit, which))
            member(name, JsonNumber(Number(run, value)));
    };
    member("refrigerant", JsonString(run.Refrigerant));
    member("displayName", JsonString(run.DisplayName));
    field("tc", dfTc, c.tc);
    field("te", dfTe, c.te);
    field("pc", dfPc, c.pc);
    field("pe", dfPe, c.pe);
    field("sc", dfSc, c.sc);
    field("sh", dfSh, c.sh);
    field("dpl", dfDp, c.dp);
    field("dpe", dfDpEvap, c.dpEvap);
    field("id", dfId, c.id);
    member("refrigEffect", JsonNumber(run.RefrigEffect));
    field("massFlow", dfMr, c.mr);
    field("duty", dfQe, c.Qe);
}
