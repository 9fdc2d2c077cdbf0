// Tube Selection: rating a tube of a given length by the three methods, the
// standard bores side by side at the design case's mass flow (refreshed by
// Solve, a row chosen takes its bore and solves), and the simulation's rows
// drawn along the tube on the steps page.
#include "app/MainForm.h"
#include "app/MutedText.h"
#include "app/SelectionModel.h"
#include "app/SelectionTable.h"
#include "app/StepsPlot.h"
#include "common/TextToNumber.h"
#include "services/UserFeedback.h"
#include "sizing/DesignFields.h"
#include "sizing/RatingFields.h"
#include "sizing/SolveTexts.h"
#include "sizing/TubeSelection.h"

#include <optional>
#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString NoValue = QStringLiteral("\u2013");

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Caption(TRatingField field)
{
    return QString::fromUtf8(RatingFields[field].Caption);
}

// A refusal written for a message box, on one line.
QString OneLine(const std::string& text)
{
    return Text(text).replace("\r\n", " ").replace('\n', ' ').simplified();
}

} // namespace

void TMainForm::CreateSelectionPage()
{
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName("TabSheet4");
    auto* page = new QVBoxLayout(TabSheet4);

    // The tube to rate.
    auto* lengthRow = new QHBoxLayout;
    auto* lengthCaption = new QLabel(tr("Tube &length"), TabSheet4);
    auto* unit = new TFmtEditLabel(TabSheet4);
    LengthEdit = NewField(dfLength, TabSheet4, unit);
    LengthEdit->setObjectName("LengthEdit");
    lengthCaption->setBuddy(LengthEdit);

    RateAction = new QAction(tr("Rate"), this);
    RateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    RateAction->setShortcutContext(Qt::WindowShortcut);
    RateAction->setToolTip(tr("The flow a tube of this length passes, by each method"));
    addAction(RateAction);
    RateButton = new QPushButton(tr("Rate"), TabSheet4);
    RateButton->setObjectName("RateButton");
    RateButton->setToolTip(tr("The flow a tube of this length passes, by each method (Ctrl+R)"));
    RateButton->setAutoDefault(false);
    RatingCaption =
        new QLabel(tr("The flow this tube passes with the design case's bore (Ctrl+R)"), TabSheet4);
    RatingCaption->setObjectName("RatingCaption");
    RatingCaption->setWordWrap(true);
    SetMutedText(RatingCaption);
    lengthRow->addWidget(lengthCaption);
    lengthRow->addWidget(LengthEdit);
    lengthRow->addWidget(unit);
    lengthRow->addSpacing(8);
    lengthRow->addWidget(RateButton);
    lengthRow->addStretch(1);

    page->addLayout(lengthRow);

    // The three rated flows, one line per method.
    auto* rated = new QGridLayout;
    rated->setHorizontalSpacing(16);
    rated->setVerticalSpacing(2);
    auto* ratedHeader = new QLabel(tr("Rated flow"), TabSheet4);
    auto* flowHeader = new QLabel(Caption(rfMassFlow), TabSheet4);
    auto* dutyHeader = new QLabel(Caption(rfDuty), TabSheet4);
    for (QLabel* header : {ratedHeader, flowHeader, dutyHeader})
        SetMutedText(header);
    flowHeader->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dutyHeader->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rated->addWidget(ratedHeader, 0, 0);
    rated->addWidget(flowHeader, 0, 1);
    rated->addWidget(dutyHeader, 0, 2);
    rated->addWidget(RatingCaption, 0, 3);
    for (const TSizingMethod method : SizingMethods) {
        const int row = 1 + method;
        rated->addWidget(new QLabel(QString::fromUtf8(MethodName(method)), TabSheet4), row, 0);
        RatedFlowLabels[method] = new QLabel(NoValue, TabSheet4);
        RatedDutyLabels[method] = new QLabel(NoValue, TabSheet4);
        RatedNoteLabels[method] = new QLabel(TabSheet4);
        RatedFlowLabels[method]->setObjectName(
            QStringLiteral("RatedFlow_%1").arg(MethodKey(method)));
        RatedDutyLabels[method]->setObjectName(
            QStringLiteral("RatedDuty_%1").arg(MethodKey(method)));
        RatedNoteLabels[method]->setObjectName(
            QStringLiteral("RatedNote_%1").arg(MethodKey(method)));
        for (QLabel* label : {RatedFlowLabels[method], RatedDutyLabels[method]}) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setMinimumWidth(90);
        }
        RatedNoteLabels[method]->setWordWrap(true);
        for (QLabel* label :
             {RatedFlowLabels[method], RatedDutyLabels[method], RatedNoteLabels[method]})
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rated->addWidget(RatedFlowLabels[method], row, 1);
        rated->addWidget(RatedDutyLabels[method], row, 2);
        rated->addWidget(RatedNoteLabels[method], row, 3);
    }
    rated->setColumnStretch(3, 1);
    page->addSpacing(4);
    page->addLayout(rated);

    // The standard bores.
    SelectionCaption =
        new QLabel(tr("Standard bores: solve to see each method's length."), TabSheet4);
    SelectionCaption->setObjectName("SelectionCaption");
    SelectionCaption->setWordWrap(true);
    page->addSpacing(4);
    page->addWidget(SelectionCaption);
    SelectionTable1 = new TSelectionTable(TabSheet4);
    SelectionTable1->setObjectName("SelectionTable1");
    SelectionTable1->setAccessibleName(tr("Standard bores"));
    page->addWidget(SelectionTable1, 1);

    // What the tint means, with a swatch of it.
    auto* legendRow = new QHBoxLayout;
    auto* swatch = new QLabel(TabSheet4);
    swatch->setObjectName("PracticalSwatch");
    swatch->setFixedSize(14, 14);
    swatch->setAutoFillBackground(true);
    QPalette swatchPalette = swatch->palette();
    swatchPalette.setColor(QPalette::Window, SelectionTable1->Model()->PracticalColor());
    swatch->setPalette(swatchPalette);
    swatch->setFrameShape(QFrame::Box);
    auto* legend = new QLabel(tr("practical: all three lengths between %1 and %2 m. "
                                 "Double-click a row to take its bore and solve.")
                                  .arg(PracticalLengthLo)
                                  .arg(PracticalLengthHi),
                              TabSheet4);
    legend->setWordWrap(true);
    SetMutedText(legend);
    legendRow->addWidget(swatch, 0, Qt::AlignTop);
    legendRow->addWidget(legend, 1);
    page->addLayout(legendRow);

    setTabOrder(LengthEdit, RateButton);
    setTabOrder(RateButton, SelectionTable1);

    connect(RateAction, &QAction::triggered, this,
            [this] { Guarded(this, [this] { RateActionExecute(); }); });
    connect(RateButton, &QPushButton::clicked, RateAction, &QAction::trigger);
    connect(SelectionTable1, &TSelectionTable::BoreChosen, this, [this](double bore) {
        Guarded(this, [this, bore] { SelectionTable1DblClick(bore); });
    });
    // The rating follows the units the user picks for mass flow and duty.
    for (TFmtEdit* edit : {mrEdit, QeEdit})
        connect(edit, &NqCustomEdit::UnitsEdited, this,
                [this] { Guarded(this, [this] { ShowRatings(); }); });

    FlatPageControl1->addTab(TabSheet4, tr("Tube Selection"));
}

QString TMainForm::ShownIn(const TFmtEdit* edit, double value) const
{
    // The text the field settles on: shown once and read back, as when the
    // user leaves the field. A value just under a power of ten (0.0099999)
    // first shows one decimal too many ("0.01000") and settles on the field's
    // own text for that value ("0.0100").
    auto shown = [edit](double x) {
        return FormatByType(x, edit->FormatStr().toStdString(), edit->FormatType(), edit->SigDigs(),
                            edit->FormatDecimals());
    };
    const std::string once = shown(ToDisplayValue(edit->Offset(), edit->Factor(), value));
    const std::optional<Extended> back = TryTextToFloat(once);
    const QString text = Text(back ? shown(static_cast<double>(*back)) : once);
    return edit->UnitsLabel() != nullptr ? text + " " + edit->UnitsLabel()->text() : text;
}

void TMainForm::RateActionExecute()
{
    // A value typed but not yet left takes effect first, as for Solve.
    CommitEdit(focusWidget());
    const double length = LengthEdit->GetValue().Number();
    const TDesignCase designCase = DesignCase();
    Ratings = RateTube(Lib_, designCase, length);
    RatedLength = length;
    RatedBore = designCase.id.IsText() ? 0 : designCase.id.Number();
    FlatPageControl1->setCurrentWidget(TabSheet4);
    ShowRatings();
}

void TMainForm::ShowRatings()
{
    if (RatedLength <= 0)
        return;
    RatingCaption->setText(
        RatedBore > 0 ? tr("Rated: %1 of %2 bore")
                            .arg(ShownIn(LengthEdit, RatedLength), ShownIn(idEdit, RatedBore))
                      : tr("Rated: %1").arg(ShownIn(LengthEdit, RatedLength)));
    for (const TSizingMethod method : SizingMethods) {
        const TRating& rating = Ratings[method];
        if (rating.Rated) {
            RatedFlowLabels[method]->setText(ShownIn(mrEdit, rating.MassFlow));
            RatedDutyLabels[method]->setText(ShownIn(QeEdit, rating.Duty));
            RatedNoteLabels[method]->setText(rating.Choked ? tr("choked") : QString());
        } else {
            RatedFlowLabels[method]->setText(NoValue);
            RatedDutyLabels[method]->setText(NoValue);
            RatedNoteLabels[method]->setText(Caption(rfMessage) + " " + Text(rating.Message));
        }
    }
}

void TMainForm::SelectionTable1DblClick(double bore)
{
    idEdit->SetValue(bore);
    SolveActionExecute(SelectionTable1);
}

void TMainForm::ShowSelection(const TDesignCase& designCase)
{
    // Called at the end of Solve, outside any guard: nothing may escape.
    try {
        SelectionTable1->SetRows(SelectionTable(Lib_, designCase));
        const double bore = designCase.id.IsText() ? 0 : designCase.id.Number();
        SelectionTable1->SetCurrentBore(bore);
        SelectionCaption->setText(
            designCase.mr.IsText()
                ? tr("Standard bores: each method's length at the design case's mass flow")
                : tr("Standard bores: each method's length at a mass flow of %1")
                      .arg(ShownIn(mrEdit, designCase.mr.Number())));
    } catch (const std::exception&) {
        SelectionCaption->setText(tr("Standard bores: the lengths could not be found"));
    }
}

void TMainForm::ShowStepsPlot(const TSolveOutcome& outcome)
{
    try {
        if (outcome.Stoecker == TStoeckerStatus::Ok) {
            StepsPlot1->ShowSteps(
                StepRows, Choked ? tr("The flow chokes at the end of the tube: the last step's "
                                      "length is negative.")
                                 : QString());
        } else if (SimulationStarted_) {
            StepsPlot1->ShowSteps(StepRows,
                                  tr("The simulation stopped at an error after %n step(s).",
                                     nullptr, static_cast<int>(StepRows.size())));
        } else if (outcome.Stoecker == TStoeckerStatus::Refused) {
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
