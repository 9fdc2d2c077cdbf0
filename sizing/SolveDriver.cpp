#include "sizing/SolveDriver.h"

#include "sizing/CaseRules.h"

#include <exception>

namespace {

// Hands each row to the view and keeps it in the results.
class TRecordingSink : public TStepSink {
public:
    TRecordingSink(TSolveResults& results, TStepSink& view) : Results(results), View(view) {}
    void ClearSteps() override
    {
        View.ClearSteps();
        Results.Steps.clear();
        // A simulation takes a few dozen steps; room for them at once.
        Results.Steps.reserve(64);
    }
    void AddStep(const TStoeckerStep& step) override
    {
        View.AddStep(step);
        Results.Steps.push_back(step);
    }

private:
    TSolveResults& Results;
    TStepSink& View;
};

// The methods in their order; the case is solved when they all finish.
void RunMethods(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                TSolveView& view, TSolveOutcome& outcome)
{
    TRecordingSink steps(results, view);
    for (const TSizingMethodEntry& entry : SizingMethodEntries) {
        TMethodResult& result = results.Method(entry.Method);
        const std::string refusal = entry.Run(lib, designCase, result, steps);
        if (refusal.empty()) {
            results.Status[entry.Method] = TMethodStatus::Ok;
            view.ShowMethod(entry.Method, result);
        } else {
            results.Status[entry.Method] = TMethodStatus::Refused;
            outcome.Refusal = refusal;
            view.ShowRefusal(refusal);
        }
    }
    for (const TSizingMethodEntry& entry : SizingMethodEntries)
        if (entry.StatusLength)
            view.ShowCapillaryLength(results.Method(entry.Method).Length);
    outcome.Solved = true;
}

} // namespace

TSolveOutcome RunSolve(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                       TSolveView& view)
{
    TSolveOutcome outcome;
    results.Status.fill(TMethodStatus::NotRun);
    try {
        const std::string refusal = CaseRefusal(lib, designCase);
        if (refusal.empty()) {
            RunMethods(lib, designCase, results, view, outcome);
        } else {
            outcome.CaseRefused = true;
            results.Status.fill(TMethodStatus::Refused);
            outcome.Refusal = refusal;
            outcome.Error = RefusedCaseMessage(refusal);
            view.ShowCaseRefusal(refusal);
        }
    } catch (const std::exception& error) {
        outcome.Solved = false;
        outcome.Error = error.what();
    }
    results.Solved = outcome.Solved;
    view.ShowSolved(outcome.Solved);
    return outcome;
}
