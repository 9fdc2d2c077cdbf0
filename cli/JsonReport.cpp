#include "cli/JsonReport.h"

#include "cli/NumberOut.h"

namespace {

std::optional<double> Number(const TCaseRun& run, const TCaseValue& value)
{
    if (!run.Prepared)
        return std::nullopt;
    return value.Number();
}

const char* StatusName(TStoeckerStatus status)
{
    switch (status) {
    case TStoeckerStatus::Ok:
        return "ok";
    case TStoeckerStatus::Refused:
        return "refused";
    case TStoeckerStatus::NotRun:
    default:
        return "notRun";
    }
}

} // namespace

void WriteJsonReport(std::ostream& out, const TCaseRun& run)
{
    const TDesignCase& c = run.Case;
    const bool ok = run.Outcome.Stoecker == TStoeckerStatus::Ok;
    const auto& stoecker = run.Results.Stoecker;
    auto field = [&](const char* name, const std::string& value) {
        out << "  " << JsonString(name) << ": " << value << ",\n";
    };
    out << "{\n";
    field("refrigerant", JsonString(run.Refrigerant));
    field("displayName", JsonString(run.DisplayName));
    field("tc", JsonNumber(Number(run, c.tc)));
    field("te", JsonNumber(Number(run, c.te)));
    field("pc", JsonNumber(Number(run, c.pc)));
    field("pe", JsonNumber(Number(run, c.pe)));
    field("sc", JsonNumber(Number(run, c.sc)));
    field("sh", JsonNumber(Number(run, c.sh)));
    field("dpl", JsonNumber(Number(run, c.dp)));
    field("dpe", JsonNumber(Number(run, c.dpEvap)));
    field("id", JsonNumber(Number(run, c.id)));
    field("refrigEffect", JsonNumber(run.RefrigEffect));
    field("massFlow", JsonNumber(Number(run, c.mr)));
    field("duty", JsonNumber(Number(run, c.Qe)));
    field("wolfLength",
          JsonNumber(run.Window.WolfShown ? std::optional(run.Results.WolfLength) : std::nullopt));
    field("choiLength",
          JsonNumber(run.Window.ChoiShown ? std::optional(run.Results.ChoiLength) : std::nullopt));
    out << "  \"stoecker\": {\n";
    out << "    \"status\": " << JsonString(StatusName(run.Outcome.Stoecker)) << ",\n";
    out << "    \"message\": "
        << (run.Outcome.Refusal.empty() ? "null" : JsonString(run.Outcome.Refusal)) << ",\n";
    out << "    \"length\": " << JsonNumber(ok ? std::optional(stoecker.Length) : std::nullopt)
        << ",\n";
    out << "    \"leavingTemp\": "
        << JsonNumber(ok ? std::optional(stoecker.LeavingTemp) : std::nullopt) << ",\n";
    out << "    \"choked\": " << (ok ? (stoecker.Choked ? "true" : "false") : "null") << ",\n";
    out << "    \"steps\": [";
    const auto& steps = run.Results.Steps;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto& s = steps[i];
        out << (i == 0 ? "\n" : ",\n") << "      [" << FullPrecision(s.t) << ", "
            << FullPrecision(s.p * 0.001) << ", " << FullPrecision(s.x) << ", "
            << FullPrecision(s.v) << ", " << FullPrecision(s.h * 0.001) << ", "
            << FullPrecision(s.V) << ", " << FullPrecision(s.dL) << ", " << FullPrecision(s.L)
            << "]";
    }
    out << (steps.empty() ? "]\n" : "\n    ]\n");
    out << "  },\n";
    field("solved", run.Outcome.Solved ? "true" : "false");
    out << "  \"error\": " << (run.Outcome.Error.empty() ? "null" : JsonString(run.Outcome.Error))
        << "\n}\n";
}
