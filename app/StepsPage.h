#pragma once

#include "sizing/SolveResults.h"
#include "sizing/Stoecker.h"

#include <QWidget>

class QTextEdit;
class TStepsPlot;

// The Simulation Steps page: the steps table under its column header, and the
// plot of its rows below; the user moves the border between them.
class TStepsPage : public QWidget {
    Q_OBJECT

public:
    explicit TStepsPage(QWidget* parent = nullptr);

    void ClearSteps();
    void AddStep(const TStoeckerStep& step);
    // The table at its first row and column.
    void ScrollToStart();
    // The plot of a Solve's simulation: its rows, or why there are none.
    // `started`: the simulation of this Solve wrote the table's rows.
    void ShowPlot(const TSolveResults& results, const TSolveOutcome& outcome, bool started);

    QTextEdit* StepsHeaderLabel; // the column header above the steps table
    QTextEdit* RichEdit1;        // the steps table
    TStepsPlot* StepsPlot1;      // the simulation drawn along the tube
};
