#include "cli/JsonReport.h"

#include "cli/CaseFields.h"
#include "cli/NumberOut.h"
#include "cli/ResultValueOut.h"

namespace {

void WriteSteps(std::ostream& out, const std::vector<TStoeckerStep>& steps)
{
    out << "    \"steps\": [";
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto& s = steps[i];
        out << (i == 0 ? "\n" : ",\n") << "      [" << FullPrecision(s.t) << ", "
            << FullPrecision(s.p * 0.001) << ", " << FullPrecision(s.x) << ", "
            << FullPrecision(s.v) << ", " << FullPrecision(s.h * 0.001) << ", "
            << FullPrecision(s.V) << ", " << FullPrecision(s.dL) << ", " << FullPrecision(s.L)
            << "]";
    }
    out << (steps.empty() ? "]\n" : "\n    ]\n");
}

} // namespace

// The case's members, then the results: the simulation's in a "stoecker"
// object with its steps, the others around it in the table's order, the
// error last.
void WriteJsonReport(std::ostream& out, const TCaseRun& run)
{
    auto member = [&](const char* indent, TSolveField field, const char* end) {
        out << indent << JsonString(SolveFieldLayout(field).JsonKey) << ": "
            << JsonValue(SolveFieldValue(field, run.Results, run.Outcome)) << end;
    };
    out << "{\n";
    WriteCaseMembers(out, run);
    for (const TSolveField field : {sfWolfLength, sfChoiLength})
        member("  ", field, ",\n");
    out << "  \"stoecker\": {\n";
    for (const TSolveField field :
         {sfStoeckerStatus, sfStoeckerMessage, sfStoeckerLength, sfLeavingTemp, sfChoked})
        member("    ", field, ",\n");
    WriteSteps(out, run.Results.Steps);
    out << "  },\n";
    member("  ", sfSolved, ",\n");
    member("  ", sfError, "\n}\n");
}
