#include "report/ReportExport.h"

#include "report/AtomicFile.h"
#include "report/GifFile.h"
#include "report/MapiControl.h"
#include "report/PageEngine.h"
#include "report/ReportFile.h"
#include "services/AppFolders.h"
#include "services/UserFeedback.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace {

const TSaveDialogKind GifKind{QStringLiteral("gif"), QStringLiteral("GIF Image File (*.gif)")};
const TSaveDialogKind PdfKind{QStringLiteral("pdf"), QStringLiteral("PDF Document (*.pdf)")};

// The report's own logo picture is ReportLogo.gif beside the program or in
// the shared data folder; an export may not take that name in any folder.
const QString ReservedName = QStringLiteral("ReportLogo");

QString CouldNotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("Could not write %1.\n%2").arg(QDir::toNativeSeparators(path), reason);
}

// Where the page files are: "The report page page0.gif is in …" or "The
// report pages page0.gif to page2.gif are in …".
QString PagesAreIn(qsizetype count, const QString& folder)
{
    const QString files = count == 1
                              ? QStringLiteral("page page0.gif is")
                              : QStringLiteral("pages page0.gif to page%1.gif are").arg(count - 1);
    return QStringLiteral("The report %1 in %2").arg(files, QDir::toNativeSeparators(folder));
}

} // namespace

TReportExport::TReportExport(QWidget* parent, TPageEngine& engine)
    : QObject(parent), MapiControl1(new TMapiControl(this)), Parent_(parent), Engine_(engine)
{
    MapiControl1->ShowDialog = true;
    MapiControl1->UseAppHandle = true;
    // Where no mail client takes the message, the user learns where the
    // pages are, to send them by other means.
    MapiControl1->OnUserAbort = [this](TMapiControl& mapi) {
        Feedback().Message(Parent_, QStringLiteral("No e-mail program could be started.\n") +
                                        PagesAreIn(mapi.AttachedFiles.size(), PageFolder()));
    };
    MapiControl1->OnMapiError = [this](TMapiControl& mapi, int code) {
        Feedback().Error(Parent_,
                         QStringLiteral("The e-mail program reported error %1.\n").arg(code) +
                             PagesAreIn(mapi.AttachedFiles.size(), PageFolder()));
    };
    MakeSaveDialog = [](QWidget* owner, const TSaveDialogKind& kind) {
        return std::unique_ptr<TSaveDialog>(std::make_unique<TFileSaveDialog>(owner, kind));
    };
}

TReportExport::~TReportExport() = default;

QString TReportExport::PageFolder()
{
    return UserDataFolder();
}

QString TReportExport::AskPath(std::unique_ptr<TSaveDialog>& dialog, const TSaveDialogKind& kind,
                               const QString& firstName)
{
    if (!dialog)
        dialog = MakeSaveDialog(Parent_, kind);
    if (dialog->InitialDir().isEmpty())
        dialog->SetInitialDir(UserDataFolder());
    if (dialog->FileName().isEmpty())
        dialog->SetFileName(firstName);
    for (;;) {
        if (!dialog->Execute())
            return {};
        const QString path = dialog->FileName();
        const QString base = QFileInfo(path).completeBaseName();
        const QString notAFile = NotAFileToWrite(path);
        if (base.compare(ReservedName, Qt::CaseInsensitive) != 0 && notAFile.isEmpty())
            return path;
        // A folder, a device or a FIFO at the name is never replaced.
        Feedback().Message(Parent_, notAFile.isEmpty()
                                        ? "Sorry, " + base + " is a reserved filename"
                                        : "Sorry, " + QDir::toNativeSeparators(path) + " " +
                                              notAFile + ", not a regular file");
        dialog->SetFileName(QString());
    }
}

bool TReportExport::RefuseFailedPages()
{
    if (Engine_.PreviewOutcome().Ok())
        return false;
    Feedback().Error(Parent_, Engine_.PreviewOutcome().Message);
    return true;
}

void TReportExport::SaveGif()
{
    if (Engine_.Pages.empty() || RefuseFailedPages())
        return;
    const QString path = AskPath(GifDialog_, GifKind, QStringLiteral("Report.gif"));
    if (path.isEmpty())
        return;
    const QString failure = WriteGifFile(Engine_.Pages, path);
    if (!failure.isEmpty())
        Feedback().Error(Parent_, CouldNotWrite(path, failure));
}

void TReportExport::SavePdf()
{
    if (Engine_.Pages.empty())
        return;
    const QString path = AskPath(PdfDialog_, PdfKind, QStringLiteral("Report.pdf"));
    if (path.isEmpty())
        return;
    // Laid out on the PDF's own page: the preview's pages and positions stay
    // as they are.
    TReportFileSettings settings;
    settings.Title = Title;
    const TReportOutcome written = WritePdfFile(Engine_, path, settings);
    if (!written.Ok())
        Feedback().Error(Parent_, CouldNotWrite(path, written.Message));
}

void TReportExport::SendEMail()
{
    if (Engine_.Pages.empty() || RefuseFailedPages())
        return;
    const QString folder = PageFolder();
    // Made at start-up, but it may have gone since.
    QDir().mkpath(folder);
    QStringList paths;
    for (std::size_t i = 0; i < Engine_.Pages.size(); ++i) {
        const QString path = folder + QStringLiteral("page%1.gif").arg(i);
        const QString failure = WriteGifPage(Engine_.Pages[i], path);
        if (!failure.isEmpty()) {
            Feedback().Error(Parent_, CouldNotWrite(path, failure));
            return;
        }
        paths.append(path);
    }
    MapiControl1->Recipients.clear();
    MapiControl1->Subject = QStringLiteral("Report...");
    MapiControl1->Body = QStringLiteral("Please find our report attached.");
    MapiControl1->AttachedFiles = paths;
    MapiControl1->Send();
}
