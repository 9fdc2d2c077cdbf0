#include "sizing/SizingMethod.h"

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

// A message box text on one line.
std::string OneLine(const std::string& text)
{
    // Built piece by piece: GCC 12 warns falsely on an in-place replace at -O3.
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line.push_back(' ');
            ++i;
        } else {
            line.push_back(text[i]);
        }
    }
    return line;
}

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

TMethodLength MethodLength(const TRefrigLib& lib, const TDesignCase& designCase,
                           TSizingMethod method)
{
    TMethodLength result;
    try {
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
                result.Message = "the simulation refused the case: " + OneLine(outcome.Message);
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
