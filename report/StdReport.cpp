#include "report/StdReport.h"

#include "common/Rounding.h"
#include "report/PictureFile.h"
#include "report/PreviewSettings.h"
#include "services/FontSettings.h"

#include <algorithm>
#include <limits>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

constexpr int StyleBold = 1;

int Rounded(double x)
{
    return static_cast<int>(Round(x));
}

bool IsFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

TStdReport::TStdReport(TPageEngine& engine) : Engine_(engine) {}

void TStdReport::BeginReport(std::function<void()> body, const QStringList& titles)
{
    Engine_.OnReportBody = std::move(body);
    Engine_.OnPageHeader = [this](bool firstPage) { DrawPageHeader(firstPage); };
    for (std::size_t i = 0; i < PositionCount; ++i)
        Engine_.MarginLineVisible[i] = i <= 5;
    Titles = titles;
    Engine_.DocumentTitle = titles.value(0);
    Engine_.OnLoadSettings = [this] { LoadPreviewSettings(Engine_); };
    Engine_.OnStoreSettings = [this] { StorePreviewSettings(Engine_); };
    Engine_.OnPrint = [this]() -> TReportOutcome {
        if (QPrinter* printer = Printer ? Printer() : nullptr)
            return PrintReport(*printer);
        return {TReportResult::DeviceError, QStringLiteral("No printer to print on")};
    };
}

void TStdReport::SetLetterhead(const QString& letterheadFile, const QString& logoFile,
                               int logoWidthCm)
{
    const QString letterhead =
        IsFile(letterheadFile) ? letterheadFile : SharedDataFolder + "Letterhead.txt";
    LetterheadLines = QStringList{" "};
    LetterheadNote.clear();
    if (IsFile(letterhead)) {
        TTextFileLines read = ReadTextLines(letterhead);
        LetterheadLines = std::move(read.Lines);
        if (!read.CutTo.isEmpty())
            LetterheadNote = QStringLiteral("The letterhead %1 was cut to %2.")
                                 .arg(QDir::toNativeSeparators(letterhead), read.CutTo);
    }
    LogoFile = IsFile(logoFile) ? logoFile : SharedDataFolder + "ReportLogo.gif";
    LogoWidthCm = logoWidthCm;
}

void TStdReport::PrepareCanvas()
{
    LeftEdge = Engine_.MarginPx[0];
    RightEdge = Engine_.MarginPx[1];
    TopEdge = Engine_.MarginPx[2];
    Col1X = Engine_.MarginPx[0];
    Col2X = Engine_.MarginPx[4];
    Col3X = Engine_.MarginPx[5];
    HalfLine = Rounded(Engine_.LineHeight / 2.0);
    Engine_.SetCanvasFont(Engine_.ReportFont);
    Engine_.Pen = QPoint(LeftEdge, TopEdge);
    Engine_.LineCount = 0;
    Engine_.BaseY = Engine_.Pen.y();
}

void TStdReport::DrawTextAt(int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    // Texts are placed by their top-left corner.
    Canvas().drawText(QPoint(x, y + Canvas().fontMetrics().ascent()), text);
}

template <typename F>
void TStdReport::WithStyle(int addStyle, int sizeChange, F&& draw)
{
    const QFont before = Canvas().font();
    QFont font = before;
    ApplyFontStyleBits(font, FontStyleBits(font) | addStyle);
    // Summed in 64 bits: no stored size can make the sum wrap round.
    if (sizeChange != 0 && font.pointSize() > 0)
        font.setPointSize(static_cast<int>(
            std::clamp<std::int64_t>(static_cast<std::int64_t>(font.pointSize()) + sizeChange, 1,
                                     std::numeric_limits<int>::max())));
    Engine_.SetCanvasFont(font);
    draw();
    Engine_.SetCanvasFont(before);
}

void TStdReport::DrawPageHeader(bool firstPage)
{
    PrepareCanvas();
    if (firstPage) {
        if (!LetterheadNote.isEmpty() && Engine_.OnMessage) {
            const QString note = std::exchange(LetterheadNote, QString());
            Engine_.OnMessage(note.toStdString());
        }
        const int y0 = Engine_.Pen.y();
        const bool logo = !LogoFile.isEmpty() && IsFile(LogoFile);
        // A letterhead that goes on on the next page leaves the logo behind
        // on this one: it is drawn first, beside the letterhead's top.
        const bool flows = !LetterheadLines.isEmpty() && y0 + LetterheadHeight() > Engine_.BreakY;
        if (logo && flows) {
            const QPoint pen = Engine_.Pen;
            const int lineCount = Engine_.LineCount;
            DrawLogo(y0, 1);
            Engine_.Pen = pen;
            Engine_.LineCount = lineCount;
        }
        if (!LetterheadLines.isEmpty())
            DrawLetterhead(LeftEdge);
        if (logo && !flows)
            DrawLogo(y0, Rounded((Engine_.Pen.y() - y0) / Engine_.LineHeight));
        // The date and the title always reach the paper, on the next page
        // when the letterhead has filled this one.
        Engine_.EnsureSpace(2);
        DrawDate();
        if (!Titles.isEmpty()) {
            Engine_.EnsureSpace(2);
            DrawTitleBlock();
        }
    }
    Engine_.AdvanceLines(1);
}

void TStdReport::DrawLogo(int y0, int linesUsed)
{
    // A logo that cannot be read is left out without a word.
    const QImage logo = LoadPicture(LogoFile.toStdString());
    if (!logo.isNull() && logo.width() > 0)
        DrawPicture(logo, LogoWidthCm, RightEdge - Engine_.PxPerCmX * LogoWidthCm, y0, linesUsed);
}

std::pair<int, int> TStdReport::LetterheadSteps()
{
    QFont font = Engine_.ReportFont;
    ApplyFontStyleBits(font, FontStyleBits(font) | StyleBold);
    font.setPointSize(10);
    Engine_.SetCanvasFont(font);
    const int first = static_cast<int>(Canvas().fontMetrics().height() * 1.25);
    font.setPointSize(8);
    Engine_.SetCanvasFont(font);
    const int further = Canvas().fontMetrics().height();
    Engine_.SetCanvasFont(Engine_.ReportFont);
    return {first, further};
}

std::int64_t TStdReport::LetterheadHeight()
{
    const auto [first, further] = LetterheadSteps();
    return (LetterheadLines[0].isEmpty() ? 0 : first) +
           static_cast<std::int64_t>(LetterheadLines.size() - 1) * further;
}

void TStdReport::DrawLetterhead(int x)
{
    const auto [firstStep, step] = LetterheadSteps();
    QFont font = Engine_.ReportFont;
    ApplyFontStyleBits(font, FontStyleBits(font) | StyleBold);
    // Where the letterhead starts on the page it is drawn on.
    int y0 = Engine_.Pen.y();
    const auto drawLine = [&](const QString& text, int size, int advance) {
        // Each page holds one line at least, however small it is.
        if (Engine_.Pen.y() > y0 && Engine_.Pen.y() + advance > Engine_.BreakY) {
            Engine_.NewPage();
            y0 = Engine_.Pen.y();
        }
        font.setPointSize(size);
        Engine_.SetCanvasFont(font);
        DrawTextAt(x, Engine_.Pen.y(), text);
        // In 64 bits, and never past what the pen can hold.
        Engine_.Pen.setY(static_cast<int>(
            std::min<std::int64_t>(static_cast<std::int64_t>(Engine_.Pen.y()) + advance,
                                   std::numeric_limits<int>::max())));
    };
    if (!LetterheadLines[0].isEmpty())
        drawLine(LetterheadLines[0], 10, firstStep);
    for (qsizetype i = 1; i < LetterheadLines.size(); ++i)
        drawLine(LetterheadLines[i], 8, step);
    Engine_.SetCanvasFont(Engine_.ReportFont);
    Engine_.LineCount += Rounded((Engine_.Pen.y() - y0) / Engine_.LineHeight);
}

void TStdReport::DrawPicture(const QImage& picture, int widthCm, int x, int y, int linesUsed)
{
    const double aspect = static_cast<double>(picture.height()) / picture.width();
    const int width = Rounded(static_cast<double>(Engine_.PxPerCmX) * widthCm);
    const int height = Rounded(Engine_.PxPerCmY * widthCm * aspect);
    const int lines = Rounded(height / Engine_.LineHeight);
    if (linesUsed == 0)
        Engine_.EnsureSpace(lines);
    // A printer or PDF file receives the logo at the pixels it is printed
    // with, not at its file's size; a preview page shows it as before.
    if (Engine_.ToDevice() && (width < picture.width() || height < picture.height()))
        Canvas().drawImage(
            QRect(x, y, width, height),
            picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    else
        Canvas().drawImage(QRect(x, y, width, height), picture);
    if (lines - linesUsed > 0)
        Engine_.AdvanceLines(lines - linesUsed);
    Engine_.AdvanceLines(1);
}

void TStdReport::DrawDate()
{
    WithStyle(StyleBold, 0, [this] {
        const QString text = QLocale().toString(Today, QLocale::LongFormat);
        DrawTextAt(RightEdge - Canvas().fontMetrics().horizontalAdvance(text), Engine_.Pen.y(),
                   text);
    });
    Engine_.AdvanceLines(2);
}

void TStdReport::DrawTitleBlock()
{
    if (Titles[0].isEmpty())
        return;
    WithStyle(StyleBold, 3, [this] { DrawTextAt(LeftEdge, Engine_.Pen.y(), Titles[0]); });
    Engine_.AdvanceLines(2);
}

void TStdReport::AddHeading(const QString& text, int addStyle, int sizeChange)
{
    Engine_.EnsureSpace(4);
    WithStyle(addStyle, sizeChange, [&] {
        DrawTextAt(Col1X, Engine_.Pen.y(), text);
        Engine_.AdvanceLines(1);
    });
}

void TStdReport::AddLine(const QString& caption, const QString& value, const QString& unit,
                         int addStyle, int sizeChange)
{
    Engine_.EnsureSpace(1);
    WithStyle(addStyle, sizeChange, [&] {
        const int y = Engine_.Pen.y();
        DrawTextAt(Col1X, y, caption);
        DrawTextAt(Col2X, y, value);
        DrawTextAt(Col3X, y, unit);
        Engine_.AdvanceLines(1);
    });
}

void TStdReport::AddBlankLine()
{
    Engine_.AdvanceLines(1);
}

void TStdReport::AddReportLines(const std::vector<TReportLine>& lines)
{
    constexpr int StyleUnderline = 4;
    for (const TReportLine& line : lines) {
        const QString caption = QString::fromStdString(line.Caption);
        switch (line.Kind) {
        case TReportLineKind::Heading:
            AddHeading(caption, StyleBold | StyleUnderline);
            break;
        case TReportLineKind::Line:
            AddLine(caption, QString::fromStdString(line.Value), QString::fromStdString(line.Unit));
            break;
        case TReportLineKind::Blank:
            AddBlankLine();
            break;
        }
    }
}

void TStdReport::DrawSignature(const QString& applicationTitle, const QString& versionText)
{
    const int y = Engine_.Pen.y() + HalfLine;
    Canvas().drawLine(LeftEdge, y, RightEdge, y);
    Engine_.AdvanceLines(1);
    QFont font = Canvas().font();
    font.setPointSize(Engine_.ReportFont.pointSize());
    Engine_.SetCanvasFont(font);
    DrawTextAt(LeftEdge, Engine_.Pen.y(), applicationTitle + " " + versionText);
}

TReportOutcome TStdReport::PrintReport(QPrinter& printer)
{
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    for (int copy = 0; copy < copies; ++copy) {
        if (!Titles.isEmpty())
            printer.setDocName(Titles[0]);
        if (Engine_.OnLoadSettings)
            Engine_.OnLoadSettings();
        // A run that failed part way printed only part of the report.
        const TReportOutcome run = Engine_.RenderToDevice(printer, printer.printerName());
        if (!run.Ok() || printer.printerState() == QPrinter::Error) {
            if (Engine_.OnMessage)
                Engine_.OnMessage("Printer error.");
            printer.setCopyCount(copies);
            return run.Ok() ? TReportOutcome{TReportResult::DeviceError,
                                             QStringLiteral("Printer error.")}
                            : run;
        }
    }
    printer.setCopyCount(copies);
    return {};
}
