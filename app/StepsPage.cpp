#include "app/StepsPage.h"

#include "app/StepsPlot.h"
#include "app/StepsTable.h"
#include "sizing/SizingMethod.h"
#include "sizing/SolveTexts.h"

#include <QScrollBar>
#include <QSplitter>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// A refusal written for a message box, on one line.
QString OneLine(const std::string& text)
{
    return QString::fromStdString(text).replace("\r\n", " ").replace('\n', ' ').simplified();
}

} // namespace

TStepsPage::TStepsPage(QWidget* parent) : QWidget(parent)
{
    auto* page = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName("StepsSplitter");
    splitter->setChildrenCollapsible(false);
    auto* tablePane = new QWidget(splitter);
    auto* table = new QVBoxLayout(tablePane);
    table->setContentsMargins(0, 0, 0, 0);
    // The header shares the table's tab stops and scrolls sideways with it.
    StepsHeaderLabel = NewTabbedView(this);
    StepsHeaderLabel->setObjectName("StepsHeader");
    StepsHeaderLabel->setFrameShape(QFrame::NoFrame);
    StepsHeaderLabel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StepsHeaderLabel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StepsHeaderLabel->setFocusPolicy(Qt::NoFocus);
    StepsHeaderLabel->setFixedHeight(StepsHeaderLabel->fontMetrics().height() + 10);
    StepsHeaderLabel->viewport()->setAutoFillBackground(false);
    StepsHeaderLabel->setAccessibleName(QString::fromStdString(StepsHeaderText()));
    AppendTabbedLine(StepsHeaderLabel, StepsHeaderColumns());
    QFont bold = StepsHeaderLabel->font();
    bold.setBold(true);
    StepsHeaderLabel->setFont(bold);
    RichEdit1 = NewTabbedView(this);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setAccessibleName(tr("Simulation steps"));
    connect(RichEdit1->horizontalScrollBar(), &QScrollBar::valueChanged,
            StepsHeaderLabel->horizontalScrollBar(), &QScrollBar::setValue);
    table->addWidget(StepsHeaderLabel);
    table->addWidget(RichEdit1, 1);
    StepsPlot1 = new TStepsPlot(splitter);
    StepsPlot1->setObjectName("StepsPlot1");
    splitter->addWidget(tablePane);
    splitter->addWidget(StepsPlot1);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    page->addWidget(splitter, 1);
}

void TStepsPage::ClearSteps()
{
    RichEdit1->clear();
}

void TStepsPage::AddStep(const TStoeckerStep& step)
{
    AppendTabbedLine(RichEdit1, QString::fromStdString(StepRowText(step)));
}

void TStepsPage::ScrollToStart()
{
    RichEdit1->moveCursor(QTextCursor::Start);
    RichEdit1->verticalScrollBar()->setValue(0);
    RichEdit1->horizontalScrollBar()->setValue(0);
}

void TStepsPage::ShowPlot(const TSolveResults& results, const TSolveOutcome& outcome, bool started)
{
    TMethodStatus status = TMethodStatus::NotRun;
    bool choked = false;
    for (const TSizingMethodEntry& entry : SizingMethodEntries) {
        if (entry.Simulates) {
            status = results.Status[entry.Method];
            choked = results.Method(entry.Method).Choked;
        }
    }
    try {
        if (status == TMethodStatus::Ok) {
            StepsPlot1->ShowSteps(
                results.Steps, choked
                                   ? tr("The flow chokes at the end of the tube: the last step's "
                                        "length is negative.")
                                   : QString());
        } else if (started) {
            StepsPlot1->ShowSteps(results.Steps,
                                  tr("The simulation stopped at an error after %n step(s).",
                                     nullptr, static_cast<int>(results.Steps.size())));
        } else if (status == TMethodStatus::Refused) {
            StepsPlot1->ShowEmpty(
                tr("The simulation did not run: %1").arg(OneLine(outcome.Refusal)));
        } else {
            StepsPlot1->ShowEmpty(
                tr("The simulation did not run: the solve stopped at an error before it."));
        }
    } catch (const std::exception&) {
        StepsPlot1->ShowEmpty(tr("The simulation could not be drawn."));
    }
}
