#pragma once

#include "report/PageEngine.h"
#include "report/ReportOutcome.h"
#include "report/TextFileLines.h"
#include "sizing/ReportLines.h"

#include <cstdint>
#include <functional>
#include <QDate>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <utility>

// The standard report composer: what goes on each page and in which font. A
// letterhead from a text file and a logo at the top of the first page, the
// date and the title, body lines in three columns (caption, value, unit) and
// a closing signature; every page starts on the engine's line grid. All
// positions are pixels of the page being drawn.
class TStdReport {
public:
    explicit TStdReport(TPageEngine& engine);

    // Installs the body, the page header, printing and the settings hooks in
    // the engine, shows the preview the margin lines of positions 0 to 5 (the
    // margins and the value and unit columns) and keeps the titles; the first
    // title is also the print job's name and the document's title.
    void BeginReport(std::function<void()> body, const QStringList& titles);
    // The letterhead file, else "Letterhead.txt" of the shared data folder;
    // the logo file, else "ReportLogo.gif" there; the logo's printed width.
    // A letterhead file longer than the limits of ReadTextLines is cut, and
    // the next run tells the user so through the engine's OnMessage.
    void SetLetterhead(const QString& letterheadFile, const QString& logoFile, int logoWidthCm);

    // addStyle: the style bits of the font settings (1 bold, 2 italic,
    // 4 underline, 8 strike-out) added to the report font's; sizeChange in
    // points.
    void AddHeading(const QString& text, int addStyle = 0, int sizeChange = 0);
    void AddLine(const QString& caption, const QString& value, const QString& unit,
                 int addStyle = 0, int sizeChange = 0);
    void AddBlankLine();
    // Report lines as the report writes them: headings bold and underlined,
    // lines in the plain report font.
    void AddReportLines(const std::vector<TReportLine>& lines);
    // A rule across the page at half a line, then the program's name and
    // version on the next line.
    void DrawSignature(const QString& applicationTitle, const QString& versionText);

    // One print job per copy the printer is set to, each laid out afresh
    // after the engine's OnLoadSettings, on the printer's own page: the
    // preview's pages and layout stay as they were. A failed copy ends the
    // printing after the engine's message "Printer error.": the run's
    // outcome, or a DeviceError when the printer failed.
    TReportOutcome PrintReport(QPrinter& printer);
    // Where the engine's OnPrint sends the report (asked for when printing).
    std::function<QPrinter*()> Printer;

    void DrawPageHeader(bool firstPage);

    QStringList Titles;
    QStringList LetterheadLines;
    // "The letterhead … was cut to its first 200 lines.", for the next run;
    // empty when the letterhead was read whole or the user has been told.
    QString LetterheadNote;
    QString LogoFile;
    int LogoWidthCm = 0;
    int HalfLine = 0;
    QString SharedDataFolder; // ends with "/"
    QDate Today = QDate::currentDate();

    int LeftEdge = 0, TopEdge = 0, RightEdge = 0;
    int Col1X = 0, Col2X = 0, Col3X = 0;

private:
    void PrepareCanvas();
    // The pen's steps below the letterhead's first line and below each
    // further one, in the letterhead's fonts.
    std::pair<int, int> LetterheadSteps();
    // How far the letterhead reaches below the pen.
    std::int64_t LetterheadHeight();
    // Draws the letterhead from the pen down; one longer than the page goes
    // on on the next pages.
    void DrawLetterhead(int x);
    void DrawLogo(int y0, int linesUsed);
    void DrawPicture(const QImage& picture, int widthCm, int x, int y, int linesUsed);
    void DrawDate();
    void DrawTitleBlock();
    void DrawTextAt(int x, int y, const QString& text);
    // Runs `draw` with styles added to the canvas font and its size changed,
    // then puts the font back.
    template <typename F>
    void WithStyle(int addStyle, int sizeChange, F&& draw);
    QPainter& Canvas() { return *Engine_.DrawCanvas(); }

    TPageEngine& Engine_;
};
