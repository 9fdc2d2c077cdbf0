#pragma once

#include "report/PageMetrics.h"
#include "report/ReportSettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <string>
#include <vector>

class QPagedPaintDevice;

// Which margin and tab-stop lines the preview shows and lets the user drag:
// at first lines 0 to 6; a report shows the ones it uses.
std::array<bool, PositionCount>& MarginLineVisible();

// The page engine: sets the page up, runs the report once from its first
// page to its last through one painter, starts a new page when the next
// lines would not fit and numbers the pages of a report of two or more. It
// draws preview pages (pictures at screen resolution) or, while Printing, on
// the paged device it is given (a printer, a PDF file); it knows nothing of
// windows. What is drawn is the business of the hooks.
//
// Page coordinates are pixels of the page, origin at its top-left corner.
// Positions 0..11 are the margins and tab stops of the report settings.
class TPageEngine {
public:
    explicit TPageEngine(const TPageMetrics& metrics);

    // Hooks the report composer installs.
    std::function<void()> OnReportBody;
    std::function<void(bool firstPage)> OnPageHeader;
    // Plain messages for the user ("Printer Device Error..." and the like).
    std::function<void(const std::string&)> OnMessage;
    // Prints the report; copies the run's report settings in before a layout
    // or a printed copy; copies the preview's settings back out.
    std::function<void()> OnPrint;
    std::function<void()> OnLoadSettings;
    std::function<void()> OnStoreSettings;

    // One complete run: set-up, positions, page header, body, page number.
    // Returns why the run failed ("Report write error: out of memory"), empty
    // when it ran to its end; the user is told through OnMessage as well. The
    // painter has let go of its device when this returns, however the run
    // ended, so that a caller's device may go after it.
    std::string DoReport();
    // The outcome of the last run, as DoReport returned it.
    const std::string& RunFailure() const { return RunFailure_; }
    // A new page when n more lines would reach below BreakY.
    void EnsureSpace(int lines);
    // Moves the pen n lines down from BaseY, counting from the page's line 0.
    void AdvanceLines(int lines);
    void NewPage();

    void SetupPreviewPages();
    void SetupPrinterPage();
    void DrawPageNumber();
    // Whether this run draws on the paged device rather than preview pages.
    bool ToDevice() const;

    // The canvas all report drawing goes to during a run.
    QPainter* DrawCanvas() { return &Painter_; }
    // The one way report text gets its font, on every device: the font as
    // given, its letters drawn as typed without ligatures ("ff", "fl"), which
    // a PDF reader would give back as single characters of their own.
    void SetCanvasFont(const QFont& font);

    std::vector<QImage> Pages;
    int PageCount = 0;
    bool Printing = false;
    QPagedPaintDevice* PrintDevice = nullptr; // where Printing draws
    QString PrintDeviceName;                  // its name, for the status panel

    TPositions MarginCm{};
    std::array<double, PositionCount> MarginPos{};
    std::array<int, PositionCount> MarginPx{};
    int PxPerCmX = 0, PxPerCmY = 0;
    double ExactPxPerCmX = 0, ExactPxPerCmY = 0;
    int PageWidthPx = 0, PageHeightPx = 0;
    double LineHeight = 0;
    int LineCount = 0;
    int BaseY = 0;
    int BreakY = 0;
    QPoint Pen; // where the next text goes
    QFont ReportFont;
    // The report's title, for the files it is written to.
    QString DocumentTitle;
    // How the preview shows a page: zmActualSize or zmWholePage.
    std::uint8_t ZoomMode = zmActualSize;
    // The second status panel: the printer's name, "Printer not found", or
    // "Print to " + the name while printing.
    QString PrinterStatus;

private:
    void Message(const std::string& text) const;
    // Tells the user `message` and keeps it with the reason as the run's
    // failure (the first one counts).
    void Fail(const std::string& message, const std::string& reason);
    void StartPreviewPage();
    void ComputePositions();
    // The pen at the top margin on line 0, then the page header.
    void StartPage(bool first);
    int PrintedPage_ = 0;
    std::string RunFailure_;
    QPainter Painter_;
    const TPageMetrics& Metrics_;
};
