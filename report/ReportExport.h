#pragma once

#include "report/SaveDialog.h"

#include <functional>
#include <memory>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;
class TMapiControl;
class TPageEngine;

// What the preview window's export buttons do with the pages of the last
// preview run: one GIF picture of all pages, one PDF file of the report, or
// the pages as GIF files attached to a new message in the desktop's mail
// client. A child of the preview window, which owns it; messages go to the
// user through Feedback() with the window as parent.
class TReportExport : public QObject {
public:
    TReportExport(QWidget* parent, TPageEngine& engine);
    ~TReportExport() override;

    // Asks for a file name (first "Report.gif" in the user's data folder,
    // later the last one chosen) and writes all pages one under the other
    // into one GIF picture there, replacing any file. Nothing without pages
    // or on cancel; the name ReportLogo is refused. A failed write shows the
    // system's reason in the error box and leaves nothing at the path.
    void SaveGif();
    // The same for a PDF file of the report ("Report.pdf", own dialog), laid
    // out on the PDF's own page through the engine; the preview's pages and
    // positions stay as they are.
    void SavePdf();
    // Writes page0.gif, page1.gif ... into the user's data folder and hands
    // them to MapiControl1 as the attachments of a new message. When no mail
    // client can be reached, or the mail client reports an error, a message
    // names the folder that holds the page files.
    void SendEMail();

    // The mail component, a child of this: ShowDialog and UseAppHandle on.
    TMapiControl* MapiControl1 = nullptr;

    // The PDF's title.
    QString Title = QStringLiteral("Report");

    // Makes a save dialog; tests answer through their own.
    std::function<std::unique_ptr<TSaveDialog>(QWidget* parent, const TSaveDialogKind&)>
        MakeSaveDialog;
    // The dialogs, once made (null before the first use).
    TSaveDialog* GifDialog() const { return GifDialog_.get(); }
    TSaveDialog* PdfDialog() const { return PdfDialog_.get(); }

    // The folder of the e-mail page files.
    static QString PageFolder();

private:
    // The pages of a preview run that failed part way are not the report:
    // the run's failure goes to the error box and true comes back.
    bool RefuseFailedPages();
    // The chosen path, empty on cancel.
    QString AskPath(std::unique_ptr<TSaveDialog>& dialog, const TSaveDialogKind& kind,
                    const QString& firstName);

    QWidget* Parent_;
    TPageEngine& Engine_;
    std::unique_ptr<TSaveDialog> GifDialog_;
    std::unique_ptr<TSaveDialog> PdfDialog_;
};
