#include "report/StdReport.h"

#include "common/Cp1252.h"
#include "common/Rounding.h"
#include "report/PictureFile.h"
#include "report/PreviewSettings.h"
#include "services/FontSettings.h"

#include <fstream>
#include <QFileInfo>
#include <QLocale>
#include <sstream>

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

QStringList ReadTextLines(const QString& path)
{
    QStringList lines;
    if (!IsFile(path))
        return lines;
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string text = ExternalTextToUtf8(bytes.str());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.append(QString::fromStdString(text.substr(start, end - start)));
        start = next;
    }
    return lines;
}

TStdReport::TStdReport(TPageEngine& engine) : Engine_(engine) {}

void TStdReport::BeginReport(std::function<void()> body, const QStringList& titles)
{
    Engine_.OnReportBody = std::move(body);
    Engine_.OnPageHeader = [this](bool firstPage) { DrawPageHeader(firstPage); };
    for (std::size_t i = 0; i < PositionCount; ++i)
        MarginLineVisible()[i] = i <= 5;
    Titles = titles;
    Engine_.DocumentTitle = titles.value(0);
    Engine_.OnLoadSettings = [this] { LoadPreviewSettings(Engine_); };
    Engine_.OnStoreSettings = [this] { StorePreviewSettings(Engine_); };
    Engine_.OnPrint = [this] {
        if (QPrinter* printer = Printer ? Printer() : nullptr)
            PrintReport(*printer);
    };
}

void TStdReport::SetLetterhead(const QString& letterheadFile, const QString& logoFile,
                               int logoWidthCm)
{
    const QString letterhead =
        IsFile(letterheadFile) ? letterheadFile : SharedDataFolder + "Letterhead.txt";
    LetterheadLines = IsFile(letterhead) ? ReadTextLines(letterhead) : QStringList{" "};
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
    if (sizeChange != 0 && font.pointSize() > 0)
        font.setPointSize(std::max(1, font.pointSize() + sizeChange));
    Engine_.SetCanvasFont(font);
    draw();
    Engine_.SetCanvasFont(before);
}

void TStdReport::DrawPageHeader(bool firstPage)
{
    PrepareCanvas();
    if (firstPage) {
        const int y0 = Engine_.Pen.y();
        if (!LetterheadLines.isEmpty())
            DrawLetterhead(LeftEdge);
        if (!LogoFile.isEmpty() && IsFile(LogoFile)) {
            // A logo that cannot be read is left out without a word.
            const QImage logo = LoadPicture(LogoFile.toStdString());
            if (!logo.isNull() && logo.width() > 0)
                DrawPicture(logo, LogoWidthCm, RightEdge - Engine_.PxPerCmX * LogoWidthCm, y0,
                            Rounded((Engine_.Pen.y() - y0) / Engine_.LineHeight));
        }
        DrawDate();
        if (!Titles.isEmpty())
            DrawTitleBlock();
    }
    Engine_.AdvanceLines(1);
}

void TStdReport::DrawLetterhead(int x)
{
    const int y0 = Engine_.Pen.y();
    QFont font = Engine_.ReportFont;
    ApplyFontStyleBits(font, FontStyleBits(font) | StyleBold);
    if (!LetterheadLines[0].isEmpty()) {
        font.setPointSize(10);
        Engine_.SetCanvasFont(font);
        DrawTextAt(x, Engine_.Pen.y(), LetterheadLines[0]);
        Engine_.Pen.ry() += static_cast<int>(Canvas().fontMetrics().height() * 1.25);
    }
    font.setPointSize(8);
    Engine_.SetCanvasFont(font);
    for (qsizetype i = 1; i < LetterheadLines.size(); ++i) {
        DrawTextAt(x, Engine_.Pen.y(), LetterheadLines[i]);
        Engine_.Pen.ry() += Canvas().fontMetrics().height();
    }
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

bool TStdReport::PrintReport(QPrinter& printer)
{
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    for (int copy = 0; copy < copies; ++copy) {
        if (!Titles.isEmpty())
            printer.setDocName(Titles[0]);
        if (Engine_.OnLoadSettings)
            Engine_.OnLoadSettings();
        Engine_.Printing = true;
        Engine_.PrintDevice = &printer;
        Engine_.PrintDeviceName = printer.printerName();
        Engine_.DoReport();
        if (printer.printerState() == QPrinter::Error) {
            if (Engine_.OnMessage)
                Engine_.OnMessage("Printer error.");
            printer.setCopyCount(copies);
            return false;
        }
    }
    printer.setCopyCount(copies);
    return true;
}
