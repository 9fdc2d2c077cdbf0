#include "cli/JsonReport.h"

#include "cli/CaseFields.h"
#include "cli/NumberOut.h"
#include "cli/RecordWriter.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveFields.h"
#include "sizing/StepColumns.h"

namespace {

std::string StepsArray(const std::vector<TStoeckerStep>& steps)
{
    std::vector<std::string> rows;
    rows.reserve(steps.size());
    for (const TStoeckerStep& step : steps) {
        std::string row = "[";
        for (const TStepColumn& column : StepColumns)
            row += (row.size() > 1 ? ", " : "") + FullPrecision(column.Number(step));
        rows.push_back(row + "]");
    }
    return JsonArray(rows, 6);
}

} // namespace

// The case's members, then each method's results: a simulating method's in
// an object of its own with its status first and its steps last, the others
// beside them; then solved and the error.
void WriteJsonReport(std::ostream& out, const TCaseRun& run)
{
    TJsonObject json(out, 2);
    WriteCaseMembers(json, run);
    auto members = [&](TJsonObject& object, std::span<const TSolveFieldLayout> fields) {
        for (const TSolveFieldLayout& field : fields)
            object.Value(field.JsonKey, field.Value(run.Results, run.Outcome));
    };
    for (const TSizingMethodEntry& method : SizingMethodEntries) {
        if (!method.Simulates) {
            members(json, method.Results);
            continue;
        }
        TJsonObject simulation = json.Object(method.Key);
        members(simulation, method.StatusResults);
        members(simulation, method.Results);
        simulation.Member("steps", StepsArray(run.Results.Steps));
        simulation.End();
    }
    json.Value(SolvedField.JsonKey, SolvedField.Value(run.Results, run.Outcome));
    json.Value(ErrorField.JsonKey, ErrorField.Value(run.Results, run.Outcome));
    json.End();
    out << '\n';
}
