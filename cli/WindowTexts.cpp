#include "cli/WindowTexts.h"

#include "sizing/SolveTexts.h"

TWindowTexts::TWindowTexts()
    : EffectLabel(InitialEffectLabel), WolfLabelText(InitialWolfLabel),
      ChoiLabelText(InitialChoiLabel), StoeckerLabelText(InitialStoeckerLabel),
      Panel0(InitialSolvedText)
{
}

void TWindowTexts::ClearSteps()
{
    Steps.clear();
}
void TWindowTexts::AddStep(const TStoeckerStep& step)
{
    Steps.push_back(step);
}
void TWindowTexts::ShowWolf(double length)
{
    WolfLabelText = WolfLabel(length);
    WolfShown = true;
}

void TWindowTexts::ShowChoi(double length)
{
    ChoiLabelText = ChoiLabel(length);
    ChoiShown = true;
}

void TWindowTexts::ShowStoecker(const TStoeckerResults& results)
{
    StoeckerLabelText = StoeckerLabel(results.Length);
    Panel1 = LeavingTempText(results.LeavingTemp);
}

void TWindowTexts::ShowRefusal(const std::string& message)
{
    Refusals.push_back(message);
}
void TWindowTexts::ShowCapillaryLength(double choiLength)
{
    Panel2 = CapillaryLengthText(choiLength);
}
void TWindowTexts::ShowSolved(bool solved)
{
    Panel0 = SolvedText(solved);
}
