#include "sizing/SolveDriver.h"

#include "sizing/CaseRules.h"
#include "sizing/Choi.h"
#include "sizing/SizingMethod.h"
#include "sizing/Wolf.h"

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

// The three methods in their order; the case is solved when they all finish.
void RunMethods(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                TSolveView& view, TSolveOutcome& outcome)
{
    results.WolfLength = SolveWolf(lib, designCase);
    results.WolfFound = true;
    view.ShowWolf(results.WolfLength);

    results.ChoiLength = SolveChoi(lib, designCase);
    results.ChoiFound = true;
    view.ShowChoi(results.ChoiLength);

    TRecordingSink steps(results, view);
    const TStoeckerOutcome stoecker = SolveStoecker(lib, designCase, results.Stoecker, steps);
    if (stoecker.Refused) {
        outcome.Stoecker = TStoeckerStatus::Refused;
        outcome.Refusal = stoecker.Message;
        view.ShowRefusal(stoecker.Message);
    } else {
        outcome.Stoecker = TStoeckerStatus::Ok;
        view.ShowStoecker(results.Stoecker);
    }

    view.ShowCapillaryLength(results.ChoiLength);
    outcome.Solved = true;
}

} // namespace

TSolveOutcome RunSolve(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                       TSolveView& view)
{
    TSolveOutcome outcome;
    results.WolfFound = false;
    results.ChoiFound = false;
    try {
        const std::string refusal = CaseRefusal(lib, designCase);
        if (refusal.empty()) {
            RunMethods(lib, designCase, results, view, outcome);
        } else {
            outcome.CaseRefused = true;
            outcome.Stoecker = TStoeckerStatus::Refused;
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
