// Solve: the design case is read from the fields, the sizing methods run,
// their results are shown as each finishes and kept in the window's results.
#include "app/FieldEdit.h"
#include "app/MainForm.h"
#include "app/MethodResultsBox.h"
#include "services/UserFeedback.h"
#include "sizing/SolveTexts.h"

#include <QLabel>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TDesignCase TMainForm::DesignCase() const
{
    TDesignCase c;
    for (std::size_t i = 0; i < CaseFieldCount; ++i) {
        const auto field = static_cast<TDesignField>(i);
        CaseValue(c, field) = EditCaseValue(Edits[field]);
    }
    return c;
}

void TMainForm::SolveActionExecute(QObject*)
{
    // A value typed but not yet left takes effect first, with its coupling;
    // an error there is an ordinary error of this event.
    bool committed = false;
    Guarded(this, [&] {
        CommitEdit(focusWidget());
        committed = true;
    });
    if (!committed)
        return;

    TDesignCase designCase;
    try {
        designCase = DesignCase();
    } catch (const std::exception&) {
        SetSolved(false);
        return;
    }
    SimulationStarted_ = false;
    // The methods that finished (and the simulation's partial length after a
    // fault) are the window's results from here on.
    const TSolveOutcome outcome = RunSolve(Lib_, designCase, Results, *this);
    TabSheet2->ScrollToStart();
    TabSheet2->ShowPlot(Results, outcome, SimulationStarted_);
    // Outside any guard: the page lets nothing escape.
    TabSheet4->ShowSelection(Lib_, designCase, mrEdit);
}

void TMainForm::SetSolved(bool solved)
{
    Results.Solved = solved;
    StatusPanels[0]->setText(Text(SolvedText(solved)));
}

void TMainForm::ClearSteps()
{
    TabSheet2->ClearSteps();
    SimulationStarted_ = true;
}

void TMainForm::AddStep(const TStoeckerStep& step)
{
    TabSheet2->AddStep(step);
}

void TMainForm::ShowMethod(TSizingMethod method, const TMethodResult& result)
{
    ResultsBox->ShowLength(method, result.Length);
    if (MethodEntry(method).Simulates)
        StatusPanels[1]->setText(Text(LeavingTempText(result.LeavingTemp)));
}

void TMainForm::ShowRefusal(const std::string& message)
{
    Feedback().Message(this, Text(message).replace("\r\n", "\n"));
}

void TMainForm::ShowCaseRefusal(const std::string& message)
{
    ResultsBox->ShowNone();
    StatusPanels[1]->clear();
    StatusPanels[2]->clear();
    ShowRefusal(message);
}

void TMainForm::ShowCapillaryLength(double length)
{
    StatusPanels[2]->setText(Text(CapillaryLengthText(length)));
}

void TMainForm::ShowSolved(bool solved)
{
    SetSolved(solved);
}
