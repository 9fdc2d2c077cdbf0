// The capillary tube report of the solved design case: its lines as the
// window shows the values, laid out by the report composer, and printing.
#include "app/MainForm.h"
#include "report/CapillaryReportSetup.h"
#include "report/PreviewForm.h"
#include "report/ReportServices.h"
#include "services/AppFolders.h"
#include "services/UserFeedback.h"
#include "sizing/ReportLines.h"

#include <QLabel>
#include <QPageLayout>

namespace {

// Shows the report the composer holds in the preview window, modally;
// printing is portrait again when it has closed.
void ShowReport()
{
    PreviewForm().exec();
    ReportPrinter().setPageOrientation(QPageLayout::Portrait);
}

} // namespace

void TMainForm::PrintActionExecute()
{
    if (!Results.Solved) {
        Feedback().Message(this, tr("Must solve first..."));
        return;
    }
    BeginCapillaryReport(
        StdReport(), [this] { ReportBody(); }, ProgramFolder, AppFolders().SharedDataFolder);

    ShowReport();
}

void TMainForm::ReportBody()
{
    WriteReportLines();
    StdReport().DrawSignature(QStringLiteral("Vellox"), VersionText);
}

void TMainForm::WriteReportLines()
{
    // Each field as the window shows it: its text and its unit label's text.
    const TReportInput input = MakeReportInput(Lib_, Results, [this](TDesignField field) {
        const TFmtEdit* edit = Edits[field];
        return TShownField{edit->text().toStdString(),
                           edit->UnitsLabel() != nullptr ? edit->UnitsLabel()->text().toStdString()
                                                         : std::string()};
    });
    StdReport().AddReportLines(CapillaryReportLines(input));
}
