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

void TWindowTexts::ClearSteps() {}
void TWindowTexts::AddStep(const TStoeckerStep&) {}
void TWindowTexts::ShowWolf(double length)
{
    if (WithTexts)
        WolfLabelText = WolfLabel(length);
}

void TWindowTexts::ShowChoi(double length)
{
    if (WithTexts)
        ChoiLabelText = ChoiLabel(length);
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
void TWindowTexts::ShowCaseRefusal(const std::string& message)
{
    if (WithTexts) {
        WolfLabelText = InitialWolfLabel;
        ChoiLabelText = InitialChoiLabel;
        StoeckerLabelText = InitialStoeckerLabel;
        Panel1.clear();
        Panel2.clear();
    }
    ShowRefusal(message);
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
