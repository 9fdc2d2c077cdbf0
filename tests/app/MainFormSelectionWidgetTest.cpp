// The Tube Selection page and the plot of the simulation, driven as a user
// drives them: the tube length field, Rate and Ctrl+R, the standard bores
// table (sorting, double-click), and the charts under the steps table.
#include "app/MainForm.h"
#include "app/MutedText.h"
#include "app/SelectionModel.h"
#include "app/SelectionTable.h"
#include "app/StepsPlot.h"
#include "sizing/RatingFields.h"
#include "support/MainFormFixture.h"

#include <cmath>
#include <QAbstractItemModel>
#include <QChartView>
#include <QHeaderView>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QValueAxis>

namespace {

class MainFormSelectionTest : public MainFormTest {
protected:
    void Rate()
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Form.get(),
                        Qt::Key_R, Qt::ControlModifier);
        QApplication::processEvents();
    }

    void ShowSelectionPage()
    {
        Form->FlatPageControl1->setCurrentWidget(Form->TabSheet4);
        QApplication::processEvents();
    }

    // The cell text of the table row showing `bore` (mm).
    QString Cell(double bore, int column) const
    {
        const QModelIndex first = Form->SelectionTable1->IndexOfBore(bore);
        return first.sibling(first.row(), column).data().toString();
    }

    // The number after "= " in a result label, as shown ("3.199m" -> "3.199").
    static QString ShownLength(const QLabel* label)
    {
        return label->text().section("= ", 1).remove('m').trimmed();
    }
};

TEST_F(MainFormSelectionTest, TubeSelectionPageHasTheLengthFieldWithItsUnitAndRange)
{
    QTabWidget* pages = Form->FlatPageControl1;
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(2), "RefProps");
    EXPECT_EQ(pages->tabText(3), "Tube Selection");
    EXPECT_EQ(pages->widget(3), Form->TabSheet4);

    TFmtEdit* length = Form->LengthEdit;
    EXPECT_EQ(length->UnitsType(), utLengthPrim);
    EXPECT_EQ(length->RangeLo(), 0.05);
    EXPECT_EQ(length->RangeHi(), 20.0);
    EXPECT_EQ(length->text(), "3.000"); // nothing stored yet
    EXPECT_EQ(length->accessibleName(), "Tube length");
    // The unit label switches the unit like every other field's.
    auto* unit = qobject_cast<TFmtEditLabel*>(length->UnitsLabel());
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->text(), "m");
    EXPECT_TRUE(unit->LinkedEdits().contains(length));
    length->SetUnitsValue(3); // inch
    EXPECT_EQ(unit->text(), "inch");
    EXPECT_EQ(length->text(), "118.11");
    length->SetUnitsValue(0);

    ShowSelectionPage();
    const struct {
        const char* Typed;
        const char* Shown;
    } entries[] = {{"2.4", "2.400"}, {"25", "20.000"}, {"0.01", "0.050"}};
    for (const auto& entry : entries) {
        Type(length, entry.Typed);
        Tab();
        if (QApplication::focusWidget() == length) // a limit keeps the focus
            Tab();
        EXPECT_EQ(length->text(), entry.Shown) << entry.Typed;
    }
}

// Each method's sized length, rated back, gives the design mass flow as the
// Mass Flow field shows it, with the duty as the Circuit Duty field shows it.
TEST_F(MainFormSelectionTest, RatingEachSizedLengthGivesBackTheDesignFlow)
{
    PressF9();
    ShowSelectionPage();
    const std::pair<TSizingMethod, QLabel*> sized[] = {
        {smWolf, Form->LabelASHLen}, {smChoi, Form->LabelChoiLen}, {smStoecker, Form->LabelSimLen}};
    for (const auto& [method, label] : sized) {
        const QString length = ShownLength(label);
        Type(Form->LengthEdit, length);
        Rate();
        EXPECT_EQ(Form->FlatPageControl1->currentWidget(), Form->TabSheet4);
        EXPECT_EQ(Form->LengthEdit->text(), length);
        EXPECT_EQ(Form->RatedFlowLabels[method]->text(), Form->mrEdit->text() + " kg/s")
            << MethodName(method);
        EXPECT_EQ(Form->RatedDutyLabels[method]->text(), Form->QeEdit->text() + " kW")
            << MethodName(method);
        EXPECT_EQ(Form->RatedNoteLabels[method]->text(), "") << MethodName(method);
    }
    EXPECT_EQ(Form->mrEdit->text(), "0.0100");
    EXPECT_EQ(Form->RatingCaption->text(), "Rated: 2.996 m of 1.6300 mm bore");
    // The last tube rated is the Stoecker length, shorter than either
    // correlation's own: through it they pass more than the design flow, the
    // one with the longer length the most.
    EXPECT_GT(Form->Ratings[smWolf].MassFlow, 0.0101);
    EXPECT_GT(Form->Ratings[smChoi].MassFlow, Form->Ratings[smWolf].MassFlow);
    // A short tube chokes the simulation's flow, and says so.
    Type(Form->LengthEdit, "0.2");
    Rate();
    EXPECT_EQ(Form->RatedNoteLabels[smStoecker]->text(), "choked");
    EXPECT_EQ(Form->RatedNoteLabels[smWolf]->text(), "");
    EXPECT_GT(Form->Ratings[smStoecker].MassFlow, 0.02);
}

TEST_F(MainFormSelectionTest, RatedFlowsFollowTheUnitsOfTheMassFlowAndDutyFields)
{
    Form->mrEdit->SetUnitsValue(2); // kg/hr
    Form->QeEdit->SetUnitsValue(1);
    const QString dutyUnit = Form->QeEdit->UnitsLabel()->text();
    ASSERT_NE(dutyUnit, "kW");
    ShowSelectionPage();
    Type(Form->LengthEdit, "3.393");
    QTest::mouseClick(Form->RateButton, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(Form->RatedFlowLabels[smChoi]->text(), "36.0 kg/hr");
    EXPECT_TRUE(Form->RatedDutyLabels[smChoi]->text().endsWith(" " + dutyUnit));
    EXPECT_EQ(Form->RatedDutyLabels[smChoi]->text(), Form->QeEdit->text() + " " + dutyUnit);
    // Another unit picked for the mass flow (the units popup reports it so):
    // the rating is shown again in it.
    Form->mrEdit->SetUnitsValue(0);
    emit Form->mrEdit->UnitsEdited(Form->mrEdit);
    EXPECT_EQ(Form->RatedFlowLabels[smChoi]->text(), "0.0100 kg/s");
}

TEST_F(MainFormSelectionTest, AMethodThatCannotRateSaysWhy)
{
    // The simulation refuses an evaporator warmer than the condenser; the
    // correlations still rate.
    Type(Form->teEdit, "45");
    Tab();
    ShowSelectionPage();
    Type(Form->LengthEdit, "3");
    Rate();
    EXPECT_EQ(Form->RatedFlowLabels[smStoecker]->text(), "\u2013");
    EXPECT_EQ(Form->RatedDutyLabels[smStoecker]->text(), "\u2013");
    EXPECT_TRUE(Form->RatedNoteLabels[smStoecker]->text().startsWith("Not rated because "))
        << Form->RatedNoteLabels[smStoecker]->text().toStdString();
    EXPECT_TRUE(Form->RatedNoteLabels[smStoecker]->text().contains("te must be less than tc"));
    EXPECT_TRUE(Feedback.Messages.isEmpty()); // no message box: the note says it
    // Text in the length field is an error of this action, reported.
    Form->LengthEdit->SetText("abc");
    Form->RateAction->trigger();
    EXPECT_EQ(Feedback.Errors.size(), 1);
}

TEST_F(MainFormSelectionTest, SelectionTableShowsTheLengthsTheSolveShows)
{
    EXPECT_EQ(Form->SelectionTable1->model()->rowCount(), 0); // not solved yet
    PressF9();
    ShowSelectionPage();
    const QAbstractItemModel* model = Form->SelectionTable1->model();
    ASSERT_EQ(model->rowCount(), 30);
    EXPECT_EQ(model->headerData(scBore, Qt::Horizontal).toString(), "Bore, mm");
    EXPECT_EQ(model->headerData(SelectionLengthColumn(smWolf), Qt::Horizontal).toString(),
              "Wolf et al, m");
    EXPECT_EQ(model->headerData(scSpread, Qt::Horizontal).toString(), "Spread");

    ASSERT_TRUE(Form->SelectionTable1->IndexOfBore(1.63).isValid());
    EXPECT_EQ(Cell(1.63, scBore), "1.6300");
    EXPECT_EQ(Cell(1.63, SelectionLengthColumn(smWolf)), ShownLength(Form->LabelASHLen));
    EXPECT_EQ(Cell(1.63, SelectionLengthColumn(smChoi)), ShownLength(Form->LabelChoiLen));
    EXPECT_EQ(Cell(1.63, SelectionLengthColumn(smStoecker)), ShownLength(Form->LabelSimLen));
    EXPECT_EQ(Cell(1.63, SelectionLengthColumn(smStoecker)), "2.996");
    // Inch bores in mm with the inch size beside.
    EXPECT_EQ(Cell(0.031 * 25.4, scBore), "0.7874  (0.031 in)");

    // Practical rows, and only they, are tinted.
    const QModelIndex row163 = Form->SelectionTable1->IndexOfBore(1.63);
    EXPECT_EQ(row163.data(Qt::BackgroundRole).value<QColor>(),
              Form->SelectionTable1->Model()->PracticalColor());
    EXPECT_FALSE(Form->SelectionTable1->IndexOfBore(2.5).data(Qt::BackgroundRole).isValid());
    // The design case's bore is the bold row.
    EXPECT_TRUE(row163.data(Qt::FontRole).value<QFont>().bold());
}

// A click on a header sorts by that column's numbers (not its text), lengths
// that could not be found last; a second click reverses the order.
TEST_F(MainFormSelectionTest, HeaderClicksSortByTheNumbers)
{
    PressF9();
    ShowSelectionPage();
    TSelectionTable* table = Form->SelectionTable1;
    const QAbstractItemModel* model = table->model();
    QHeaderView* header = table->horizontalHeader();
    for (const int column : {int{scBore}, SelectionLengthColumn(smWolf),
                             SelectionLengthColumn(smStoecker), int{scSpread}}) {
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        if (header->sortIndicatorSection() == column &&
            header->sortIndicatorOrder() == Qt::DescendingOrder)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        ASSERT_EQ(header->sortIndicatorSection(), column);
        ASSERT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
        double previous = -INFINITY;
        for (int row = 0; row < model->rowCount(); ++row) {
            const double value =
                model->index(row, column).data(TSelectionModel::SortRole).toDouble();
            EXPECT_GE(value, previous) << column << " row " << row;
            previous = value;
        }
        const QString last = model->index(model->rowCount() - 1, column).data().toString();
        if (column == scSpread) {
            EXPECT_EQ(last, "\u2013"); // rows without a spread come last
        }
    }
}

TEST_F(MainFormSelectionTest, DoubleClickOnARowTakesItsBoreAndSolves)
{
    PressF9();
    Type(Form->scEdit, "6");
    Tab();
    ASSERT_EQ(Status(0), "Not Solved..");
    ShowSelectionPage();
    TSelectionTable* table = Form->SelectionTable1;
    const double bore = 0.031 * 25.4;
    const QModelIndex index = table->IndexOfBore(bore);
    table->scrollTo(index);
    const QPoint centre = table->visualRect(index).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
    QApplication::processEvents();
    EXPECT_EQ(Form->idEdit->text(), "0.7874");
    EXPECT_EQ(Status(0), "Solved..");
    EXPECT_EQ(ShownLength(Form->LabelASHLen), Cell(bore, SelectionLengthColumn(smWolf)));
    EXPECT_TRUE(table->IndexOfBore(bore).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(table->IndexOfBore(1.63).data(Qt::FontRole).value<QFont>().bold());

    // Enter on the current row does the same.
    const QModelIndex other = table->IndexOfBore(1.2);
    table->setFocus();
    table->setCurrentIndex(other);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(Form->idEdit->text(), "1.2000");
    EXPECT_EQ(ShownLength(Form->LabelChoiLen), Cell(1.2, SelectionLengthColumn(smChoi)));
}

TEST_F(MainFormSelectionTest, PlotDrawsTheStepsOfEachSolve)
{
    TStepsPlot* plot = Form->StepsPlot1;
    EXPECT_EQ(plot->TemperatureSeries->count(), 0);
    EXPECT_FALSE(plot->Note().isEmpty()); // says to solve first

    PressF9();
    const QStringList steps = Steps();
    ASSERT_EQ(steps.size(), 28);
    for (QLineSeries* series :
         {plot->TemperatureSeries, plot->PressureSeries, plot->QualitySeries, plot->VelocitySeries})
        EXPECT_EQ(series->count(), steps.size()) << series->name().toStdString();
    EXPECT_EQ(plot->Note(), "");
    // The first row: "38  1473.7  0.008  0.000998  248.60  4.781  0.3391  0.339".
    EXPECT_EQ(plot->TemperatureSeries->at(0).x(), Form->Results.Steps[0].L);
    EXPECT_NEAR(plot->TemperatureSeries->at(0).y(), 38, 0.5);
    EXPECT_NEAR(plot->PressureSeries->at(0).y(), 1473.7, 0.05);
    EXPECT_NEAR(plot->QualitySeries->at(0).y(), 0.008, 0.0005);
    EXPECT_NEAR(plot->VelocitySeries->at(0).y(), 4.781, 0.0005);
    EXPECT_NEAR(plot->VelocitySeries->at(27).x(), Form->Results.Method(smStoecker).Length, 1e-9);
    // Every axis names its quantity and unit, and spans the curve.
    EXPECT_EQ(plot->StateLengthAxis->titleText(), "Length, m");
    EXPECT_EQ(plot->TemperatureAxis->titleText(), "Temperature, \u00b0C");
    EXPECT_EQ(plot->PressureAxis->titleText(), "Pressure, kPa");
    EXPECT_EQ(plot->QualityAxis->titleText(), "Quality, kg/kg");
    EXPECT_EQ(plot->VelocityAxis->titleText(), "Velocity, m/s");
    EXPECT_LE(plot->PressureAxis->min(), Form->Results.Steps.back().p * 0.001);
    EXPECT_GE(plot->StateLengthAxis->max(), Form->Results.Method(smStoecker).Length);

    // Refused: the charts are empty and say why; the table keeps its rows.
    Type(Form->teEdit, "45");
    Tab();
    PressF9();
    EXPECT_EQ(Steps().size(), 28);
    for (QLineSeries* series :
         {plot->TemperatureSeries, plot->PressureSeries, plot->QualitySeries, plot->VelocitySeries})
        EXPECT_EQ(series->count(), 0);
    EXPECT_EQ(plot->Note(), "The simulation did not run: te must be less than tc...");
    EXPECT_EQ(plot->TemperatureAxis->labelsBrush().color().alpha(), 0); // no numbers to read

    // A fault before the simulation: empty too.
    Type(Form->teEdit, "5");
    Tab();
    PressF9();
    EXPECT_EQ(plot->VelocitySeries->count(), 28);
    Type(Form->scEdit, "0");
    Tab();
    PressF9();
    EXPECT_EQ(plot->VelocitySeries->count(), 0);
    EXPECT_TRUE(plot->Note().startsWith("The simulation did not run"));
}

TEST_F(MainFormSelectionTest, TubeLengthIsKeptWithTheDesignCase)
{
    ShowSelectionPage();
    Type(Form->LengthEdit, "2.4");
    Tab();
    Form->close();
    QApplication::processEvents();
    EXPECT_EQ(Store().ReadFloat("Settings", "len", 0), 2.4);

    Open(ShippedLibrary());
    EXPECT_EQ(Form->LengthEdit->text(), "2.400");
    EXPECT_TRUE(Feedback.Errors.isEmpty());

    // A stored length the field could not hold is refused like the others.
    for (const double stored : {50.0, 0.0, std::nan("")}) {
        Form.reset();
        Store().WriteFloat("Settings", "len", stored);
        Feedback.Errors.clear();
        Open(ShippedLibrary());
        EXPECT_EQ(Form->LengthEdit->text(), "3.000") << stored;
        ASSERT_EQ(Feedback.Errors.size(), 1) << stored;
        EXPECT_TRUE(Feedback.Errors[0].startsWith("Invalid value for 'len'"));
    }
}

// The tint of practical rows and the curve colours stay readable in light and
// dark themes.
TEST(SelectionColours, ReadableInLightAndDarkThemes)
{
    const struct {
        const char* Name;
        QColor Base, Text;
    } themes[] = {
        {"light", QColor(255, 255, 255), QColor(0, 0, 0)},
        {"dark", QColor(0x23, 0x23, 0x23), QColor(0xe0, 0xe0, 0xe0)},
    };
    for (const auto& theme : themes) {
        QPalette palette;
        palette.setColor(QPalette::Base, theme.Base);
        palette.setColor(QPalette::Text, theme.Text);
        const QColor tint = PracticalRowColor(palette);
        EXPECT_GE(ContrastRatio(theme.Text, tint), 4.5) << theme.Name;
        EXPECT_NE(tint, theme.Base) << theme.Name; // the tint shows
    }
}

} // namespace
