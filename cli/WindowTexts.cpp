#include "cli/WindowTexts.h"

#include "sizing/SolveTexts.h"

TWindowTexts::TWindowTexts(bool withTexts) : WithTexts(withTexts)
{
    if (!WithTexts)
        return;
    EffectLabel = InitialEffectLabel;
    ShowInitialLabels();
    Panel0 = InitialSolvedText;
}

void TWindowTexts::ShowInitialLabels()
{
    for (const TSizingMethodEntry& method : SizingMethodEntries)
        MethodLabels[method.Method] = method.InitialLabel;
}

void TWindowTexts::ClearSteps() {}
void TWindowTexts::AddStep(const TStoeckerStep&) {}

void TWindowTexts::ShowMethod(TSizingMethod method, const TMethodResult& result)
{
    if (!WithTexts)
        return;
    const TSizingMethodEntry& entry = MethodEntry(method);
    MethodLabels[method] = entry.Label(result.Length);
    if (entry.Simulates)
        Panel1 = LeavingTempText(result.LeavingTemp);
}

void TWindowTexts::ShowRefusal(const std::string& message)
{
    if (WithTexts)
        Refusals.push_back(message);
}

void TWindowTexts::ShowCaseRefusal(const std::string& message)
{
    if (WithTexts) {
        ShowInitialLabels();
        Panel1.clear();
        Panel2.clear();
    }
    ShowRefusal(message);
}

void TWindowTexts::ShowCapillaryLength(double length)
{
    if (WithTexts)
        Panel2 = CapillaryLengthText(length);
}

void TWindowTexts::ShowSolved(bool solved)
{
    if (WithTexts)
        Panel0 = SolvedText(solved);
}
