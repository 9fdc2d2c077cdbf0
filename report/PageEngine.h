#pragma once

#include "report/PageLayout.h"
#include "report/PageMetrics.h"
#include "report/ReportOutcome.h"
#include "report/ReportSettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>
#include <vector>

class QPagedPaintDevice;

// The page engine: sets the page up, runs the report once from its first
// page to its last through one painter, starts a new page when the next
// lines would not fit and numbers the pages of a report of two or more. It
// draws the preview's pages (pictures at screen resolution), pictures of the
// same kind for a caller, or the pages of a paged device it is given for one
// call (a printer, a PDF file); it knows nothing of windows. What is drawn is
// the business of the hooks.
//
// The preview's state (its pages, its layout at the screen's resolution, the
// zoom mode and the margins) changes only with a preview run: a run on a
// device or on a caller's pictures leaves it as it was.
class TPageEngine : public TPageLayout {
public:
    explicit TPageEngine(const TPageMetrics& metrics);

    // Hooks the report composer installs.
    std::function<void()> OnReportBody;
    std::function<void(bool firstPage)> OnPageHeader;
    // Plain messages for the user ("Printer Device Error..." and the like).
    std::function<void(const std::string&)> OnMessage;
    // Prints the report; copies the run's report settings in before a layout
    // or a printed copy; copies the preview's settings back out.
    std::function<TReportOutcome()> OnPrint;
    std::function<void()> OnLoadSettings;
    std::function<void()> OnStoreSettings;
    // Whether a run's failure ("Report write error...") is told through
    // OnMessage as well as returned. A caller that reports the returned
    // outcome itself (the command line tool) turns it off.
    bool TellFailures = true;

    // One complete run each: set-up, positions, page header, body, page
    // number. A run that fails part way tells the user through OnMessage
    // (the first failure counts) and returns why; the painter has let go of
    // its page or device when these return, however the run ended, so that
    // a caller's device may go after it.
    //
    // The preview's pages: Pages, PageCount, the layout and PreviewOutcome()
    // are this run's afterwards.
    TReportOutcome RenderPreview();
    // Pictures as the preview's pages are laid out, into `pages`.
    TReportOutcome RenderPictures(std::vector<QImage>& pages);
    // The pages of a paged device; `deviceName` goes into the status while
    // the run draws ("Print to " + the name). A device that cannot be drawn
    // on is a DeviceError.
    TReportOutcome RenderToDevice(QPagedPaintDevice& device, const QString& deviceName);
    // The outcome of the last preview run: its pages are not the report
    // unless it succeeded.
    const TReportOutcome& PreviewOutcome() const { return PreviewOutcome_; }

    // For the hooks during a run. A new page when n more lines would reach
    // below BreakY.
    void EnsureSpace(int lines);
    // Moves the pen n lines down from BaseY, counting from the page's line 0.
    void AdvanceLines(int lines);
    void NewPage();
    void DrawPageNumber();
    // Whether the run in progress draws on a paged device rather than on
    // pictures.
    bool ToDevice() const { return Target_.Device != nullptr; }

    // The canvas all report drawing goes to during a run.
    QPainter* DrawCanvas() { return &Painter_; }
    // The one way report text gets its font, on every device: the font as
    // given, its letters drawn as typed without ligatures ("ff", "fl"), which
    // a PDF reader would give back as single characters of their own.
    void SetCanvasFont(const QFont& font);

    // The preview's pages, as the last preview run laid them out.
    std::vector<QImage> Pages;
    int PageCount = 0;

    TPositions MarginCm{};
    QFont ReportFont;
    // The report's title, for the files it is written to.
    QString DocumentTitle;
    // How the preview shows a page: zmActualSize or zmWholePage.
    std::uint8_t ZoomMode = zmActualSize;
    // Which margin and tab-stop lines the preview shows and lets the user
    // drag: at first lines 0 to 6; a report shows the ones it uses.
    std::array<bool, PositionCount> MarginLineVisible = {true, true,  true,  true,  true,  true,
                                                         true, false, false, false, false, false};

private:
    // What one run draws on: pictures at the screen's resolution, or a
    // paged device and its name.
    struct TTarget {
        std::vector<QImage>* Pictures = nullptr;
        QPagedPaintDevice* Device = nullptr;
        QString DeviceName;
    };
    TReportOutcome Run(const TTarget& target);
    // A run on a page of its own: the preview's layout comes back afterwards.
    TReportOutcome RunBesidePreview(const TTarget& target);
    void SetupPreviewPages();
    void SetupPrinterPage();
    void Message(const std::string& text) const;
    // Keeps `message` with the reason as the run's outcome (the first
    // failure counts) and tells the user `message`.
    void Fail(TReportResult result, const std::string& message, const std::string& reason);
    void StartPreviewPage();
    void ComputePositions();
    // The pen at the top margin on line 0, then the page header.
    void StartPage(bool first);

    TTarget Target_;         // the run in progress's, empty between runs
    int Page_ = 0;           // the page the run draws, from 1
    TReportOutcome Outcome_; // the run in progress's
    TReportOutcome PreviewOutcome_;
    QPainter Painter_;
    const TPageMetrics& Metrics_;
};
