#include "cli/TextReport.h"

#include "cli/CaseFields.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveTexts.h"

void WriteTextReport(std::ostream& out, const TCaseRun& run)
{
    out << run.DisplayName << "\n\n";
    WriteCaseLines(out, run);
    out << '\n';

    const TWindowTexts& w = run.Window;
    out << w.EffectLabel << '\n';
    for (const std::string& label : w.MethodLabels)
        out << label << '\n';
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
    for (const TSizingMethodEntry& method : SizingMethodEntries)
        if (method.Simulates && run.Results.Found(method.Method) &&
            run.Results.Method(method.Method).Choked)
            out << "Choked flow\n";
    if (!run.Results.Steps.empty()) {
        out << '\n' << StepsHeaderText() << '\n';
        for (const auto& step : run.Results.Steps)
            out << StepRowText(step) << '\n';
    }
}
