// Solve and the refrigerating effect: the design case is read from the
// fields, the sizing methods run, their results are shown as each finishes.
#include "app/MainForm.h"
#include "app/StepsTable.h"
#include "services/UserFeedback.h"
#include "sizing/RefrigEffect.h"
#include "sizing/SolveTexts.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <utility>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// A field's value for the sizing methods: its number, or its text when that
// is not a number (reading it then fails inside the method).
TCaseValue CaseValue(const TFmtEdit* edit)
{
    const TEditValue value = edit->GetValue();
    if (value.IsText())
        return TCaseValue(value.Text());
    return TCaseValue(value.Number());
}

} // namespace

TDesignCase TMainForm::DesignCase() const
{
    TDesignCase c;
    c.tc = CaseValue(tcEdit);
    c.te = CaseValue(teEdit);
    c.pc = CaseValue(pcEdit);
    c.pe = CaseValue(peEdit);
    c.sc = CaseValue(scEdit);
    c.sh = CaseValue(shEdit);
    c.Qe = CaseValue(QeEdit);
    c.mr = CaseValue(mrEdit);
    c.dp = CaseValue(dpEdit);
    c.dpEvap = CaseValue(dpEvapEdit);
    c.id = CaseValue(idEdit);
    return c;
}

double TMainForm::Number(const TFmtEdit* edit) const
{
    return CaseValue(edit).Number();
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
    TSolveResults results = CurrentResults();
    const TSolveOutcome outcome = RunSolve(Lib_, designCase, results, *this);
    // The methods that finished (and the simulation's partial length after a
    // fault) are the window's results now.
    KeepResults(std::move(results));
    // The table opens at its first row and column.
    RichEdit1->moveCursor(QTextCursor::Start);
    RichEdit1->verticalScrollBar()->setValue(0);
    RichEdit1->horizontalScrollBar()->setValue(0);
    ShowStepsPlot(outcome);
    ShowSelection(designCase);
}

TSolveResults TMainForm::CurrentResults() const
{
    TSolveResults results;
    results.RefrigEffect = RefrigEffect;
    results.WolfLength = WolfLength;
    results.ChoiLength = ChoiLength;
    results.Stoecker = {StoeckerLength, LeavingTemp, Choked};
    results.Solved = Solved;
    results.Steps = StepRows;
    return results;
}

void TMainForm::KeepResults(TSolveResults results)
{
    RefrigEffect = results.RefrigEffect.value_or(RefrigEffect);
    WolfLength = results.WolfLength;
    ChoiLength = results.ChoiLength;
    StoeckerLength = results.Stoecker.Length;
    LeavingTemp = results.Stoecker.LeavingTemp;
    Choked = results.Stoecker.Choked;
    Solved = results.Solved;
    StepRows = std::move(results.Steps);
}

void TMainForm::SetSolved(bool solved)
{
    Solved = solved;
    StatusPanels[0]->setText(Text(SolvedText(solved)));
}

void TMainForm::UpdateRefrigEffect()
{
    TDesignCase c;
    c.te = Number(teEdit);
    c.sh = Number(shEdit);
    c.tc = Number(tcEdit);
    c.sc = Number(scEdit);
    RefrigEffect = RefrigeratingEffect(Lib_, c);
    EffectLabel->setText(Text(RefrigEffectText(RefrigEffect)));
    SetSolved(false);
}

void TMainForm::ClearSteps()
{
    RichEdit1->clear();
    SimulationStarted_ = true;
}

void TMainForm::AddStep(const TStoeckerStep& step)
{
    AppendTabbedLine(RichEdit1, Text(StepRowText(step)));
}

void TMainForm::ShowWolf(double length)
{
    LabelASHLen->setText(Text(WolfLabel(length)));
}

void TMainForm::ShowChoi(double length)
{
    LabelChoiLen->setText(Text(ChoiLabel(length)));
}

void TMainForm::ShowStoecker(const TStoeckerResults& results)
{
    LabelSimLen->setText(Text(StoeckerLabel(results.Length)));
    StatusPanels[1]->setText(Text(LeavingTempText(results.LeavingTemp)));
}

void TMainForm::ShowRefusal(const std::string& message)
{
    Feedback().Message(this, Text(message).replace("\r\n", "\n"));
}

void TMainForm::ShowCaseRefusal(const std::string& message)
{
    LabelASHLen->setText(InitialWolfLabel);
    LabelChoiLen->setText(InitialChoiLabel);
    LabelSimLen->setText(InitialStoeckerLabel);
    StatusPanels[1]->clear();
    StatusPanels[2]->clear();
    ShowRefusal(message);
}

void TMainForm::ShowCapillaryLength(double choiLength)
{
    StatusPanels[2]->setText(Text(CapillaryLengthText(choiLength)));
}

void TMainForm::ShowSolved(bool solved)
{
    SetSolved(solved);
}
