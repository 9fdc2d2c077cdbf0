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
    if (!Solved) {
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
    TReportInput input;
    input.RNumber = Lib_.GetRNumber();
    input.Formula = Lib_.GetFormula();
    input.ChemicalName = Lib_.GetChemicalName();
    input.RefrigEffect = RefrigEffect;
    input.StoeckerLength = StoeckerLength;
    input.LeavingTemp = LeavingTemp;
    input.Choked = Choked;
    input.WolfLength = WolfLength;
    input.ChoiLength = ChoiLength;
    const std::pair<TDesignField, TFmtEdit*> fields[] = {
        {dfTc, tcEdit}, {dfTe, teEdit},         {dfPc, pcEdit}, {dfPe, peEdit},
        {dfSc, scEdit}, {dfSh, shEdit},         {dfQe, QeEdit}, {dfMr, mrEdit},
        {dfDp, dpEdit}, {dfDpEvap, dpEvapEdit}, {dfId, idEdit}};
    for (const auto& [field, edit] : fields) {
        auto& shown = input.Fields[static_cast<std::size_t>(field)];
        shown.Text = edit->text().toStdString();
        shown.Unit = edit->UnitsLabel() != nullptr ? edit->UnitsLabel()->text().toStdString() : "";
    }
    StdReport().AddReportLines(CapillaryReportLines(input));
}
