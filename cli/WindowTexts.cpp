#include "cli/WindowTexts.h"

#include "sizing/SolveTexts.h"

TWindowTexts::TWindowTexts(bool withTexts) : WithTexts(withTexts)
{
    if (!WithTexts)
        return;
    EffectLabel = InitialEffectLabel;
    WolfLabelText = InitialWolfLabel;
    ChoiLabelText = InitialChoiLabel;
    StoeckerLabelText = InitialStoeckerLabel;
    Panel0 = InitialSolvedText;
}

void TWindowTexts::ClearSteps()
{
    Steps.clear();
}
void TWindowTexts::AddStep(const TStoeckerStep& step)
{
    if (WithTexts)
        Steps.push_back(step);
}
void TWindowTexts::ShowWolf(double length)
{
    if (WithTexts)
        WolfLabelText = WolfLabel(length);
    WolfShown = true;
}

void TWindowTexts::ShowChoi(double length)
{
    if (WithTexts)
        ChoiLabelText = ChoiLabel(length);
    ChoiShown = true;
}

void TWindowTexts::ShowStoecker(const TStoeckerResults& results)
{
    if (!WithTexts)
        return;
    StoeckerLabelText = StoeckerLabel(results.Length);
    Panel1 = LeavingTempText(results.LeavingTemp);
}

void TWindowTexts::ShowRefusal(const std::string& message)
{
    if (WithTexts)
        Refusals.push_back(message);
}
void TWindowTexts::ShowCapillaryLength(double choiLength)
{
    if (WithTexts)
        Panel2 = CapillaryLengthText(choiLength);
}
void TWindowTexts::ShowSolved(bool solved)
{
    if (WithTexts)
        Panel0 = SolvedText(solved);
}
