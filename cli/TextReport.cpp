#include "cli/TextReport.h"

#include "common/Format.h"
#include "sizing/DesignFields.h"
#include "sizing/SolveTexts.h"

namespace {

void WriteField(std::ostream& out, const TCaseRun& run, TDesignField field, const TCaseValue& value,
                const char* unit)
{
    const auto& layout = DesignFieldLayout(field);
    out << Format("%-22s", {std::string(layout.Caption)});
    if (run.Prepared)
        out << ShownText(field, value.Number()) << ' ' << unit;
    out << '\n';
}

} // namespace

void WriteTextReport(std::ostream& out, const TCaseRun& run)
{
    const TDesignCase& c = run.Case;
    out << run.DisplayName << "\n\n";
    WriteField(out, run, dfTc, c.tc, "°C");
    WriteField(out, run, dfPc, c.pc, "kPa");
    WriteField(out, run, dfTe, c.te, "°C");
    WriteField(out, run, dfPe, c.pe, "kPa");
    WriteField(out, run, dfSc, c.sc, "K");
    WriteField(out, run, dfSh, c.sh, "K");
    WriteField(out, run, dfQe, c.Qe, "kW");
    WriteField(out, run, dfMr, c.mr, "kg/s");
    WriteField(out, run, dfDp, c.dp, "kPa");
    WriteField(out, run, dfDpEvap, c.dpEvap, "kPa");
    WriteField(out, run, dfId, c.id, "mm");
    out << '\n';

    const TWindowTexts& w = run.Window;
    out << w.EffectLabel << '\n';
    out << w.WolfLabelText << '\n';
    out << w.ChoiLabelText << '\n';
    out << w.StoeckerLabelText << '\n';
    if (!w.Panel2.empty())
        out << w.Panel2 << '\n';
    out << w.Panel0 << '\n';
    for (const std::string& message : w.Refusals) {
        // The message box text breaks its line with CR LF.
        for (const char ch : message)
            if (ch != '\r')
                out << ch;
        out << '\n';
    }
    if (!w.Panel1.empty())
        out << "Leaving temperature " << w.Panel1 << '\n';
    if (run.Outcome.Stoecker == TStoeckerStatus::Ok && run.Results.Stoecker.Choked)
        out << "Choked flow\n";
    if (!w.Steps.empty()) {
        out << '\n' << StepsHeader << '\n';
        for (const auto& step : w.Steps)
            out << StepRowText(step) << '\n';
    }
}
