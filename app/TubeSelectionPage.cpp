#include "app/TubeSelectionPage.h"

#include "app/FieldEdit.h"
#include "app/MutedText.h"
#include "app/SelectionModel.h"
#include "app/SelectionTable.h"
#include "sizing/DesignFields.h"
#include "sizing/RatingFields.h"
#include "sizing/TubeSelection.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString NoValue = QStringLiteral("\u2013");

QString Caption(TRatingField field)
{
    return QString::fromUtf8(RatingFields[field].Caption);
}

} // namespace

TTubeSelectionPage::TTubeSelectionPage(QWidget* parent) : QWidget(parent)
{
    auto* page = new QVBoxLayout(this);

    // The tube to rate.
    auto* lengthRow = new QHBoxLayout;
    auto* lengthCaption = new QLabel(tr(DesignFieldLayout(dfLength).Window.Caption), this);
    auto* unit = new TFmtEditLabel(this);
    LengthEdit = NewFieldEdit(dfLength, this, unit);
    lengthCaption->setBuddy(LengthEdit);

    RateButton = new QPushButton(tr("Rate"), this);
    RateButton->setObjectName("RateButton");
    RateButton->setToolTip(tr("The flow a tube of this length passes, by each method (Ctrl+R)"));
    RateButton->setAutoDefault(false);
    RatingCaption =
        new QLabel(tr("The flow this tube passes with the design case's bore (Ctrl+R)"), this);
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

    // The rated flows, one line per method.
    auto* rated = new QGridLayout;
    rated->setHorizontalSpacing(16);
    rated->setVerticalSpacing(2);
    auto* ratedHeader = new QLabel(tr("Rated flow"), this);
    auto* flowHeader = new QLabel(Caption(rfMassFlow), this);
    auto* dutyHeader = new QLabel(Caption(rfDuty), this);
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
        rated->addWidget(new QLabel(QString::fromUtf8(MethodName(method)), this), row, 0);
        RatedFlowLabels[method] = new QLabel(NoValue, this);
        RatedDutyLabels[method] = new QLabel(NoValue, this);
        RatedNoteLabels[method] = new QLabel(this);
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
    SelectionCaption = new QLabel(tr("Standard bores: solve to see each method's length."), this);
    SelectionCaption->setObjectName("SelectionCaption");
    SelectionCaption->setWordWrap(true);
    page->addSpacing(4);
    page->addWidget(SelectionCaption);
    SelectionTable1 = new TSelectionTable(this);
    SelectionTable1->setObjectName("SelectionTable1");
    SelectionTable1->setAccessibleName(tr("Standard bores"));
    page->addWidget(SelectionTable1, 1);

    // What the tint means, with a swatch of it.
    auto* legendRow = new QHBoxLayout;
    auto* swatch = new QLabel(this);
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
                              this);
    legend->setWordWrap(true);
    SetMutedText(legend);
    legendRow->addWidget(swatch, 0, Qt::AlignTop);
    legendRow->addWidget(legend, 1);
    page->addLayout(legendRow);

    setTabOrder(LengthEdit, RateButton);
    setTabOrder(RateButton, SelectionTable1);
}

void TTubeSelectionPage::ShowRatings(const std::array<TRating, SizingMethodCount>& ratings,
                                     double length, double bore, const TFmtEdit* boreEdit,
                                     const TFmtEdit* massFlowEdit, const TFmtEdit* dutyEdit)
{
    RatingCaption->setText(
        bore > 0
            ? tr("Rated: %1 of %2 bore").arg(ShownIn(LengthEdit, length), ShownIn(boreEdit, bore))
            : tr("Rated: %1").arg(ShownIn(LengthEdit, length)));
    for (const TSizingMethod method : SizingMethods) {
        const TRating& rating = ratings[method];
        if (rating.Rated) {
            RatedFlowLabels[method]->setText(ShownIn(massFlowEdit, rating.MassFlow));
            RatedDutyLabels[method]->setText(ShownIn(dutyEdit, rating.Duty));
            RatedNoteLabels[method]->setText(rating.Choked ? tr("choked") : QString());
        } else {
            RatedFlowLabels[method]->setText(NoValue);
            RatedDutyLabels[method]->setText(NoValue);
            RatedNoteLabels[method]->setText(Caption(rfMessage) + " " +
                                             QString::fromStdString(rating.Message));
        }
    }
}

void TTubeSelectionPage::ShowSelection(const TRefrigLib& lib, const TDesignCase& designCase,
                                       const TFmtEdit* massFlowEdit)
{
    try {
        SelectionTable1->SetRows(SelectionTable(lib, designCase));
        const double bore = designCase.id.IsText() ? 0 : designCase.id.Number();
        SelectionTable1->SetCurrentBore(bore);
        SelectionCaption->setText(
            designCase.mr.IsText()
                ? tr("Standard bores: each method's length at the design case's mass flow")
                : tr("Standard bores: each method's length at a mass flow of %1")
                      .arg(ShownIn(massFlowEdit, designCase.mr.Number())));
    } catch (const std::exception&) {
        SelectionCaption->setText(tr("Standard bores: the lengths could not be found"));
    }
}
