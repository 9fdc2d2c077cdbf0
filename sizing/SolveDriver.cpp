#include "sizing/SolveDriver.h"

#include "sizing/Choi.h"
#include "sizing/Wolf.h"

#include <exception>

TSolveOutcome RunSolve(const TRefrigLib& lib, const TDesignCase& designCase, TSolveResults& results,
                       TSolveView& view)
{
    TSolveOutcome outcome;
    try {
        results.WolfLength = SolveWolf(lib, designCase);
        view.ShowWolf(results.WolfLength);

        results.ChoiLength = SolveChoi(lib, designCase);
        view.ShowChoi(results.ChoiLength);

        const TStoeckerOutcome stoecker = SolveStoecker(lib, designCase, results.Stoecker, view);
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
    } catch (const std::exception& error) {
        outcome.Solved = false;
        outcome.Error = error.what();
    }
    results.Solved = outcome.Solved;
    view.ShowSolved(outcome.Solved);
    return outcome;
}
