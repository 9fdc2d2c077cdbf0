#include "sizing/SizingMethod.h"

#include "sizing/CaseRules.h"

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
    return MethodEntry(method).Key;
}

const char* MethodName(TSizingMethod method)
{
    return MethodEntry(method).Name;
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
        const TSizingMethodEntry& entry = MethodEntry(method);
        TMethodResult found;
        TDiscardSteps steps;
        if (const std::string refusal = entry.Run(lib, designCase, found, steps);
            !refusal.empty()) {
            result.Refused = true;
            result.Message = entry.RefusalWords + OneLineMessage(refusal);
            return result;
        }
        result.Length = found.Length;
        result.Choked = found.Choked;
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
