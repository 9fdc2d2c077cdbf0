// Print on the main window: refused until solved, then the report of the
// solved case goes to the printer picked in the print dialog (here Qt's PDF
// printer, one job per copy).
#include "app/MainForm.h"
#include "report/ReportServices.h"
#include "support/MainFormFixture.h"

#include <QFile>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Accepts the print dialog as soon as it is up.
void AcceptPrintDialog(int attemptsLeft = 200)
{
    QTimer::singleShot(10, [attemptsLeft] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
        else if (attemptsLeft > 0)
            AcceptPrintDialog(attemptsLeft - 1);
    });
}

TEST_F(MainFormTest, PrintNeedsASolvedCase)
{
    Feedback.Messages.clear();
    Form->PrintAction->trigger();
    EXPECT_EQ(Feedback.Messages, QStringList{"Must solve first..."});
}

TEST_F(MainFormTest, PrintWritesTheReportOfTheSolvedCase)
{
    PressF9();
    ASSERT_EQ(Status(0), "Solved..");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    QPrinter& printer = ReportPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setCopyCount(1);
    AcceptPrintDialog();
    Form->PrintAction->trigger();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_EQ(printer.docName(), "Capillary Tube Estimate");
    EXPECT_EQ(StdReport().Titles, QStringList{"Capillary Tube Estimate"});
    // The same report laid out on a preview page has its one page.
    ReportEngine().Printing = false;
    ReportEngine().DoReport();
    EXPECT_EQ(ReportEngine().PageCount, 1);
}

} // namespace
