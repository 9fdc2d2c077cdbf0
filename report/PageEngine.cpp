#include "report/PageEngine.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <new>
#include <QPagedPaintDevice>

namespace {

// The page when no printer page is known.
constexpr TPageSizeCm A4;

int Rounded(double x)
{
    return static_cast<int>(Round(x));
}

// A y far below any page (or above it) stays a number a QPoint can hold.
int PixelY(double y)
{
    constexpr double Limit = std::numeric_limits<int>::max() / 2;
    return Rounded(std::clamp(y, -Limit, Limit));
}

} // namespace

TPageEngine::TPageEngine(const TPageMetrics& metrics) : Metrics_(metrics)
{
    MarginCm = DefaultMargins();
}

void TPageEngine::Message(const std::string& text) const
{
    if (OnMessage)
        OnMessage(text);
}

void TPageEngine::StartPreviewPage()
{
    QImage page(PageWidthPx, PageHeightPx, QImage::Format_RGB32);
    // Points of the report font come out at the page's own resolution.
    page.setDotsPerMeterX(Rounded(ExactPxPerCmX * 100));
    page.setDotsPerMeterY(Rounded(ExactPxPerCmY * 100));
    page.fill(Qt::white);
    Target_.Pictures->push_back(std::move(page));
}

void TPageEngine::SetupPreviewPages()
{
    Target_.Pictures->clear();

    int a4Width = 950, a4Height = 672;
    if (const auto screen = Metrics_.Screen()) {
        ExactPxPerCmX = screen->WidthPx / (screen->WidthMm / 10);
        ExactPxPerCmY = screen->HeightPx / (screen->HeightMm / 10);
        PxPerCmX = Rounded(ExactPxPerCmX);
        PxPerCmY = Rounded(ExactPxPerCmY);
        a4Width = Rounded(PxPerCmX * A4.Width);
        a4Height = Rounded(PxPerCmY * A4.Height);
    } else {
        Message("Bitmap Device Error... \r\nThe screen's size cannot be read");
        ExactPxPerCmX = ExactPxPerCmY = 32.0;
        PxPerCmX = PxPerCmY = 32;
    }
    PageWidthPx = a4Width;
    PageHeightPx = a4Height;

    // The page is the printer's, in whole centimetres at the screen's scale,
    // unless it is less than a fifth of A4 either way.
    auto printer = Metrics_.Printer();
    if (!printer || printer->DpiX <= 0 || printer->DpiY <= 0) {
        Message("Printer Device Error...");
        printer.reset();
    } else {
        PageWidthPx = Rounded(printer->PageWidthPx * 2.54 / printer->DpiX) * PxPerCmX;
        PageHeightPx = Rounded(printer->PageHeightPx * 2.54 / printer->DpiY) * PxPerCmY;
    }
    if (PageWidthPx < 0.2 * a4Width || PageHeightPx < 0.2 * a4Height) {
        PageWidthPx = a4Width;
        PageHeightPx = a4Height;
        printer.reset();
    }

    StartPreviewPage();
    LineHeight = Metrics_.TextHeight(ReportFont, Rounded(ExactPxPerCmY * 2.54));
    // A preview page holds as many lines as a printed page.
    if (printer && printer->PageHeightPx > 0)
        LineHeight = static_cast<double>(Metrics_.TextHeight(ReportFont, printer->DpiY)) *
                     PageHeightPx / printer->PageHeightPx;
    PrinterStatus = printer ? printer->Name : QStringLiteral("Printer not found");
}

void TPageEngine::SetupPrinterPage()
{
    QPagedPaintDevice* device = Target_.Device;
    ExactPxPerCmX = device->width() / (device->widthMM() / 10.0);
    ExactPxPerCmY = device->height() / (device->heightMM() / 10.0);
    PxPerCmX = Rounded(ExactPxPerCmX);
    PxPerCmY = Rounded(ExactPxPerCmY);
    PageWidthPx = device->width();
    PageHeightPx = device->height();
    LineHeight = Metrics_.TextHeight(ReportFont, device->logicalDpiY());
    PrinterStatus = QStringLiteral("Print to ") + Target_.DeviceName;
}

void TPageEngine::ComputePositions()
{
    MarginPos[0] = MarginCm[0] * ExactPxPerCmX;
    MarginPos[1] = PageWidthPx - MarginCm[1] * ExactPxPerCmX;
    MarginPos[2] = MarginCm[2] * ExactPxPerCmY;
    MarginPos[3] = PageHeightPx - MarginCm[3] * ExactPxPerCmY;
    for (std::size_t i = 4; i < PositionCount; ++i)
        MarginPos[i] = Rounded(PxPerCmX * MarginCm[i]);
    BreakY = Rounded(MarginPos[3] - 2 * LineHeight);
    for (std::size_t i = 0; i < PositionCount; ++i)
        MarginPx[i] = Rounded(MarginPos[i]);
}

void TPageEngine::Fail(TReportResult result, const std::string& message, const std::string& reason)
{
    if (Outcome_.Ok())
        Outcome_ = {result,
                    QString::fromStdString(message.substr(0, message.find("...")) + ": " + reason)};
    if (!TellFailures)
        return;
    // A message that cannot be shown (no memory left for it) does not hide
    // the failure from the caller.
    try {
        Message(message);
    } catch (...) {
    }
}

TReportOutcome TPageEngine::RenderPreview()
{
    PreviewOutcome_ = Run({&Pages, nullptr, {}});
    PageCount = Page_;
    return PreviewOutcome_;
}

TReportOutcome TPageEngine::RenderPictures(std::vector<QImage>& pages)
{
    return RunBesidePreview({&pages, nullptr, {}});
}

TReportOutcome TPageEngine::RenderToDevice(QPagedPaintDevice& device, const QString& deviceName)
{
    return RunBesidePreview({nullptr, &device, deviceName});
}

TReportOutcome TPageEngine::RunBesidePreview(const TTarget& target)
{
    // However the run ends, the preview's layout is the engine's again.
    struct TKeepPreview {
        TPageEngine& Engine;
        const TPageLayout Preview;
        ~TKeepPreview() { static_cast<TPageLayout&>(Engine) = Preview; }
    } keep{*this, *this};
    return Run(target);
}

TReportOutcome TPageEngine::Run(const TTarget& target)
{
    // However the run ends, the painter lets go of the page or device before
    // the caller may destroy it (a painter left active on a PDF writer that
    // has gone crashes when it is ended later), and the target is forgotten.
    struct TEndRun {
        TPageEngine& Engine;
        ~TEndRun()
        {
            if (Engine.Painter_.isActive())
                Engine.Painter_.end();
            Engine.Target_ = {};
        }
    } endRun{*this};
    Target_ = target;
    Outcome_ = {};
    Page_ = 1;
    try {
        if (ToDevice())
            SetupPrinterPage();
        else
            SetupPreviewPages();
    } catch (const std::bad_alloc&) {
        Fail(TReportResult::SetupError, "Setup error...", "out of memory");
    } catch (const std::exception& error) {
        Fail(TReportResult::SetupError, "Setup error...", error.what());
    }
    // A page that was not set up (a preview without its first page) is not
    // drawn on.
    if (!Outcome_.Ok())
        return Outcome_;
    try {
        ComputePositions();
        const bool drawing =
            ToDevice() ? Painter_.begin(Target_.Device) : Painter_.begin(&Target_.Pictures->back());
        if (!drawing) {
            Fail(TReportResult::DeviceError, "Report write error...",
                 "the page cannot be drawn on");
            return Outcome_;
        }
        SetCanvasFont(ReportFont);
        StartPage(true);
        if (OnReportBody)
            OnReportBody();
        if (Page_ > 1)
            DrawPageNumber();
    } catch (const std::bad_alloc&) {
        Fail(TReportResult::RunError, "Report write error...", "out of memory");
    } catch (const std::exception& error) {
        Fail(TReportResult::RunError, "Report write error...", error.what());
    } catch (...) {
        Fail(TReportResult::RunError, "Report write error...", "the report stopped");
    }
    return Outcome_;
}

void TPageEngine::SetCanvasFont(const QFont& font)
{
    // Qt's shaper leaves the optional ligatures of Latin text out once a
    // letter spacing is set; 100 % is the font's own spacing, so the letters
    // stand where they would anyway.
    QFont unligated = font;
    unligated.setLetterSpacing(QFont::PercentageSpacing, 100);
    Painter_.setFont(unligated);
}

void TPageEngine::EnsureSpace(int lines)
{
    if (Pen.y() + lines * LineHeight > BreakY)
        NewPage();
}

void TPageEngine::AdvanceLines(int lines)
{
    // Counted in 64 bits and kept to what an int holds, so that no number of
    // blank lines can wrap the pen round to the top of the page.
    LineCount = static_cast<int>(
        std::clamp<std::int64_t>(static_cast<std::int64_t>(LineCount) + lines,
                                 std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    Pen.setY(PixelY(BaseY + LineCount * LineHeight));
}

void TPageEngine::NewPage()
{
    DrawPageNumber();
    if (ToDevice()) {
        Target_.Device->newPage();
    } else {
        Painter_.end();
        StartPreviewPage();
        Painter_.begin(&Target_.Pictures->back());
        SetCanvasFont(ReportFont);
    }
    ++Page_;
    StartPage(false);
}

void TPageEngine::StartPage(bool first)
{
    Pen = QPoint(MarginPx[0], MarginPx[2]);
    LineCount = 0;
    BaseY = MarginPx[2];
    if (OnPageHeader)
        OnPageHeader(first);
}

void TPageEngine::DrawPageNumber()
{
    const QString text = QStringLiteral("- %1 -").arg(Page_);
    const QFontMetrics metrics = Painter_.fontMetrics();
    const int x = MarginPx[0] +
                  static_cast<int>(
                      Trunc((MarginPx[1] - MarginPx[0] - metrics.horizontalAdvance(text)) / 2.0));
    Painter_.drawText(QPoint(x, MarginPx[3] + metrics.ascent()), text);
}
