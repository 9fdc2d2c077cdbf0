#pragma once

#include "report/ReportSettings.h"

#include <array>
#include <QPoint>
#include <QString>

// Where a run of the report puts things on the page it draws: the page's
// size and scale, the margins and tab stops in pixels, the line grid and the
// pen. A preview run leaves the preview's here; a run on a printer, a PDF
// writer or pictures of its own lays out a page of its own for as long as it
// draws and then gives the preview's back.
//
// Page coordinates are pixels of the page, origin at its top-left corner.
// Positions 0..11 are the margins and tab stops of the report settings.
struct TPageLayout {
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
    // The second status panel: the printer's name or "Printer not found"
    // for the preview, "Print to " + the device's name while a device run
    // draws.
    QString PrinterStatus;

    friend bool operator==(const TPageLayout&, const TPageLayout&) = default;
};
