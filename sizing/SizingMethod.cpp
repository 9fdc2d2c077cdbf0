#include "sizing/SizingMethod.h"

#include "sizing/CaseRules.h"
#include "sizing/Choi.h"
#include "sizing/Stoecker.h"
#include "sizing/Wolf.h"

#include <cmath>
#include <exception>

namespace {

// Steps are not kept: only the length matters here.
class TDiscardSteps : public TStepSink {
public:
    void ClearSteps() override {}
    void AddStep(const TStoeckerStep&) override {}
};

} // namespace

const char* MethodKey(TSizingMethod method)
{
    switch (method) {
    case smWolf:
        return "wolf";
    case smChoi:
        return "choi";
    case smStoecker:
        return "stoecker";
    }
    return "";
}

const char* MethodName(TSizingMethod method)
{
    switch (method) {
    case smWolf:
        return "Wolf et al";
    case smChoi:
        return "Cho et al";
    case smStoecker:
        return "Stoecker";
    }
    return "";
}

std::string RefusedCaseMessage(const std::string& refusal)
{
    return "the case is refused: " + OneLineMessage(refusal);
}

TMethodLength MethodLength(const TRefrigLib& lib, const TDesignCase& designCase,
                           TSizingMethod method)
{
    TMethodLength result;
    try {
        // A case outside what any method can size is refused by each alike.
        if (const std::string refusal = CaseRefusal(lib, designCase); !refusal.empty()) {
            result.Refused = true;
            result.Message = RefusedCaseMessage(refusal);
            return result;
        }
        switch (method) {
        case smWolf:
            result.Length = SolveWolf(lib, designCase);
            break;
        case smChoi:
            result.Length = SolveChoi(lib, designCase);
            break;
        case smStoecker: {
            TStoeckerResults simulation;
            TDiscardSteps steps;
            const TStoeckerOutcome outcome = SolveStoecker(lib, designCase, simulation, steps);
            if (outcome.Refused) {
                result.Refused = true;
                result.Message =
                    "the simulation refused the case: " + OneLineMessage(outcome.Message);
                return result;
            }
            result.Length = simulation.Length;
            result.Choked = simulation.Choked;
            break;
        }
        }
    } catch (const std::exception& error) {
        result = {};
        result.Message = std::string("the calculation failed: ") + error.what();
        return result;
    }
    if (!std::isfinite(result.Length)) {
        result = {};
        result.Message = "the calculation gave no finite length";
        return result;
    }
    result.Solved = true;
    return result;
}
