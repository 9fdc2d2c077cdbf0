// Tube Selection: rating a tube of a given length by each method, and the
// standard bores table (refreshed by Solve; a row chosen takes its bore and
// solves).
#include "app/MainForm.h"
#include "app/SelectionTable.h"
#include "services/UserFeedback.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>

void TMainForm::ConnectSelectionPage()
{
    RateAction = new QAction(tr("Rate"), this);
    RateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    RateAction->setShortcutContext(Qt::WindowShortcut);
    RateAction->setToolTip(tr("The flow a tube of this length passes, by each method"));
    addAction(RateAction);

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
    if (RatedLength > 0)
        TabSheet4->ShowRatings(Ratings, RatedLength, RatedBore, idEdit, mrEdit, QeEdit);
}

void TMainForm::SelectionTable1DblClick(double bore)
{
    idEdit->SetValue(bore);
    SolveActionExecute(SelectionTable1);
}
