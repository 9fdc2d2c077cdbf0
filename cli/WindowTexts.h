#pragma once

#include "sizing/SolveDriver.h"

#include <array>
#include <string>
#include <vector>

// The result displays of the main window, kept as texts: what a user would
// read on the window after the same actions.
class TWindowTexts : public TSolveView {
public:
    std::string EffectLabel;
    std::array<std::string, SizingMethodCount> MethodLabels; // by TSizingMethod
    std::string Panel0;                                      // solved state
    std::string Panel1;                                      // leaving temperature
    std::string Panel2;                                      // capillary length
    std::vector<std::string> Refusals;
    bool WithTexts = true;

    // withTexts false: none of these texts, for output that does not print
    // them. The simulation's rows are kept by the Solve's results.
    explicit TWindowTexts(bool withTexts = true);

    void ClearSteps() override;
    void AddStep(const TStoeckerStep& step) override;
    void ShowMethod(TSizingMethod method, const TMethodResult& result) override;
    void ShowRefusal(const std::string& message) override;
    void ShowCapillaryLength(double length) override;
    void ShowCaseRefusal(const std::string& message) override;
    void ShowSolved(bool solved) override;

private:
    void ShowInitialLabels();
};
